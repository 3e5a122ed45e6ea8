#include "shared/function_catalogue.h"

const char *const FunctionNames[FUNCTION_COUNT] = {
#define FUNCTION_NAME(code, text) text,
#include "shared/function_names.inc"
#undef FUNCTION_NAME
};

namespace {
// The names file must list every code once, in order, for index == code to hold.
constexpr int ListedCodes[] = {
#define FUNCTION_NAME(code, text) code,
#include "shared/function_names.inc"
#undef FUNCTION_NAME
};
constexpr bool CodesInOrder()
{
    for (int i = 0; i < FUNCTION_COUNT; ++i)
        if (ListedCodes[i] != i)
            return false;
    return true;
}
static_assert(sizeof(ListedCodes) / sizeof(ListedCodes[0]) == FUNCTION_COUNT, "fifty names");
static_assert(CodesInOrder(), "names listed by code, 0 to 49");
}  // namespace

namespace vk {
constexpr uint8_t END = 0x23, RETURN = 0x0D, F1 = 0x70, NEXT = 0x22, PRIOR = 0x21, LWIN = 0x5B,
                  MENU = 0x12, LEFT = 0x25, UP = 0x26, RIGHT = 0x27, DOWN = 0x28, KEY_R = 0x52,
                  KEY_F = 0x46;
}

const KeyChord KeyTable[KEY_TABLE_ROWS] = {
    {vk::END, 0},          // 25 End
    {vk::RETURN, 0},       // 26 Enter
    {vk::F1, 0},           // 27 F1
    {vk::F1 + 1, 0},       // 28 F2
    {vk::F1 + 2, 0},       // 29 F3
    {vk::F1 + 3, 0},       // 30 F4
    {vk::F1 + 4, 0},       // 31 F5
    {vk::F1 + 5, 0},       // 32 F6
    {vk::F1 + 6, 0},       // 33 F7
    {vk::F1 + 7, 0},       // 34 F8
    {vk::F1 + 8, 0},       // 35 F9
    {vk::F1 + 9, 0},       // 36 F10
    {vk::F1 + 10, 0},      // 37 F11
    {vk::F1 + 11, 0},      // 38 F12
    {vk::NEXT, 0},         // 39 Page Down
    {vk::PRIOR, 0},        // 40 Page Up
    {vk::LWIN, vk::KEY_R}, // 41 Run
    {vk::LWIN, 0},         // 42 Start Menu
    {vk::LWIN, vk::KEY_F}, // 43 Find Files/Folders
    {vk::MENU, vk::LEFT},  // 44 Back
    {vk::MENU, vk::RIGHT}, // 45 Forward
    {vk::UP, 0},           // 46 Arrow Up
    {vk::DOWN, 0},         // 47 Arrow Down
    {vk::LEFT, 0},         // 48 Arrow Left
    {vk::RIGHT, 0},        // 49 Arrow Right
};

bool IsFunctionCode(int32_t code) { return code >= 0 && code < FUNCTION_COUNT; }

const char *FunctionName(int32_t code) { return IsFunctionCode(code) ? FunctionNames[code] : nullptr; }

const KeyChord *KeyChordOf(int32_t code)
{
    if (code < FN_FIRST_KEY || code > FN_LAST_KEY)
        return nullptr;
    return &KeyTable[code - FN_FIRST_KEY];
}

bool HasDetailDialog(int32_t code) { return code == FN_ZOOM_IN || code == FN_WEB_BROWSER; }
