#include "tray/scrolling/wheel_scroll.h"

// Does nothing yet: the wheel routing is not built.
void OnWheelEvent(WPARAM, LPARAM)
{
}
