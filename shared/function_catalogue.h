// The button functions by code, their display names and the keys of the key-stroke functions.
// Win32-free: built natively and unit-tested there.
#pragma once
#include <cstdint>

enum FunctionCode : int32_t {
    FN_UNASSIGNED = 0,
    FN_AUTO_SCROLL = 1,
    FN_MIDDLE_BUTTON = 2,
    FN_ZOOM_IN = 3,
    FN_WINDOWS_EXPLORER = 4,
    FN_WORD_PAD = 5,
    FN_PAINT_BRUSH = 6,
    FN_NOTE_PAD = 7,
    FN_CALCULATOR = 8,
    FN_CONTROL_PANEL = 9,
    FN_MAXIMIZE_WINDOW = 10,
    FN_RESTORE_WINDOW = 11,
    FN_MINIMIZE_WINDOW = 12,
    FN_CLOSE_WINDOW = 13,
    FN_DOUBLE_CLICK = 14,
    FN_CUT = 15,
    FN_COPY = 16,
    FN_PASTE = 17,
    FN_DELETE = 18,
    FN_WEB_BROWSER = 19,
    FN_HORIZONTAL_SCROLL = 20,
    FN_HOLD_CTRL = 21,
    FN_HOLD_SHIFT = 22,
    FN_OPEN_EMAIL = 23,
    FN_FIND_COMPUTER = 24,
    FN_FIRST_KEY = 25,   // 25 to 49: one key or a chord from KeyTable
    FN_LAST_KEY = 49,
};

constexpr int FUNCTION_COUNT = 50;
constexpr int KEY_TABLE_ROWS = FN_LAST_KEY - FN_FIRST_KEY + 1;
// The applet's string id of a function's display name is this plus the code.
constexpr int IDS_FUNCTION_NAME_FIRST = 1010;

extern const char *const FunctionNames[FUNCTION_COUNT];

// Virtual-key codes: the first key, and the second or 0. With two, the first is held while
// the second is pressed and released.
struct KeyChord {
    uint8_t first;
    uint8_t second;
};
extern const KeyChord KeyTable[KEY_TABLE_ROWS];

bool IsFunctionCode(int32_t code);
// The display name, or nullptr outside 0 to 49.
const char *FunctionName(int32_t code);
// The chord of codes 25 to 49, or nullptr for any other code.
const KeyChord *KeyChordOf(int32_t code);
// Functions with a setting dialog of their own in the applet: "Zoom In" and "Web Browser".
bool HasDetailDialog(int32_t code);
