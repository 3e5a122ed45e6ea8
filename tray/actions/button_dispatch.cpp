#include "tray/actions/button_dispatch.h"

// Does nothing yet: the button functions and their executor are not built.
void DispatchButtonEvent(WPARAM, LPARAM)
{
}
