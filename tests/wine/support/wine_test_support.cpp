#include "wine_test_support.h"

#include <shlwapi.h>

#include <cstdio>
#include <cstdlib>

namespace wt {

std::string WindowsPath(const std::string &unixPath)
{
    std::string out = "Z:";
    for (char c : unixPath)
        out += c == '/' ? '\\' : c;
    return out;
}

static std::string EnvPath(const char *name)
{
    const char *v = getenv(name);
    if (!v || !*v) {
        ADD_FAILURE() << name << " is not set; run this test through ctest";
        return "";
    }
    return WindowsPath(v);
}

std::string BinDir() { return EnvPath("MOVRA_BIN_DIR"); }
std::string SourceDir() { return EnvPath("MOVRA_SOURCE_DIR"); }

std::string WindowsDir()
{
    char dir[MAX_PATH];
    GetWindowsDirectoryA(dir, sizeof(dir));
    return dir;
}

std::string SystemDir()
{
    char dir[MAX_PATH];
    GetSystemDirectoryA(dir, sizeof(dir));
    return dir;
}

bool KeyExists(HKEY root, const char *path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void DeleteProductKeys()
{
    SHDeleteKeyA(HKEY_CURRENT_USER, MOVRA_TEST_PRODUCT_KEY);
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, MOVRA_TEST_PRODUCT_KEY);
}

std::string ProductInfoFilePath() { return SystemDir() + "\\MInfoCfg.ini"; }

bool WriteFileText(const std::string &path, const std::string &contents)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(f, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
    CloseHandle(f);
    return ok && written == contents.size();
}

std::string ReadFileText(const std::string &path)
{
    std::string out;
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return out;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof(buf), &got, nullptr) && got > 0)
        out.append(buf, got);
    CloseHandle(f);
    return out;
}

void WriteProductInfoFile(const std::string &contents)
{
    // The profile functions cache files; flush before replacing it behind their back.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, ProductInfoFilePath().c_str());
    ASSERT_TRUE(WriteFileText(ProductInfoFilePath(), contents)) << ProductInfoFilePath();
}

void RemoveProductInfoFile()
{
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, ProductInfoFilePath().c_str());
    DeleteFileA(ProductInfoFilePath().c_str());
}

void IsolatedTest::SetUp()
{
    DeleteProductKeys();
    RemoveProductInfoFile();
}

void IsolatedTest::TearDown()
{
    DeleteProductKeys();
    RemoveProductInfoFile();
}

bool StartProcess(const std::string &cmdline, PROCESS_INFORMATION *pi, const char *dir)
{
    STARTUPINFOA si = {sizeof(si)};
    std::string cmd = cmdline;   // CreateProcessA may write into its command line
    return CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, dir, &si, pi) != 0;
}

long RunProcess(const std::string &cmdline, DWORD timeoutMs, const char *dir)
{
    PROCESS_INFORMATION pi;
    if (!StartProcess(cmdline, &pi, dir))
        return -1;
    long result = -1;
    if (WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(pi.hProcess, &code);
        result = static_cast<long>(code);
    } else {
        TerminateProcess(pi.hProcess, 255);
        WaitForSingleObject(pi.hProcess, 5000);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return result;
}

ScopedWineVersion::ScopedWineVersion(const std::string &exe, const std::string &version)
    : key_("Software\\Wine\\AppDefaults\\" + exe)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE *>(version.c_str()),
                       static_cast<DWORD>(version.size() + 1));
        RegCloseKey(key);
    } else {
        ADD_FAILURE() << "cannot set the Windows version of " << exe;
    }
}

ScopedWineVersion::~ScopedWineVersion() { SHDeleteKeyA(HKEY_CURRENT_USER, key_.c_str()); }

void PumpMessages(DWORD ms)
{
    DWORD end = GetTickCount() + ms;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        LONG left = static_cast<LONG>(end - GetTickCount());
        if (left <= 0)
            break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left < 10 ? left : 10), QS_ALLINPUT);
    }
}

bool WaitFor(const std::function<bool()> &pred, DWORD timeoutMs)
{
    DWORD end = GetTickCount() + timeoutMs;
    while (!pred()) {
        if (static_cast<LONG>(end - GetTickCount()) <= 0)
            return pred();
        PumpMessages(10);
    }
    return true;
}

static std::string Describe(const MessageRecord &m)
{
    char buf[96];
    snprintf(buf, sizeof(buf), "msg 0x%04x wp %#llx lp %#llx", m.message,
             static_cast<unsigned long long>(m.wParam), static_cast<unsigned long long>(m.lParam));
    return buf;
}

void ExpectSequence(const std::vector<MessageRecord> &actual, const std::vector<MessageRecord> &expected,
                    const char *sequenceName)
{
    size_t a = 0;
    for (size_t e = 0; e < expected.size(); ++e) {
        const MessageRecord &want = expected[e];
        bool match = a < actual.size() && actual[a].message == want.message &&
                     (!(want.flags & MSG_CHECK_WPARAM) || actual[a].wParam == want.wParam) &&
                     (!(want.flags & MSG_CHECK_LPARAM) || actual[a].lParam == want.lParam);
        if (match) {
            ++a;
            continue;
        }
        if (want.flags & MSG_OPTIONAL)
            continue;
        ADD_FAILURE() << sequenceName << ": step " << e << " expected " << Describe(want) << ", got "
                      << (a < actual.size() ? Describe(actual[a]) : std::string("nothing"));
        return;
    }
    if (a < actual.size())
        ADD_FAILURE() << sequenceName << ": unexpected " << Describe(actual[a]) << " after the last expected step";
}

static LONGLONG FileSize(const std::string &path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

namespace {
struct FindRequest {
    DWORD processId;
    const char *className;
    bool visibleOnly;
    HWND found;
};
BOOL CALLBACK FindProc(HWND window, LPARAM lParam)
{
    FindRequest *r = reinterpret_cast<FindRequest *>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != r->processId || (r->visibleOnly && !IsWindowVisible(window)))
        return TRUE;
    char cls[64] = "";
    GetClassNameA(window, cls, sizeof(cls));
    if (r->className && strcmp(cls, r->className) != 0)
        return TRUE;
    r->found = window;
    return FALSE;
}
}  // namespace

HWND FindProcessWindow(DWORD processId, const char *className, bool visibleOnly)
{
    FindRequest r = {processId, className, visibleOnly, nullptr};
    EnumWindows(FindProc, reinterpret_cast<LPARAM>(&r));
    return r.found;
}


bool TakeScreenshot(const std::string &name)
{
    const char *bin = getenv("MOVRA_BIN_DIR");
    if (!bin) {
        ADD_FAILURE() << "MOVRA_BIN_DIR is not set; run this test through ctest";
        return false;
    }
    std::string dir = std::string(bin) + "/../screenshots";
    std::string file = dir + "/" + name + ".png";
    std::string windowsFile = WindowsPath(file);
    DeleteFileA(windowsFile.c_str());
    // Wine starts Unix programs given by a Unix path; the shell does the rest. The Windows side
    // of such a process ends before the Unix program does, so wait for the picture itself.
    std::string cmd = "Z:\\bin\\sh -c \"mkdir -p '" + dir + "' && import -window root 'png:" + file + ".part' 2>/dev/null && mv '" +
                      file + ".part' '" + file + "'\"";
    RunProcess(cmd, 20000);
    return WaitFor([&] { return FileSize(windowsFile) > 0; }, 20000);
}

}  // namespace wt
