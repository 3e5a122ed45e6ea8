#include "applet_harness.h"

namespace applet_test {

void WriteSetting(const char *name, DWORD value)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, TEST_SETTINGS_KEY, 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &key, nullptr));
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value), sizeof(value));
    RegCloseKey(key);
}

bool ReadSetting(const char *name, DWORD *value)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, TEST_SETTINGS_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0, size = sizeof(*value);
    LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE *>(value), &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS && type == REG_DWORD && size == sizeof(*value);
}

DWORD SettingOr(const char *name, DWORD fallback)
{
    DWORD value;
    return ReadSetting(name, &value) ? value : fallback;
}

bool SettingsKeyExists() { return wt::KeyExists(HKEY_CURRENT_USER, TEST_SETTINGS_KEY); }

void WriteProductInfo(const ProductInfoText &info)
{
    std::string text = "[General]\r\nMouseXD=" + std::to_string(info.mouseXD) +
                       "\r\nInfoPage=" + std::to_string(info.infoPage) + "\r\nCompanyName=" + info.companyName +
                       "\r\nProductName=" + info.productName + "\r\nVersion=" + info.version +
                       "\r\nCompanyPage=" + info.companyPage + "\r\nWebSite=" + info.webSite + "\r\n";
    wt::WriteProductInfoFile(text);
}

// Recorder ----------------------------------------------------------------------------------

static std::vector<wt::MessageRecord> g_received;

static LRESULT CALLBACK RecorderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_USER)
        g_received.push_back({message, wParam, lParam, 0});
    return DefWindowProcA(window, message, wParam, lParam);
}

TrayRecorder::TrayRecorder()
{
    g_received.clear();
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RecorderProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "Quillmark_4D_MOUSE";
    RegisterClassA(&wc);
    window_ = CreateWindowA("Quillmark_4D_MOUSE", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
    EXPECT_NE(nullptr, window_);
}

TrayRecorder::~TrayRecorder()
{
    DestroyWindow(window_);
    UnregisterClassA("Quillmark_4D_MOUSE", GetModuleHandleA(nullptr));
}

const std::vector<wt::MessageRecord> &TrayRecorder::Received() const { return g_received; }
void TrayRecorder::Clear() { g_received.clear(); }

// Window helpers ----------------------------------------------------------------------------

std::string WindowText(HWND window)
{
    char text[512] = "";
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

std::string ComboText(HWND combo, int index)
{
    WCHAR wide[300] = L"";
    LRESULT len = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (len == CB_ERR || len >= 300)
        return "<none>";
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(wide));
    char text[600] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof(text), nullptr, nullptr);
    return text;
}

void Snapshot(const char *name)
{
    wt::PumpMessages(1000);
    EXPECT_TRUE(wt::TakeScreenshot(name)) << name;
}

bool Enabled(HWND dialog, int control) { return IsWindowEnabled(GetDlgItem(dialog, control)) != 0; }
bool Checked(HWND dialog, int control)
{
    return SendDlgItemMessageA(dialog, control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Applet ------------------------------------------------------------------------------------

void AppletTest::TearDown()
{
    CloseSheet();
    if (module_)
        FreeLibrary(module_);
    module_ = nullptr;
    wt::IsolatedTest::TearDown();
}

void AppletTest::Load()
{
    std::string path = wt::BinDir() + "\\MOVRAPANEL.CPL";
    module_ = LoadLibraryA(path.c_str());
    ASSERT_NE(nullptr, module_) << path << " error " << GetLastError();
    applet_ = reinterpret_cast<AppletProc>(reinterpret_cast<void *>(GetProcAddress(module_, "CPlApplet")));
    ASSERT_NE(nullptr, applet_) << "CPlApplet is not exported by its plain name";
}

LONG AppletTest::Call(UINT message, LPARAM lParam1, LPARAM lParam2)
{
    return applet_(nullptr, message, lParam1, lParam2);
}

void AppletTest::Inquire()
{
    NEWCPLINFOA info = {};
    EXPECT_EQ(1, Call(CPL_NEWINQUIRE, 0, reinterpret_cast<LPARAM>(&info)));
}

static DWORD WINAPI SheetThread(LPVOID param)
{
    auto applet = reinterpret_cast<AppletProc>(param);
    return static_cast<DWORD>(applet(nullptr, CPL_DBLCLK, 0, 0));
}

static BOOL CALLBACK FindSheet(HWND window, LPARAM param)
{
    char cls[32] = "";
    GetClassNameA(window, cls, sizeof(cls));
    if (strcmp(cls, "#32770") == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND *>(param) = window;
        return FALSE;
    }
    return TRUE;
}

void AppletTest::OpenSheet()
{
    ASSERT_NE(nullptr, applet_);
    thread_ = CreateThread(nullptr, 0, SheetThread, reinterpret_cast<LPVOID>(applet_), 0, &threadId_);
    ASSERT_NE(nullptr, thread_);
    ASSERT_TRUE(wt::WaitFor([this] {
        sheet_ = nullptr;
        EnumThreadWindows(threadId_, FindSheet, reinterpret_cast<LPARAM>(&sheet_));
        return sheet_ != nullptr && Page() != nullptr;
    })) << "the property sheet did not open";
    wt::PumpMessages(300);   // let it paint
}

HWND AppletTest::Page() const
{
    return reinterpret_cast<HWND>(SendMessageA(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
}

void AppletTest::Press(int button) { PostMessageA(sheet_, PSM_PRESSBUTTON, button, 0); }

bool AppletTest::WaitSheetClosed(DWORD timeoutMs)
{
    if (!thread_)
        return true;
    bool closed = wt::WaitFor([this] { return WaitForSingleObject(thread_, 0) == WAIT_OBJECT_0; }, timeoutMs);
    if (closed) {
        CloseHandle(thread_);
        thread_ = nullptr;
        sheet_ = nullptr;
    }
    return closed;
}

void AppletTest::CloseSheet()
{
    if (!thread_)
        return;
    // Close any setting dialog first, then the sheet itself.
    for (int i = 0; i < 3 && !WaitSheetClosed(0); ++i) {
        HWND active = nullptr;
        EnumThreadWindows(threadId_, FindSheet, reinterpret_cast<LPARAM>(&active));
        if (active && active != sheet_)
            PostMessageA(active, WM_COMMAND, IDCANCEL, 0);
        else
            Press(PSBTN_CANCEL);
        if (WaitSheetClosed(3000))
            return;
    }
    if (thread_) {
        ADD_FAILURE() << "the property sheet did not close";
        TerminateThread(thread_, 1);
        CloseHandle(thread_);
        thread_ = nullptr;
    }
}

void AppletTest::SelectRow(int listId, int index)
{
    HWND page = Page();
    HWND list = GetDlgItem(page, listId);
    ASSERT_NE(nullptr, list) << "list " << listId;
    SendMessageA(list, CB_SETCURSEL, index, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(listId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

HWND AppletTest::OpenSettingDialog(int detailButton, const char *caption)
{
    HWND page = Page();
    PostMessageA(page, WM_COMMAND, MAKEWPARAM(detailButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, detailButton)));
    HWND dialog = nullptr;
    wt::WaitFor([&] {
        dialog = FindWindowA("#32770", caption);
        return dialog != nullptr && IsWindowVisible(dialog);
    });
    if (dialog)
        wt::PumpMessages(200);
    return dialog;
}

void AppletTest::Click(HWND dialog, int control)
{
    SendMessageA(GetDlgItem(dialog, control), BM_CLICK, 0, 0);
}

bool AppletTest::WaitDialogClosed(HWND dialog)
{
    return wt::WaitFor([dialog] { return !IsWindow(dialog); });
}

}  // namespace applet_test
