// Decisions of the tray program's start-up, main window and notification-area icon.
// Win32-free: built natively and unit-tested there; tray_program.cpp and tray_icon.cpp act on them.
#pragma once
#include <cstddef>
#include <cstdint>

// TrayButtonState: the three main buttons as the icon shows them.
unsigned const TRAY_LEFT_HELD = 1;
unsigned const TRAY_MIDDLE_HELD = 2;
unsigned const TRAY_RIGHT_HELD = 4;

// The held set after one driver event: a button's down bit sets it (also when its up bit is
// set too), else its up bit clears it. Other buttons and the wheel leave it alone.
unsigned NextTrayButtonState(unsigned current, uint32_t buttonState);
// The icon resource that shows a held set.
int TrayIconResource(unsigned trayButtonState);

// The tip holds 64 characters with the terminator: the first 63 of the product name.
size_t const TRAY_TIP_SIZE = 64;
void MakeTrayTip(const char *productName, char *tip, size_t tipSize);

// First-run import: "regedit /s " followed by the short installation directory and
// "\MRegSet.reg". False, with out emptied, when the directory is empty or the command does
// not fit out, so that no command is ever built from a cut path.
bool BuildImportCommand(const char *shortDirectory, char *out, size_t outSize);

// The Control Panel runner's command for the applet.
extern const char APPLET_COMMAND[];

// What the main window does with WM_COMMAND and WM_SYSCOMMAND, by the low word of wParam.
enum class CommandAction { OpenApplet, AskToClose, Ignore, Default };
uint32_t const SYSCOMMAND_RESTORE = 0xF120;   // SC_RESTORE
CommandAction CommandActionFor(uint32_t commandId);

// What the main window does with WMU_TRAY, by the mouse message in lParam.
enum class TrayAction { OpenApplet, ShowMenu, Ignore };
uint32_t const MOUSE_LEFT_DOUBLE_CLICK = 0x0203;   // WM_LBUTTONDBLCLK
uint32_t const MOUSE_RIGHT_UP = 0x0205;            // WM_RBUTTONUP
TrayAction TrayActionFor(uint32_t mouseMessage);

// A WM_CLOSE asks the user first only when its wParam is CLOSE_WITH_CONFIRMATION.
bool CloseAsksFirst(uintptr_t wParam);
