// The tray program as a test sees it from outside: an installation in the registry and the
// system directory, the running process, its main window, the simulated driver and a
// notification area of the test's own.
#pragma once
#include <windows.h>

#include <string>

#include "devices/simdriver/sim_client.h"
#include "fake_notification_area.h"
#include "wine_test_support.h"

namespace tt {

#define TRAY_PRODUCT_KEY "SOFTWARE\\Quillmark4D\\1.1"
#define TRAY_SETTINGS_KEY "SOFTWARE\\Quillmark4D\\1.1\\SETTINGS"
#define TRAY_WINDOW_CLASS "Quillmark_4D_MOUSE"

// The installation folder the fixture installs into (its name has a blank, so only its short
// form runs unquoted).
std::string InstallDirectory();
// MInfoCfg.ini with this product name.
void WriteProductInfo(const std::string &productName);
// HKLM "Path"; an empty directory removes the value but keeps the key.
void SetMachinePath(const std::string &directory);
void CreateUserKey();
void DeleteUserKey();
bool UserKeyExists();
bool SetSetting(const char *name, DWORD value);
bool GetSetting(const char *name, DWORD *value);

// Pumps this thread's messages (the notification area lives on it) while waiting.
bool WaitForProcessEnd(HANDLE process, DWORD ms);

class TrayProcess {
public:
    ~TrayProcess() { Stop(); }
    // Starts movratray.exe from the build tree; true once its main window exists. When the
    // program ends instead, false (see ExitCode).
    bool Start(DWORD timeoutMs = 15000);
    // Starts it and waits for it to end; its exit code, or -1 when it did not end in time.
    long RunToEnd(DWORD timeoutMs = 15000);
    // Waits for the end; the exit code, or -1.
    long WaitExit(DWORD timeoutMs = 10000);
    bool Running() const;
    HWND Window() const { return window_; }
    DWORD ProcessId() const { return pi_.dwProcessId; }
    // Closes without asking (WM_CLOSE 0) and, if that does not end it, terminates it.
    void Stop();

private:
    PROCESS_INFORMATION pi_ = {};
    HWND window_ = nullptr;
};

// The stand-in applet as MOVRAPANEL.CPL in the system directory for as long as this lives;
// a real applet found there is put back afterwards.
class StandInApplet {
public:
    StandInApplet();
    ~StandInApplet();
    bool Ok() const { return ok_; }
    // Lines the applet recorded so far, one per opening.
    int Openings() const;
    std::string Log() const;
    // Waits until at least n openings are recorded.
    bool WaitForOpenings(int n, DWORD timeoutMs = 15000) const;

private:
    bool ok_ = false;
    bool hadReal_ = false;
};

// A test of the installed program: the simulated driver reset, a notification area of the
// test's own, the machine's "Path", the user's key and MInfoCfg.ini with DEFAULT_PRODUCT.
#define DEFAULT_PRODUCT "Quillmark 4D Mouse"
class InstalledTrayTest : public wt::IsolatedTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // The NT channel of the simulated driver as it is now.
    SimChannelState Nt();

public:
    HANDLE control_ = INVALID_HANDLE_VALUE;
    FakeNotificationArea area_;
};

}  // namespace tt
