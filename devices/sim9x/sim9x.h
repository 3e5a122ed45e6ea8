// In-process stand-in for the Windows 9x mouse driver, which cannot load in Wine. It takes the
// place of the driver link's device calls for "\\.\TZRMOUSE" and posts WMU_BUTTON_EVENT to the
// window it was given in CTL_SETTINGS_9X, as the real driver does, until a window of 0 ends it.
// Other names and handles go on to the system's functions.
#pragma once
#include <windows.h>

#include "tray/driver/driver_rules.h"

int const SIM9X_SETTINGS_LOG = 8;

struct Sim9xStateRecord {
    bool present;                 // opens succeed
    bool failNextScanCodes;       // the next CTL_SCANCODES fails
    HANDLE handle;                // the open handle, or INVALID_HANDLE_VALUE
    int opens;
    int closes;
    DWORD openAccess, openShare, openDisposition, openFlags;
    int scanCodeRequests;
    ScanCodeRecord scanCodes;
    int settingsCount;            // CTL_SETTINGS_9X seen; settings[(n - 1) % LOG] is the n-th
    SettingsRecord settings[SIM9X_SETTINGS_LOG];
    HWND window;                  // where events go; none after the close record
    int refused;                  // malformed requests
    int requestsAfterClose;       // requests on the handle once closed: must stay 0
    int posted;
};
extern Sim9xStateRecord Sim9xState;

// Puts the stand-in in place of the device calls (fresh state) and takes it out again.
void Sim9xInstall();
void Sim9xUninstall();
// The driver saw a button or wheel event: posts it to the window it was given, if any.
// Returns whether it posted.
bool Sim9xInject(uint32_t buttonState, uint32_t value);
// The last settings record received (all zero when none).
SettingsRecord Sim9xLastSettings();
