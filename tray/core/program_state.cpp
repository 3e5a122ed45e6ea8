#include "tray/core/program_state.h"

HINSTANCE ProgramInstance = nullptr;
HWND MainWindow = nullptr;
