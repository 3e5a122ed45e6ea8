// The main window's message table, run in this process on the program's own code and
// resources against the simulated driver: for each message, the sequence of what reaches the
// main window and the notification area, compared with a table.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tray/core/messages.h"
#include "tray/core/program_state.h"
#include "tray/core/tray_icon.h"
#include "tray/core/tray_program.h"
#include "tray/driver/driver_channel.h"
#include "tray_process.h"

namespace {

// Pseudo messages for what happens outside the main window.
UINT const SEQ_ICON = WM_COPYDATA;           // a notification-area request: wParam operation, lParam held set
UINT const SEQ_BOX = WM_APP + 1;             // the close question is shown
UINT const SEQ_MENU = WM_APP + 2;            // the tray menu is shown
UINT const SEQ_APPLET = WM_APP + 3;          // the stand-in applet was opened

std::vector<wt::MessageRecord> Sequence;
WNDPROC ProgramProc = nullptr;
WPARAM BoxAnswer = IDNO;
std::string MenuTexts;

bool Recorded(UINT message)
{
    switch (message) {
    case WM_CLOSE:
    case WM_DESTROY:
    case WM_COMMAND:
    case WM_SYSCOMMAND:
    case WM_LBUTTONDBLCLK:
    case WM_SHOWWINDOW:
        return true;
    default:
        return message >= WMU_OPEN_PANEL && message <= WMU_WHEEL_EVENT;
    }
}

// Runs inside the question's own message loop: records the question once and answers it.
void CALLBACK AnswerQuestion(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = wt::FindProcessWindow(GetCurrentProcessId(), "#32770", true);
    if (box && GetPropA(box, "answered") == nullptr) {
        SetPropA(box, "answered", box);
        Sequence.push_back({SEQ_BOX, 0, 0, 0});
        PostMessageA(box, WM_COMMAND, BoxAnswer, 0);
    }
}

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (Recorded(message))
        Sequence.push_back({message, wParam, lParam, 0});
    if (message == WM_INITMENUPOPUP) {
        HMENU popup = reinterpret_cast<HMENU>(wParam);
        MenuTexts.clear();
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            char text[260] = "";
            GetMenuStringA(popup, i, text, sizeof(text), MF_BYPOSITION);
            MenuTexts += std::string(text) + "|";
        }
        Sequence.push_back({SEQ_MENU, 0, 0, 0});
        PostMessageA(window, WM_CANCELMODE, 0, 0);
    }
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU)
        EndMenu();
    return CallWindowProcA(ProgramProc, window, message, wParam, lParam);
}

class TrayMainWindow : public tt::InstalledTrayTest {
protected:
    void SetUp() override
    {
        tt::InstalledTrayTest::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(applet_.Ok());
        area_.OnRequest([](const tt::IconRequest &r) {
            Sequence.push_back({SEQ_ICON, r.operation, static_cast<LPARAM>(r.heldButtons), 0});
        });
        ProgramInstance = GetModuleHandleA(nullptr);
        OsKind = DetectOsKind();
        ASSERT_TRUE(RegisterWindowClasses(ProgramInstance));
        window_ = CreateWindowExA(0, MAIN_WINDOW_CLASS, nullptr, 0, 0, 0, 0, 0, nullptr, nullptr, ProgramInstance,
                                  nullptr);
        ASSERT_TRUE(window_);
        MainWindow = window_;
        ShowWindow(window_, SW_HIDE);
        ProgramProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc)));
        Sequence.clear();
        BoxAnswer = IDNO;
        timer_ = SetTimer(nullptr, 0, 50, AnswerQuestion);
    }
    void TearDown() override
    {
        KillTimer(nullptr, timer_);
        if (window_ && IsWindow(window_))
            SendMessageA(window_, WM_CLOSE, 0, 0);
        wt::PumpMessages(50);
        UnregisterWindowClasses();
        area_.OnRequest(nullptr);
        tt::InstalledTrayTest::TearDown();
    }

    struct Case {
        const char *name;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        std::vector<wt::MessageRecord> expected;
        bool opensApplet;
    };

    // Posts the message as the system would deliver it, lets everything it causes happen,
    // and compares what arrived with the table.
    void Run(const Case &c)
    {
        Sequence.clear();
        int openings = applet_.Openings();
        PostMessageA(window_, c.message, c.wParam, c.lParam);
        wt::PumpMessages(300);
        std::vector<wt::MessageRecord> expected = c.expected;
        if (c.opensApplet) {
            EXPECT_TRUE(applet_.WaitForOpenings(openings + 1)) << c.name << ": the applet was not opened";
            if (applet_.Openings() > openings)
                Sequence.push_back({SEQ_APPLET, 0, 0, 0});
            expected.push_back({SEQ_APPLET, 0, 0, 0});
        }
        wt::ExpectSequence(Sequence, expected, c.name);
    }

    tt::StandInApplet applet_;
    HWND window_ = nullptr;
    UINT_PTR timer_ = 0;
};

unsigned const W = wt::MSG_CHECK_WPARAM;
unsigned const WL = wt::MSG_CHECK_WPARAM | wt::MSG_CHECK_LPARAM;

TEST_F(TrayMainWindow, MessageTable)
{
    const std::vector<Case> cases = {
        {"menu Open", WM_COMMAND, 0, 0, {{WM_COMMAND, 0, 0, W}}, true},
        {"system command 0", WM_SYSCOMMAND, 0, 0, {{WM_SYSCOMMAND, 0, 0, W}}, true},
        {"high word of a command is not read", WM_COMMAND, MAKEWPARAM(0, 1), 0, {{WM_COMMAND, 0, 0, 0}}, true},
        {"restore does nothing", WM_SYSCOMMAND, SC_RESTORE, 0, {{WM_SYSCOMMAND, SC_RESTORE, 0, W}}, false},
        {"other command", WM_COMMAND, 2, 0, {{WM_COMMAND, 2, 0, W}}, false},
        {"double click on the window", WM_LBUTTONDBLCLK, 0, 0, {{WM_LBUTTONDBLCLK, 0, 0, 0}}, true},
        {"second start", WMU_OPEN_PANEL, 0, 0, {{WMU_OPEN_PANEL, 0, 0, 0}}, true},
        {"tray double click", WMU_TRAY, 7721, WM_LBUTTONDBLCLK, {{WMU_TRAY, 7721, WM_LBUTTONDBLCLK, WL}}, true},
        {"tray move", WMU_TRAY, 7721, WM_MOUSEMOVE, {{WMU_TRAY, 7721, WM_MOUSEMOVE, WL}}, false},
        {"tray left press", WMU_TRAY, 7721, WM_LBUTTONDOWN, {{WMU_TRAY, 7721, WM_LBUTTONDOWN, WL}}, false},
        {"tray left release", WMU_TRAY, 7721, WM_LBUTTONUP, {{WMU_TRAY, 7721, WM_LBUTTONUP, WL}}, false},
        {"tray right press", WMU_TRAY, 7721, WM_RBUTTONDOWN, {{WMU_TRAY, 7721, WM_RBUTTONDOWN, WL}}, false},
        {"tray right release", WMU_TRAY, 7721, WM_RBUTTONUP, {{WMU_TRAY, 7721, WM_RBUTTONUP, WL}, {SEQ_MENU, 0, 0, 0}},
         false},
        {"left press", WMU_BUTTON_EVENT, 0x001, 0, {{WMU_BUTTON_EVENT, 0x001, 0, W}, {SEQ_ICON, NIM_MODIFY, 1, WL}},
         false},
        {"fourth button", WMU_BUTTON_EVENT, 0x0C0, 0, {{WMU_BUTTON_EVENT, 0x0C0, 0, W}}, false},
        {"wheel through button event", WMU_BUTTON_EVENT, 0x400, 0x00780000, {{WMU_BUTTON_EVENT, 0x400, 0, W}}, false},
        {"left release", WMU_BUTTON_EVENT, 0x002, 0, {{WMU_BUTTON_EVENT, 0x002, 0, W}, {SEQ_ICON, NIM_MODIFY, 0, WL}},
         false},
        {"wheel", WMU_WHEEL_EVENT, 120, 0, {{WMU_WHEEL_EVENT, 120, 0, W}}, false},
        {"zoom refresh is not the main window's", WMU_ZOOM_REFRESH, 0, 0, {{WMU_ZOOM_REFRESH, 0, 0, 0}}, false},
        {"menu Close asked, answered No", WM_COMMAND, 1, 0,
         {{WM_COMMAND, 1, 0, W}, {WM_CLOSE, CLOSE_WITH_CONFIRMATION, 0, W}, {SEQ_BOX, 0, 0, 0}}, false},
    };
    for (const Case &c : cases)
        Run(c);
    EXPECT_TRUE(IsWindow(window_));
    EXPECT_FALSE(IsWindowVisible(window_));
    // No opening beyond those in the table.
    int openings = applet_.Openings();
    wt::PumpMessages(1500);
    EXPECT_EQ(applet_.Openings(), openings);
}

TEST_F(TrayMainWindow, ClosingSequences)
{
    struct CloseCase {
        const char *name;
        WPARAM wParam;
        WPARAM answer;
        std::vector<wt::MessageRecord> expected;
    };
    const CloseCase cases[] = {
        {"asked, answered Yes", CLOSE_WITH_CONFIRMATION, IDYES,
         {{WM_CLOSE, CLOSE_WITH_CONFIRMATION, 0, W}, {SEQ_BOX, 0, 0, 0}, {SEQ_ICON, NIM_DELETE, 0, W},
          {WM_DESTROY, 0, 0, 0}}},
        {"not asked", 0, IDNO, {{WM_CLOSE, 0, 0, W}, {SEQ_ICON, NIM_DELETE, 0, W}, {WM_DESTROY, 0, 0, 0}}},
    };
    for (const CloseCase &c : cases) {
        if (!IsWindow(window_)) {
            TearDown();
            SetUp();
        }
        BoxAnswer = c.answer;
        Run({c.name, WM_CLOSE, c.wParam, 0, c.expected, false});
        EXPECT_FALSE(IsWindow(window_)) << c.name;
        EXPECT_EQ(DeviceHandle, INVALID_HANDLE_VALUE) << c.name;
    }
}

TEST_F(TrayMainWindow, MenuFollowsTheProductNameLoadedLastWhileTheTipStays)
{
    PostMessageA(window_, WMU_TRAY, 7721, WM_RBUTTONUP);
    wt::PumpMessages(300);
    EXPECT_EQ(MenuTexts, "&Open Quillmark 4D Mouse Control Panel|&Close Quillmark 4D Mouse|");
    tt::WriteProductInfo("Renamed Mouse");
    SendMessageA(window_, WMU_SETTINGS_CHANGED, 0, 0);
    PostMessageA(window_, WMU_TRAY, 7721, WM_RBUTTONUP);
    wt::PumpMessages(300);
    EXPECT_EQ(MenuTexts, "&Open Renamed Mouse Control Panel|&Close Renamed Mouse|");
    for (const wt::MessageRecord &m : Sequence)
        EXPECT_NE(m.message, SEQ_ICON) << "the tip or icon changed";
}

}  // namespace
