// Helpers for GoogleTest programs that run under Wine: paths, isolation of the registry keys and
// files the product touches, child processes, the reported Windows version, message-sequence
// checks and screenshots.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace wt {

// "/a/b" -> "Z:\a\b" (Wine maps the Unix root to drive Z:).
std::string WindowsPath(const std::string &unixPath);
// The build tree's bin folder (Windows form), where movratray.exe and MOVRAPANEL.CPL land.
std::string BinDir();
// The source tree (Windows form).
std::string SourceDir();
// Windows and system directories.
std::string WindowsDir();
std::string SystemDir();

// Registry keys and files the product reads or writes.
#define MOVRA_TEST_PRODUCT_KEY "SOFTWARE\\Quillmark4D"
bool KeyExists(HKEY root, const char *path);
void DeleteProductKeys();                 // HKCU and HKLM "SOFTWARE\Quillmark4D", whole trees
std::string ProductInfoFilePath();        // <system32>\MInfoCfg.ini
void WriteProductInfoFile(const std::string &contents);
void RemoveProductInfoFile();
std::string ReadFileText(const std::string &path);
bool WriteFileText(const std::string &path, const std::string &contents);

// Every test that touches settings or product information derives from this: the keys and
// the file are removed before and after each test.
class IsolatedTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// Starts cmdline; returns false when it could not start. Waits up to timeoutMs for the exit.
bool StartProcess(const std::string &cmdline, PROCESS_INFORMATION *pi, const char *dir = nullptr);
// Runs cmdline to its end; returns its exit code, or -1 when it did not start or timed out
// (then it is terminated).
long RunProcess(const std::string &cmdline, DWORD timeoutMs = 30000, const char *dir = nullptr);

// Sets the Windows version Wine reports to the program exe (a file name such as
// "movratray.exe") for as long as this object lives.
class ScopedWineVersion {
public:
    ScopedWineVersion(const std::string &exe, const std::string &version);
    ~ScopedWineVersion();
    ScopedWineVersion(const ScopedWineVersion &) = delete;
    ScopedWineVersion &operator=(const ScopedWineVersion &) = delete;

private:
    std::string key_;
};

// The first top-level window of the process with that class (any class when className is
// null), visible ones only when visibleOnly; null when there is none.
HWND FindProcessWindow(DWORD processId, const char *className, bool visibleOnly);

// Pumps this thread's messages for ms milliseconds.
void PumpMessages(DWORD ms);
// Pumps messages until pred() holds or timeoutMs passes; returns pred()'s last answer.
bool WaitFor(const std::function<bool()> &pred, DWORD timeoutMs = 5000);

// Message sequences, compared as Wine's conformance tests do: a static table of expected
// messages, one recorder, one comparison that names the sequence and the first difference.
enum MessageFlags : unsigned {
    MSG_CHECK_WPARAM = 1,
    MSG_CHECK_LPARAM = 2,
    MSG_OPTIONAL = 4,     // may be missing from what arrived
};
struct MessageRecord {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    unsigned flags;
};
void ExpectSequence(const std::vector<MessageRecord> &actual, const std::vector<MessageRecord> &expected,
                    const char *sequenceName);

// Saves a screenshot of the whole screen as <build>/screenshots/<name>.png (import -window root).
bool TakeScreenshot(const std::string &name);

}  // namespace wt
