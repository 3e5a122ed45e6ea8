// Auto-scroll: its indicator, direction cursors and timer, and the user's cursors put back.
#pragma once
#include <windows.h>

// Puts the user's arrow and I-beam cursors back as the system cursors; with refresh, makes
// the screen show them at once.
void RestoreUserCursors(bool refresh);
