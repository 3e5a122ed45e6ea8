// The private window messages of the tray program: the whole protocol between the driver
// reader, the notification area, a second start, the applet and the main window.
// Win32-free (UINT is unsigned int), so the decision code can name them too.
#pragma once

// Posted by a second start of the program; the running one opens the applet.
unsigned const WMU_OPEN_PANEL = 1310;        // 0x51E, wParam 0, lParam 0
// Callback message of the notification-area icon; lParam is the mouse message.
unsigned const WMU_TRAY = 1311;              // 0x51F, wParam the icon id (not read)
// Sent (synchronously) by the applet after it saved the settings.
unsigned const WMU_SETTINGS_CHANGED = 1312;  // 0x520, wParam 0, lParam 0
// Addressed to the zoom lens window, not to the main window.
unsigned const WMU_ZOOM_REFRESH = 1313;      // 0x521
// A driver event: wParam the button transitions, lParam the event data.
unsigned const WMU_BUTTON_EVENT = 1324;      // 0x52C
// Wheel movement: wParam the value (low 16 bits a signed delta), lParam GetTickCount().
unsigned const WMU_WHEEL_EVENT = 1325;       // 0x52D

// wParam of WM_CLOSE that asks the user before closing.
unsigned const CLOSE_WITH_CONFIRMATION = 100;
