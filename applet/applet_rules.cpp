#include "applet/applet_rules.h"

#include <cstring>

#include "applet/resource.h"
#include "shared/function_catalogue.h"

int DetailMaskBit(int listId)
{
    if (listId < IDC_LIST_RIGHT || listId > IDC_LIST_FIFTH)
        return 0;
    return 1 << (listId - IDC_LIST_RIGHT);
}

int32_t *RowSetting(SettingsBlockRecord &block, int listId)
{
    switch (listId) {
    case IDC_LIST_WHEEL: return &block.WheelSetting;
    case IDC_LIST_RIGHT: return &block.RBSetting;
    case IDC_LIST_MIDDLE: return &block.MBSetting;
    case IDC_LIST_FOURTH: return &block.Setting4B;
    case IDC_LIST_FIFTH: return &block.Setting5B;
    default: return nullptr;
    }
}

int ComputeDetailMask(const SettingsBlockRecord &block)
{
    SettingsBlockRecord copy = block;
    int mask = 0;
    for (int list = IDC_LIST_RIGHT; list <= IDC_LIST_FIFTH; ++list)
        if (HasDetailDialog(*RowSetting(copy, list)))
            mask |= DetailMaskBit(list);
    return mask;
}

int ButtonPageTemplate(int32_t mouseXD)
{
    switch (mouseXD) {
    case 2: return IDD_BUTTONS_TWO;
    case 3: return IDD_BUTTONS_THREE;
    case 4: return IDD_BUTTONS_WHEEL;
    case 5: return IDD_BUTTONS_FIVE;
    default: return IDD_BUTTONS_THREE;   // product information not loaded yet
    }
}

int DetailBitmap(int controlId, int detailMask, bool selected)
{
    int face = selected ? IDB_DETAIL_PRESSED : IDB_DETAIL_RAISED;
    if (controlId == IDC_DETAIL_WHEEL)
        return face;
    if (controlId < IDC_DETAIL_RIGHT || controlId > IDC_DETAIL_FIFTH)
        return 0;
    if (!(detailMask & DetailMaskBit(controlId - DETAIL_OFFSET)))
        return IDB_DETAIL_GREYED;
    return face;
}

Wheel4DView Wheel4DInitialView(int32_t scrollPara)
{
    Wheel4DView view = {};
    view.backgroundChecked = scrollPara & BackgroundWheel;
    view.setActiveEnabled = view.backgroundChecked;
    view.setActiveChecked = scrollPara & SetWindowActive;
    view.linesEditEnabled = true;
    if (scrollPara & WheelPageScroll) {
        view.pageScrollChecked = true;
        view.linesEditEnabled = false;
    }
    // With both bits set, as in the default 15, "Wheel Scroll Lines" wins.
    if (scrollPara & WheelScrollLines) {
        view.pageScrollChecked = false;
        view.scrollLinesChecked = true;
        view.linesEditEnabled = true;
    }
    return view;
}

int32_t WithBit(int32_t value, int32_t bit, bool set) { return set ? (value | bit) : (value & ~bit); }
int32_t ChoosePageScroll(int32_t scrollPara) { return WithBit(WithBit(scrollPara, WheelPageScroll, true), WheelScrollLines, false); }
int32_t ChooseScrollLines(int32_t scrollPara) { return WithBit(WithBit(scrollPara, WheelPageScroll, false), WheelScrollLines, true); }

bool TrackbarCodeMovesSpeed(unsigned code) { return code <= 7; }

int32_t ZoomRateFromIndex(int index) { return index + ZOOM_RATE_LIST_OFFSET; }
int ZoomRateIndex(int32_t zoomRate) { return zoomRate - ZOOM_RATE_LIST_OFFSET; }

void FitTextToField(char *field, size_t fieldSize, const char *text)
{
    if (fieldSize == 0)
        return;
    size_t len = strlen(text);
    if (len < fieldSize) {
        memmove(field, text, len + 1);
        return;
    }
    static const char ellipsis[] = "...";
    const size_t dots = sizeof(ellipsis) - 1;
    if (fieldSize <= dots + 1) {
        memmove(field, text, fieldSize - 1);
        field[fieldSize - 1] = '\0';
        return;
    }
    size_t keep = fieldSize - 1 - dots;
    while (keep > 0 && text[keep - 1] == ' ')   // no blank before the dots
        --keep;
    memmove(field, text, keep);
    memcpy(field + keep, ellipsis, dots + 1);
}

void ComposeProductLine(char *out, size_t outSize, const char *name, const char *version)
{
    char line[2 * 260 + 2];
    size_t nameLen = strnlen(name, 260);
    size_t versionLen = strnlen(version, 260);
    memcpy(line, name, nameLen);
    line[nameLen] = ' ';
    memcpy(line + nameLen + 1, version, versionLen);
    line[nameLen + 1 + versionLen] = '\0';
    FitTextToField(out, outSize, line);
}
