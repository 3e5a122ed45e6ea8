// The notification-area icon and its menu: the icon shows which of the three main buttons are
// held, its tip names the product, and its menu opens the applet or closes the program.
#pragma once
#include <windows.h>

// The icon's identifier within the main window.
UINT const TrayIconId = 7721;

// The held buttons the icon shows (TRAY_LEFT_HELD | TRAY_MIDDLE_HELD | TRAY_RIGHT_HELD);
// set to 0 when the main window is created.
extern unsigned TrayButtonState;

// Adds the icon with the product name as tip; nonzero when the program may run, 0 when the
// shell refused it.
BOOL AddTrayIcon(HWND window);
void RemoveTrayIcon(HWND window);
// Follows the button transitions of one driver event; changes the picture only when the
// held set changes.
void UpdateTrayIcon(WPARAM buttonState);
// The two-item menu at the cursor; the choice arrives as WM_COMMAND 0 (open) or 1 (close).
void ShowTrayMenu(HWND window);
