// Button event dispatch: hands each driver button event to the zoom lens, the wheel routing
// or the function assigned to the released button.
#pragma once
#include <windows.h>

// buttonState and eventData are the wParam and lParam of WMU_BUTTON_EVENT, unchanged.
void DispatchButtonEvent(WPARAM buttonState, LPARAM eventData);
