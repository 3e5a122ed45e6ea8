// The applet through the Control Panel runner, as the tray program starts it: a second process
// whose sheet is driven from here, and whose Apply reaches the registry and a listening window
// of the tray program's class.
#include "applet_harness.h"

using namespace applet_test;

namespace {

class RunnerTest : public wt::IsolatedTest {
protected:
    void SetUp() override
    {
        wt::IsolatedTest::SetUp();
        installed_ = wt::SystemDir() + "\\MOVRAPANEL.CPL";
        ASSERT_TRUE(CopyFileA((wt::BinDir() + "\\MOVRAPANEL.CPL").c_str(), installed_.c_str(), FALSE))
            << "cannot copy the applet into " << installed_;
    }
    void TearDown() override
    {
        if (pi_.hProcess) {
            if (WaitForSingleObject(pi_.hProcess, 0) != WAIT_OBJECT_0) {
                TerminateProcess(pi_.hProcess, 1);
                WaitForSingleObject(pi_.hProcess, 5000);
            }
            CloseHandle(pi_.hThread);
            CloseHandle(pi_.hProcess);
        }
        DeleteFileA(installed_.c_str());
        wt::IsolatedTest::TearDown();
    }

    std::string installed_;
    PROCESS_INFORMATION pi_ = {};
};

TEST_F(RunnerTest, RunnerOpensTheSheetAndApplyReachesRegistryAndTrayWindow)
{
    ProductInfoText product;
    product.mouseXD = 4;
    WriteProductInfo(product);
    TrayRecorder recorder;
    std::string windows = wt::WindowsDir();
    ASSERT_TRUE(wt::StartProcess("rundll32.exe shell32.dll,Control_RunDLL MOVRAPANEL.CPL", &pi_, windows.c_str()));

    HWND sheet = nullptr;
    ASSERT_TRUE(wt::WaitFor([&] { return (sheet = wt::FindProcessWindow(pi_.dwProcessId, "#32770", true)) != nullptr; },
                            20000)) << "the runner opened no sheet";
    wt::PumpMessages(500);
    // The runner inquired first: the product information chose the caption and the layout.
    EXPECT_EQ("Sample Mouse Properties", WindowText(sheet));
    Snapshot("applet_through_runner");

    HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    EXPECT_NE(nullptr, GetDlgItem(page, IDC_LIST_WHEEL));
    HWND right = GetDlgItem(page, IDC_LIST_RIGHT);
    ASSERT_NE(nullptr, right);
    EXPECT_EQ("[Unassigned]", ComboText(right, static_cast<int>(SendMessageA(right, CB_GETCURSEL, 0, 0))));
    EXPECT_EQ("Copy", ComboText(right, 16));
    SendMessageA(right, CB_SETCURSEL, 16, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_LIST_RIGHT, CBN_SELCHANGE), reinterpret_cast<LPARAM>(right));

    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    ASSERT_TRUE(wt::WaitFor([&] { return !recorder.Received().empty(); }, 10000)) << "no notice reached the tray window";
    static const std::vector<wt::MessageRecord> notified = {
        {WMU_SETTINGS_CHANGED, 0, 0, wt::MSG_CHECK_WPARAM | wt::MSG_CHECK_LPARAM}};
    wt::ExpectSequence(recorder.Received(), notified, "apply through the runner");
    EXPECT_EQ(16u, SettingOr("RBSetting", 999));

    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    EXPECT_TRUE(wt::WaitFor([&] { return WaitForSingleObject(pi_.hProcess, 0) == WAIT_OBJECT_0; }, 10000))
        << "the runner did not end after OK";
    wt::ExpectSequence(recorder.Received(), {notified[0], notified[0]}, "apply, then OK");
}

}  // namespace
