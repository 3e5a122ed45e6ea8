// Start-up, the hidden main window and its message protocol, the close confirmation and the
// shut-down of the tray program.
#pragma once
#include <windows.h>

// Window classes: the auto-scroll indicator's and the main window's (found by a second start
// and by the applet).
#define AUTOSCROLL_ICON_CLASS "AUTOSCROLL_ICON_WND"
#define MAIN_WINDOW_CLASS "Quillmark_4D_MOUSE"

// The whole program: single instance, first-run import, system check, the hidden main window
// and the message loop. Returns the exit code, 0 on every path.
int RunTrayProgram(HINSTANCE instance);

// Registers both classes and loads the product information; 1 on success.
int RegisterWindowClasses(HINSTANCE instance);
void UnregisterWindowClasses();
// Runs the importer of the installation's settings for a user without a key yet; 1 when
// start-up may go on, 0 when the program is not installed.
int FirstRunImport();
// Starts the applet through the Control Panel runner from the Windows directory.
void OpenControlPanelApplet();
// Asks whether to close; 1 when the user did not answer Yes.
int ConfirmClose(HWND window);
// Closes the driver channel, removes the icon and puts the user's cursors back.
void ShutDown(HWND window);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
