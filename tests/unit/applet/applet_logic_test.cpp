// The applet's window-free decisions: layouts by mouse model, detail rows, detail-button faces,
// the Wheel 4D dialog's opening state, the speed trackbar codes and the cutting of texts.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "applet/applet_rules.h"
#include "applet/resource.h"

TEST(ButtonPageTemplate, FollowsTheMouseModel)
{
    struct Case { int32_t mouseXD; int templateId; };
    const Case cases[] = {{2, 1}, {3, 2}, {4, 3}, {5, 4}, {0, 2}, {1, 2}, {6, 2}, {-1, 2}};
    for (const Case &c : cases)
        EXPECT_EQ(c.templateId, ButtonPageTemplate(c.mouseXD)) << "MouseXD " << c.mouseXD;
}

TEST(DetailMask, SetForZoomInAndWebBrowserRowsOnly)
{
    struct Case { int32_t rb, mb, b4, b5; int mask; };
    const Case cases[] = {
        {0, 0, 0, 0, 0},   {3, 0, 0, 0, 1},   {0, 19, 0, 0, 2}, {0, 0, 3, 0, 4},
        {0, 0, 0, 19, 8},  {3, 19, 3, 19, 15}, {2, 4, 18, 20, 0}, {49, 1, 1, 49, 0},
    };
    for (const Case &c : cases) {
        SettingsBlockRecord block = {};
        block.RBSetting = c.rb;
        block.MBSetting = c.mb;
        block.Setting4B = c.b4;
        block.Setting5B = c.b5;
        block.WheelSetting = 3;   // the wheel row has no bit, whatever it holds
        EXPECT_EQ(c.mask, ComputeDetailMask(block)) << c.rb << " " << c.mb << " " << c.b4 << " " << c.b5;
    }
}

TEST(DetailMask, BitOfAListIsOneShiftedByItsDistanceFromTheRightButtonList)
{
    EXPECT_EQ(1, DetailMaskBit(IDC_LIST_RIGHT));
    EXPECT_EQ(2, DetailMaskBit(IDC_LIST_MIDDLE));
    EXPECT_EQ(4, DetailMaskBit(IDC_LIST_FOURTH));
    EXPECT_EQ(8, DetailMaskBit(IDC_LIST_FIFTH));
    EXPECT_EQ(0, DetailMaskBit(IDC_LIST_WHEEL));
    EXPECT_EQ(0, DetailMaskBit(206));
}

TEST(RowSetting, EachListEditsItsOwnField)
{
    SettingsBlockRecord block = {};
    *RowSetting(block, IDC_LIST_WHEEL) = 1;
    *RowSetting(block, IDC_LIST_RIGHT) = 2;
    *RowSetting(block, IDC_LIST_MIDDLE) = 3;
    *RowSetting(block, IDC_LIST_FOURTH) = 4;
    *RowSetting(block, IDC_LIST_FIFTH) = 5;
    EXPECT_EQ(1, block.WheelSetting);
    EXPECT_EQ(2, block.RBSetting);
    EXPECT_EQ(3, block.MBSetting);
    EXPECT_EQ(4, block.Setting4B);
    EXPECT_EQ(5, block.Setting5B);
    EXPECT_EQ(nullptr, RowSetting(block, 206));
    EXPECT_EQ(nullptr, RowSetting(block, IDC_DETAIL_RIGHT));
}

TEST(DetailBitmap, FaceByControlMaskAndPress)
{
    struct Case { int control; int mask; bool selected; int bitmap; };
    const Case cases[] = {
        {IDC_DETAIL_WHEEL, 0, false, IDB_DETAIL_RAISED},   // never greyed
        {IDC_DETAIL_WHEEL, 0, true, IDB_DETAIL_PRESSED},
        {IDC_DETAIL_RIGHT, 1, false, IDB_DETAIL_RAISED},
        {IDC_DETAIL_RIGHT, 1, true, IDB_DETAIL_PRESSED},
        {IDC_DETAIL_RIGHT, 14, false, IDB_DETAIL_GREYED},
        {IDC_DETAIL_RIGHT, 0, true, IDB_DETAIL_GREYED},
        {IDC_DETAIL_FIFTH, 8, false, IDB_DETAIL_RAISED},
        {IDC_DETAIL_FIFTH, 7, false, IDB_DETAIL_GREYED},
        {IDC_DETAIL_FOURTH, 4, true, IDB_DETAIL_PRESSED},
        {IDC_LIST_RIGHT, 15, false, 0},
        {216, 15, false, 0},
        {210, 15, false, 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.bitmap, DetailBitmap(c.control, c.mask, c.selected)) << "control " << c.control << " mask " << c.mask;
}

TEST(Wheel4DInitialView, ShowsScrollParaBits)
{
    struct Case {
        int32_t para;
        bool background, setActive, setActiveEnabled, pageScroll, scrollLines, editEnabled;
    };
    const Case cases[] = {
        {15, true, true, true, false, true, true},     // both radio bits: lines win
        {4, false, false, false, true, false, false},  // page scroll only
        {0, false, false, false, false, false, true},  // no radio checked, edit left enabled
        {1, true, false, true, false, false, true},
        {2, false, true, false, false, false, true},   // checked but greyed without background wheel
        {8, false, false, false, false, true, true},
        {5, true, false, true, true, false, false},
        {0x10 | 3, true, true, true, false, false, true},
    };
    for (const Case &c : cases) {
        Wheel4DView v = Wheel4DInitialView(c.para);
        EXPECT_EQ(c.background, v.backgroundChecked) << c.para;
        EXPECT_EQ(c.setActive, v.setActiveChecked) << c.para;
        EXPECT_EQ(c.setActiveEnabled, v.setActiveEnabled) << c.para;
        EXPECT_EQ(c.pageScroll, v.pageScrollChecked) << c.para;
        EXPECT_EQ(c.scrollLines, v.scrollLinesChecked) << c.para;
        EXPECT_EQ(c.editEnabled, v.linesEditEnabled) << c.para;
    }
}

TEST(ScrollParaBits, RadioChoiceSwapsPageAndLinesAndKeepsTheRest)
{
    EXPECT_EQ(7, ChoosePageScroll(15));
    EXPECT_EQ(11, ChooseScrollLines(15));
    EXPECT_EQ(0x104, ChoosePageScroll(0x108));
    EXPECT_EQ(14, WithBit(15, BackgroundWheel, false));
    EXPECT_EQ(15, WithBit(13, SetWindowActive, true));
    EXPECT_EQ(13, WithBit(13, BackgroundWheel, true));
}

TEST(TrackbarCodes, LineUpToBottomMoveTheSpeedEndTrackDoesNot)
{
    for (unsigned code = 0; code <= 7; ++code)
        EXPECT_TRUE(TrackbarCodeMovesSpeed(code)) << code;
    EXPECT_FALSE(TrackbarCodeMovesSpeed(8));     // TB_ENDTRACK
    EXPECT_FALSE(TrackbarCodeMovesSpeed(9));
    EXPECT_FALSE(TrackbarCodeMovesSpeed(0xFFFF));
}

TEST(ZoomRateList, IndexIsFactorLessTwo)
{
    for (int index = 0; index < ZOOM_RATE_COUNT; ++index) {
        EXPECT_EQ(index + 2, ZoomRateFromIndex(index));
        EXPECT_EQ(index, ZoomRateIndex(ZoomRateFromIndex(index)));
    }
}

// A field between two guard areas, to see that a cut never writes past it.
struct GuardedField {
    char before[8];
    char field[32];
    char after[8];
};

TEST(FitTextToField, CutsLongTextsWithDotsAndNeverPastTheField)
{
    struct Case { const char *text; const char *expected; };
    const Case cases[] = {
        {"Short", "Short"},
        {"", ""},
        {"Exactly thirty-one characters!!", "Exactly thirty-one characters!!"},
        {"Thirty-two characters long text.", "Thirty-two characters long t..."},
        {"A product name that is far too long for the field", "A product name that is far t..."},
        {"Twenty-seven characters ok. and then more", "Twenty-seven characters ok...."},   // no blank before the dots
    };
    for (const Case &c : cases) {
        GuardedField g;
        memset(&g, 0x5A, sizeof(g));
        FitTextToField(g.field, sizeof(g.field), c.text);
        EXPECT_STREQ(c.expected, g.field) << c.text;
        EXPECT_LT(strlen(g.field), sizeof(g.field));
        for (char ch : g.before)
            EXPECT_EQ(0x5A, ch);
        for (char ch : g.after)
            EXPECT_EQ(0x5A, ch);
    }
}

TEST(FitTextToField, TinyFieldsStillEndInATerminator)
{
    char field[4];
    FitTextToField(field, sizeof(field), "abcdef");
    EXPECT_STREQ("abc", field);
    char one[1] = {'x'};
    FitTextToField(one, sizeof(one), "abc");
    EXPECT_EQ('\0', one[0]);
    FitTextToField(field, 0, "abc");   // nothing to write into; must not crash
}

TEST(ComposeProductLine, NameBlankVersionAndACutWhenTooLong)
{
    char out[260];
    ComposeProductLine(out, sizeof(out), "Sample Mouse", "Version 1.2");
    EXPECT_STREQ("Sample Mouse Version 1.2", out);
    ComposeProductLine(out, sizeof(out), "", "Version 1.2");
    EXPECT_STREQ(" Version 1.2", out);

    std::string name(259, 'n'), version(259, 'v');
    ComposeProductLine(out, sizeof(out), name.c_str(), version.c_str());
    EXPECT_EQ(259u, strlen(out));
    EXPECT_EQ(0, strncmp(out, name.c_str(), 256));
    EXPECT_STREQ("...", out + 256);
}
