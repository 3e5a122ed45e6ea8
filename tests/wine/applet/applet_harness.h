// Loads MOVRAPANEL.CPL into the test process, runs its property sheet on a second thread and
// drives it from the test thread; a window of the tray program's class records what the
// applet sends it.
#pragma once
#include <windows.h>

#include <commctrl.h>
#include <cpl.h>
#include <prsht.h>

#include <string>
#include <vector>

#include "applet/resource.h"
#include "wine_test_support.h"

namespace applet_test {

typedef LONG(CALLBACK *AppletProc)(HWND, UINT, LPARAM, LPARAM);

int const SHEET_APPLY_BUTTON = 0x3021;   // the sheet's Apply button
UINT const WMU_SETTINGS_CHANGED = 1312;
#define TEST_SETTINGS_KEY "SOFTWARE\\Quillmark4D\\1.1\\SETTINGS"

void WriteSetting(const char *name, DWORD value);
bool ReadSetting(const char *name, DWORD *value);
bool SettingsKeyExists();
DWORD SettingOr(const char *name, DWORD fallback);

struct ProductInfoText {
    int mouseXD = 3;
    int infoPage = 0;
    std::string productName = "Sample Mouse";
    std::string companyName = "Sample Works";
    std::string version = "Version 3.1";
    std::string companyPage = "http://www.example.com/";
    std::string webSite = "http://old.example.com/";
};
void WriteProductInfo(const ProductInfoText &info);

// A window of class "Quillmark_4D_MOUSE" on the test thread, recording private messages.
class TrayRecorder {
public:
    TrayRecorder();
    ~TrayRecorder();
    const std::vector<wt::MessageRecord> &Received() const;
    void Clear();

private:
    HWND window_;
};

std::string WindowText(HWND window);
std::string ComboText(HWND combo, int index);   // the W form: it also works across processes
bool Enabled(HWND dialog, int control);
// A screenshot once the X server shows what the windows have painted (it lags behind them).
void Snapshot(const char *name);
bool Checked(HWND dialog, int control);

class AppletTest : public wt::IsolatedTest {
protected:
    void TearDown() override;

    // Loads the CPL; the attach step reads the settings written before.
    void Load();
    LONG Call(UINT message, LPARAM lParam1 = 0, LPARAM lParam2 = 0);
    // CPL_NEWINQUIRE into a scratch record, as a host does before opening the applet.
    void Inquire();

    // Runs CPL_DBLCLK on a second thread and waits for the sheet.
    void OpenSheet();
    HWND Page() const;
    // Posted: a sent PSM_PRESSBUTTON can leave the sheet's loop asleep.
    void Press(int button);
    // Waits for the sheet's thread to return from CPlApplet.
    bool WaitSheetClosed(DWORD timeoutMs = 10000);
    void CloseSheet();
    void SelectRow(int listId, int index);
    // Clicks a detail button (posted: the dialog it opens is modal) and waits for the dialog.
    HWND OpenSettingDialog(int detailButton, const char *caption);
    void Click(HWND dialog, int control);   // BM_CLICK, handled on the sheet's thread
    bool WaitDialogClosed(HWND dialog);

    HMODULE module_ = nullptr;
    AppletProc applet_ = nullptr;
    HWND sheet_ = nullptr;
    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
};

}  // namespace applet_test
