// Wheel scroll routing: turns wheel movement into scroll messages to the window under the cursor.
#pragma once
#include <windows.h>

// wheel and tick are the wParam and lParam of WMU_WHEEL_EVENT, unchanged.
void OnWheelEvent(WPARAM wheel, LPARAM tick);
