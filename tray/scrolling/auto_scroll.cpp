#include "tray/scrolling/auto_scroll.h"

// Does nothing yet: auto-scroll, which replaces the cursors, is not built.
void RestoreUserCursors(bool)
{
}
