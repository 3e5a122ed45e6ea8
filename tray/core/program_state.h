// Program-wide handles of the tray program, set by its start-up and read everywhere.
#pragma once
#include <windows.h>

// Recorded by the entry point; every resource load uses it.
extern HINSTANCE ProgramInstance;
// Recorded first thing in WM_CREATE (before the driver channel opens) and again from the
// result of window creation. The driver reader thread posts its events here.
extern HWND MainWindow;
