// The applet's decisions that need no window: which button page layout a mouse model gets,
// which rows have a setting dialog, how a detail button looks, what the Wheel 4D dialog
// shows for a ScrollPara value, and how texts are cut to fit fixed fields.
// Win32-free: built natively and unit-tested there.
#pragma once
#include <cstddef>
#include <cstdint>

#include "shared/settings_rules.h"

// Bit of a button row in DetailMask: 1 << (list - 202) for lists 202 to 205, else 0.
int DetailMaskBit(int listId);
// Set for each of the four button rows whose function has a setting dialog.
int ComputeDetailMask(const SettingsBlockRecord &block);
// The setting of a list's row, or nullptr for an identifier that is no list.
int32_t *RowSetting(SettingsBlockRecord &block, int listId);

// Button page template for a MouseXD value: 2 -> 1, 3 -> 2, 4 -> 3, 5 -> 4, anything else -> 2.
int ButtonPageTemplate(int32_t mouseXD);

// Bitmap a detail button paints with: raised, pressed or greyed; 0 for a control that is no
// detail button. The wheel row's button is never greyed.
int DetailBitmap(int controlId, int detailMask, bool selected);

// What the Wheel 4D dialog shows when it opens with a ScrollPara value.
struct Wheel4DView {
    bool backgroundChecked;    // 221
    bool setActiveChecked;     // 222
    bool setActiveEnabled;     // 222
    bool pageScrollChecked;    // 223
    bool scrollLinesChecked;   // 224
    bool linesEditEnabled;     // 225
};
Wheel4DView Wheel4DInitialView(int32_t scrollPara);
int32_t WithBit(int32_t value, int32_t bit, bool set);
// The radio buttons are exclusive: choosing one sets its bit and clears the other's.
int32_t ChoosePageScroll(int32_t scrollPara);
int32_t ChooseScrollLines(int32_t scrollPara);

// Trackbar notification codes that move the speed: TB_LINEUP (0) to TB_BOTTOM (7).
// TB_ENDTRACK (8) and anything above it leave ScrollLines alone.
bool TrackbarCodeMovesSpeed(unsigned code);

// Zoom factor list: entry i shows "X(i+2)".
constexpr int32_t ZOOM_RATE_LIST_OFFSET = 2;
int32_t ZoomRateFromIndex(int index);
int ZoomRateIndex(int32_t zoomRate);

// Copies text into a field of fieldSize bytes with its terminator. A text that does not fit
// ends in "..." so the cut shows; nothing is written past the field.
void FitTextToField(char *field, size_t fieldSize, const char *text);
// "name version" into out, cut with FitTextToField when it does not fit.
void ComposeProductLine(char *out, size_t outSize, const char *name, const char *version);
