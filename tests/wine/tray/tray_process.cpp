#include "tray_process.h"

#include <shlwapi.h>

#include "standin_applet.h"

namespace tt {

std::string InstallDirectory()
{
    char dir[MAX_PATH] = "";
    GetEnvironmentVariableA("ProgramFiles", dir, sizeof(dir));
    return std::string(dir) + "\\Quillmark4D";
}

void WriteProductInfo(const std::string &productName)
{
    wt::WriteProductInfoFile("[General]\r\nMouseXD=5\r\nInfoPage=1\r\nCompanyName=Quillmark\r\nProductName=" +
                             productName + "\r\n");
}

void SetMachinePath(const std::string &directory)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, TRAY_PRODUCT_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    if (directory.empty())
        RegDeleteValueA(key, "Path");
    else
        RegSetValueExA(key, "Path", 0, REG_SZ, reinterpret_cast<const BYTE *>(directory.c_str()),
                       static_cast<DWORD>(directory.size() + 1));
    RegCloseKey(key);
}

void CreateUserKey()
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, TRAY_PRODUCT_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

void DeleteUserKey() { SHDeleteKeyA(HKEY_CURRENT_USER, "SOFTWARE\\Quillmark4D"); }

bool UserKeyExists() { return wt::KeyExists(HKEY_CURRENT_USER, TRAY_PRODUCT_KEY); }

bool SetSetting(const char *name, DWORD value)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, TRAY_SETTINGS_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    bool ok = RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value), sizeof(value)) ==
              ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

bool GetSetting(const char *name, DWORD *value)
{
    DWORD size = sizeof(*value);
    return SHGetValueA(HKEY_CURRENT_USER, TRAY_SETTINGS_KEY, name, nullptr, value, &size) == ERROR_SUCCESS;
}

bool WaitForProcessEnd(HANDLE process, DWORD ms)
{
    return wt::WaitFor([&] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, ms);
}

bool TrayProcess::Start(DWORD timeoutMs)
{
    Stop();
    std::string exe = wt::BinDir() + "\\movratray.exe";
    if (!wt::StartProcess("\"" + exe + "\"", &pi_))
        return false;
    wt::WaitFor(
        [&] {
            window_ = wt::FindProcessWindow(pi_.dwProcessId, TRAY_WINDOW_CLASS, false);
            return window_ != nullptr || WaitForSingleObject(pi_.hProcess, 0) == WAIT_OBJECT_0;
        },
        timeoutMs);
    return window_ != nullptr;
}

long TrayProcess::RunToEnd(DWORD timeoutMs)
{
    Stop();
    std::string exe = wt::BinDir() + "\\movratray.exe";
    if (!wt::StartProcess("\"" + exe + "\"", &pi_))
        return -1;
    return WaitExit(timeoutMs);
}

long TrayProcess::WaitExit(DWORD timeoutMs)
{
    if (!pi_.hProcess || !WaitForProcessEnd(pi_.hProcess, timeoutMs))
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(pi_.hProcess, &code);
    return static_cast<long>(code);
}

bool TrayProcess::Running() const
{
    return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT;
}

void TrayProcess::Stop()
{
    if (!pi_.hProcess)
        return;
    if (Running() && window_) {
        PostMessageA(window_, WM_CLOSE, 0, 0);
        WaitForProcessEnd(pi_.hProcess, 5000);
    }
    if (Running()) {
        TerminateProcess(pi_.hProcess, 255);
        WaitForSingleObject(pi_.hProcess, 5000);
    }
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
    pi_ = {};
    window_ = nullptr;
}

static std::string AppletPath() { return wt::SystemDir() + "\\MOVRAPANEL.CPL"; }
static std::string SavedAppletPath() { return wt::SystemDir() + "\\MOVRAPANEL.CPL.saved"; }

StandInApplet::StandInApplet()
{
    char log[MAX_PATH];
    StandInAppletLogPath(log, sizeof(log));
    DeleteFileA(log);
    hadReal_ = GetFileAttributesA(AppletPath().c_str()) != INVALID_FILE_ATTRIBUTES;
    if (hadReal_)
        MoveFileExA(AppletPath().c_str(), SavedAppletPath().c_str(), MOVEFILE_REPLACE_EXISTING);
    ok_ = CopyFileA((wt::BinDir() + "\\standin_applet.cpl").c_str(), AppletPath().c_str(), FALSE) != 0;
}

StandInApplet::~StandInApplet()
{
    DeleteFileA(AppletPath().c_str());
    if (hadReal_)
        MoveFileExA(SavedAppletPath().c_str(), AppletPath().c_str(), MOVEFILE_REPLACE_EXISTING);
    char log[MAX_PATH];
    StandInAppletLogPath(log, sizeof(log));
    DeleteFileA(log);
}

std::string StandInApplet::Log() const
{
    char log[MAX_PATH];
    StandInAppletLogPath(log, sizeof(log));
    return wt::ReadFileText(log);
}

int StandInApplet::Openings() const
{
    std::string text = Log();
    int n = 0;
    for (char c : text)
        n += c == '\n';
    return n;
}

bool StandInApplet::WaitForOpenings(int n, DWORD timeoutMs) const
{
    return wt::WaitFor([&] { return Openings() >= n; }, timeoutMs);
}

void InstalledTrayTest::SetUp()
{
    wt::IsolatedTest::SetUp();
    control_ = SimOpenControl();
    ASSERT_NE(control_, INVALID_HANDLE_VALUE) << "the simulated driver is not loaded (fixture sim_driver)";
    ASSERT_TRUE(SimReset(control_));
    ASSERT_TRUE(area_.Ok()) << "the test's notification area is not the one the system finds";
    SetMachinePath(InstallDirectory());
    CreateUserKey();
    WriteProductInfo(DEFAULT_PRODUCT);
}

void InstalledTrayTest::TearDown()
{
    if (control_ != INVALID_HANDLE_VALUE) {
        SimReset(control_);
        CloseHandle(control_);
        control_ = INVALID_HANDLE_VALUE;
    }
    wt::IsolatedTest::TearDown();
}

SimChannelState InstalledTrayTest::Nt()
{
    SimStateRecord state = {};
    state.size = sizeof(state);
    EXPECT_TRUE(SimGetState(control_, &state));
    return state.channel[SIM_CHANNEL_NT];
}

}  // namespace tt
