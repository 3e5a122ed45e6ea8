// Applet entry and property sheet: the module's attach step, the Control Panel entry point,
// the sheet, and the notice to the running tray program.
#pragma once
#include <windows.h>

#include <cpl.h>

// Private message of the tray program's main window: reload settings and product information.
UINT const WMU_SETTINGS_CHANGED = 1312;
#define TRAY_WINDOW_CLASS "Quillmark_4D_MOUSE"

extern HINSTANCE ModuleInstance;

extern "C" LONG CALLBACK CPlApplet(HWND hwndCPl, UINT uMsg, LPARAM lParam1, LPARAM lParam2);
void ShowSettingsSheet(HWND hwndParent);
int CALLBACK SheetCallback(HWND hwndSheet, UINT uMsg, LPARAM lParam);
void NotifyTrayProgram();
// Fills the applet description for CPL_NEWINQUIRE; the product information is read first.
void DescribeApplet(NEWCPLINFOA *info);
