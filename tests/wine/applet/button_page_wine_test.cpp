// The button page and the information page, in a real property sheet: list contents, detail
// buttons (state and painting), the sheet's button texts, saving on Apply and OK, and the notice
// to the tray program's window.
#include <cstring>

#include "applet_harness.h"
#include "shared/function_catalogue.h"

using namespace applet_test;

namespace {

const char *const kValueNames[] = {"WheelSetting", "RBSetting", "MBSetting", "4BSetting", "5BSetting",
                                   "ScrollPara", "ScrollLines", "ZoomSize", "ZoomRate", "ZoomEnable"};

class ButtonPageTest : public AppletTest {
protected:
    void OpenWithModel(int mouseXD, int infoPage = 0)
    {
        ProductInfoText product;
        product.mouseXD = mouseXD;
        product.infoPage = infoPage;
        WriteProductInfo(product);
        Load();
        Inquire();
        OpenSheet();
    }
    bool ApplyEnabled() { return IsWindowEnabled(GetDlgItem(sheet_, SHEET_APPLY_BUTTON)) != 0; }
};

TEST_F(ButtonPageTest, AttachReadsSettingsIntoListsAndDetailButtons)
{
    WriteSetting("WheelSetting", 1);
    WriteSetting("RBSetting", 3);
    WriteSetting("MBSetting", 19);
    WriteSetting("4BSetting", 0);
    WriteSetting("5BSetting", 7);
    OpenWithModel(5);
    HWND page = Page();
    struct Row { int list; int selection; const char *text; bool detailEnabled; };
    const Row rows[] = {
        {IDC_LIST_WHEEL, 1, "Wheel to Scroll", true},
        {IDC_LIST_RIGHT, 3, "Zoom In", true},
        {IDC_LIST_MIDDLE, 19, "Web Browser", true},
        {IDC_LIST_FOURTH, 0, "[Unassigned]", false},
        {IDC_LIST_FIFTH, 7, "Note Pad", false},
    };
    for (const Row &r : rows) {
        HWND list = GetDlgItem(page, r.list);
        EXPECT_EQ(r.selection, SendMessageA(list, CB_GETCURSEL, 0, 0)) << "list " << r.list;
        EXPECT_EQ(r.text, ComboText(list, r.selection)) << "list " << r.list;
        EXPECT_EQ(r.detailEnabled, Enabled(page, r.list + DETAIL_OFFSET)) << "detail " << r.list + DETAIL_OFFSET;
    }
    HWND wheel = GetDlgItem(page, IDC_LIST_WHEEL);
    ASSERT_EQ(2, SendMessageA(wheel, CB_GETCOUNT, 0, 0));
    EXPECT_EQ("Wheel 4D", ComboText(wheel, 0));
    for (int list = IDC_LIST_RIGHT; list <= IDC_LIST_FIFTH; ++list) {
        HWND combo = GetDlgItem(page, list);
        ASSERT_EQ(FUNCTION_COUNT, SendMessageA(combo, CB_GETCOUNT, 0, 0));
        for (int code = 0; code < FUNCTION_COUNT; ++code)
            ASSERT_EQ(FunctionName(code), ComboText(combo, code)) << "list " << list << " code " << code;
    }
}

TEST_F(ButtonPageTest, SheetButtonsAreRenamed)
{
    OpenWithModel(4);
    struct Button { int id; const char *text; };
    const Button buttons[] = {{IDOK, "Ok"}, {IDCANCEL, "Cancel"}, {SHEET_APPLY_BUTTON, "Apply"}, {IDHELP, "Help"}};
    for (const Button &b : buttons)
        EXPECT_EQ(b.text, WindowText(GetDlgItem(sheet_, b.id))) << "button " << b.id;
}

// Detail-button painting ----------------------------------------------------------------------

COLORREF const WHITE = RGB(255, 255, 255), GREY = RGB(128, 128, 128), BLACK = RGB(0, 0, 0);

struct Face {
    COLORREF pixel[23][23];
};

Face Capture(HWND button)
{
    Face face = {};
    HDC dc = GetDC(button);
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 23; ++x)
            face.pixel[y][x] = GetPixel(dc, x, y);
    ReleaseDC(button, dc);
    return face;
}

// Whether the face shows bitmap id at (1,1), leaving out the frame and the focus ring's rows.
::testing::AssertionResult ShowsBitmap(HMODULE module, int id, const Face &face)
{
    HBITMAP bitmap = LoadBitmapA(module, MAKEINTRESOURCEA(id));
    if (!bitmap)
        return ::testing::AssertionFailure() << "bitmap " << id << " missing";
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    int differ = 0;
    for (int y = 4; y < 18; ++y)
        for (int x = 4; x < 18; ++x)
            if (GetPixel(memory, x, y) != face.pixel[y + 1][x + 1])
                ++differ;
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    if (differ)
        return ::testing::AssertionFailure() << differ << " pixels differ from bitmap " << id;
    return ::testing::AssertionSuccess();
}

TEST_F(ButtonPageTest, DetailButtonsTakeTheirBitmapSizeAndPaintRaisedPressedGreyedAndFocus)
{
    WriteSetting("RBSetting", 3);   // 212 enabled, 213 greyed
    OpenWithModel(5);
    HWND page = Page();
    HWND raised = GetDlgItem(page, IDC_DETAIL_RIGHT);
    HWND greyed = GetDlgItem(page, IDC_DETAIL_MIDDLE);

    // 23x23 pixels, the corner where the template put it.
    RECT layout = {210, 91, 220, 100};
    MapDialogRect(page, &layout);
    RECT client, frame;
    GetClientRect(raised, &client);
    GetWindowRect(raised, &frame);
    POINT corner = {frame.left, frame.top};
    ScreenToClient(page, &corner);
    EXPECT_EQ(23, client.right);
    EXPECT_EQ(23, client.bottom);
    EXPECT_EQ(layout.left, corner.x);
    EXPECT_EQ(layout.top, corner.y);

    Face up = Capture(raised);
    EXPECT_TRUE(ShowsBitmap(module_, IDB_DETAIL_RAISED, up));
    EXPECT_EQ(WHITE, up.pixel[0][10]);    // top edge
    EXPECT_EQ(WHITE, up.pixel[10][0]);    // left edge
    EXPECT_EQ(GREY, up.pixel[10][21]);    // inner right shade
    EXPECT_EQ(GREY, up.pixel[21][10]);    // inner bottom shade
    EXPECT_EQ(BLACK, up.pixel[10][22]);   // outer right
    EXPECT_EQ(BLACK, up.pixel[22][10]);   // outer bottom

    EXPECT_TRUE(ShowsBitmap(module_, IDB_DETAIL_GREYED, Capture(greyed)));

    SendMessageA(raised, BM_SETSTATE, TRUE, 0);   // as while the mouse holds it down
    wt::PumpMessages(100);
    Face down = Capture(raised);
    SendMessageA(raised, BM_SETSTATE, FALSE, 0);
    EXPECT_TRUE(ShowsBitmap(module_, IDB_DETAIL_PRESSED, down));
    EXPECT_EQ(BLACK, down.pixel[0][10]);    // closed black frame
    EXPECT_EQ(BLACK, down.pixel[10][0]);
    EXPECT_EQ(BLACK, down.pixel[22][10]);
    EXPECT_EQ(BLACK, down.pixel[10][22]);
    EXPECT_EQ(GREY, down.pixel[10][1]);     // shade inside the top-left
    EXPECT_EQ(GREY, down.pixel[1][10]);
    EXPECT_EQ(WHITE, down.pixel[21][10]);   // light inside the bottom-right
    EXPECT_EQ(WHITE, down.pixel[10][21]);

    wt::PumpMessages(100);
    Face released = Capture(raised);
    EXPECT_TRUE(ShowsBitmap(module_, IDB_DETAIL_RAISED, released));
    EXPECT_EQ(WHITE, released.pixel[0][10]);

    // Focus: a dotted rectangle 3 pixels inside the edge, nothing else changes.
    SendMessageA(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(raised), TRUE);
    wt::PumpMessages(100);
    Face focused = Capture(raised);
    int ring = 0, elsewhere = 0;
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 23; ++x) {
            if (focused.pixel[y][x] == released.pixel[y][x])
                continue;
            bool onRing = (x >= 3 && x <= 19 && (y == 3 || y == 19)) || (y >= 3 && y <= 19 && (x == 3 || x == 19));
            ++(onRing ? ring : elsewhere);
        }
    EXPECT_GT(ring, 8);
    EXPECT_EQ(0, elsewhere);
    Snapshot("applet_detail_buttons_focus");
}

TEST_F(ButtonPageTest, SelectionsUpdateDetailButtonsApplyAndEveryValueOnApply)
{
    OpenWithModel(5);
    HWND page = Page();
    EXPECT_FALSE(ApplyEnabled());

    // Typing into a list's edit field is no selection.
    HWND middle = GetDlgItem(page, IDC_LIST_MIDDLE);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_LIST_MIDDLE, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(middle));
    EXPECT_FALSE(ApplyEnabled());

    struct Step { int list; int index; const char *value; bool detailEnabled; };
    const Step steps[] = {
        {IDC_LIST_WHEEL, 1, "WheelSetting", true},
        {IDC_LIST_RIGHT, 16, "RBSetting", false},
        {IDC_LIST_MIDDLE, 3, "MBSetting", true},
        {IDC_LIST_FOURTH, 19, "4BSetting", true},
        {IDC_LIST_FOURTH, 20, "4BSetting", false},
        {IDC_LIST_FIFTH, 49, "5BSetting", false},
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(s.value);
        SelectRow(s.list, s.index);
        EXPECT_TRUE(ApplyEnabled());
        EXPECT_EQ(s.detailEnabled, Enabled(page, s.list + DETAIL_OFFSET));
        Press(PSBTN_APPLYNOW);
        ASSERT_TRUE(wt::WaitFor([&] { return !ApplyEnabled(); }));
        EXPECT_EQ(static_cast<DWORD>(s.index), SettingOr(s.value, 999));
    }
    // Every value is written, changed or not.
    for (const char *name : kValueNames)
        EXPECT_NE(999u, SettingOr(name, 999)) << name;
    EXPECT_EQ(15u, SettingOr("ScrollPara", 0));
}

TEST_F(ButtonPageTest, RowsMissingFromTheLayoutKeepTheirValues)
{
    WriteSetting("WheelSetting", 1);
    WriteSetting("4BSetting", 7);
    WriteSetting("5BSetting", 19);
    OpenWithModel(3);
    SelectRow(IDC_LIST_RIGHT, 8);
    Press(PSBTN_OK);
    ASSERT_TRUE(WaitSheetClosed());
    EXPECT_EQ(8u, SettingOr("RBSetting", 999));
    EXPECT_EQ(1u, SettingOr("WheelSetting", 999));
    EXPECT_EQ(7u, SettingOr("4BSetting", 999));
    EXPECT_EQ(19u, SettingOr("5BSetting", 999));
}

// Saving and the notice to the tray program ---------------------------------------------------

struct SaveCase {
    const char *name;
    int button;          // PSBTN_...
    bool trayRunning;
    bool writes;
    bool closes;
};

class SaveTest : public ButtonPageTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveTest, ApplyAndOkSaveAndNotifyCancelWritesNothing)
{
    const SaveCase &c = GetParam();
    TrayRecorder *recorder = c.trayRunning ? new TrayRecorder : nullptr;
    OpenWithModel(4);
    SelectRow(IDC_LIST_MIDDLE, 16);
    Press(c.button);
    if (c.closes)
        ASSERT_TRUE(WaitSheetClosed());
    else
        wt::PumpMessages(500);
    if (recorder) {
        static const std::vector<wt::MessageRecord> notified = {
            {WMU_SETTINGS_CHANGED, 0, 0, wt::MSG_CHECK_WPARAM | wt::MSG_CHECK_LPARAM}};
        static const std::vector<wt::MessageRecord> nothing = {};
        if (c.writes)
            wt::WaitFor([&] { return !recorder->Received().empty(); });
        wt::ExpectSequence(recorder->Received(), c.writes ? notified : nothing, c.name);
    }
    EXPECT_EQ(c.writes, SettingsKeyExists());
    if (c.writes) {
        for (const char *name : kValueNames)
            EXPECT_NE(999u, SettingOr(name, 999)) << name;
        EXPECT_EQ(16u, SettingOr("MBSetting", 999));
    }
    EXPECT_EQ(c.closes, thread_ == nullptr);
    CloseSheet();
    delete recorder;
}

const SaveCase kSaves[] = {
    {"apply", PSBTN_APPLYNOW, true, true, false},
    {"ok", PSBTN_OK, true, true, true},
    {"cancel", PSBTN_CANCEL, true, false, true},
    {"ok without tray program", PSBTN_OK, false, true, true},
};
INSTANTIATE_TEST_SUITE_P(Buttons, SaveTest, ::testing::ValuesIn(kSaves));

// Information page ------------------------------------------------------------------------------

TEST_F(ButtonPageTest, InformationPageShowsProductCompanyAndAddress)
{
    struct Case { const char *company; const char *designed; const char *press; };
    const Case cases[] = {
        {"Sample Works", "This program is designed by Sample Works.",
         "Press button to enter the Sample Works Internet Site."},
        {"", "This program is designed by .", "Press button to enter the  Internet Site."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.company);
        ProductInfoText product;
        product.mouseXD = 4;
        product.infoPage = 1;
        product.companyName = c.company;
        WriteProductInfo(product);
        if (!module_)
            Load();
        Inquire();
        OpenSheet();
        SendMessageA(sheet_, PSM_SETCURSEL, 1, 0);
        wt::PumpMessages(300);
        HWND info = Page();
        EXPECT_EQ("Sample Mouse Version 3.1", WindowText(GetDlgItem(info, IDC_INFO_PRODUCT)));
        EXPECT_EQ(c.designed, WindowText(GetDlgItem(info, IDC_INFO_DESIGNED_BY)));
        EXPECT_EQ(c.press, WindowText(GetDlgItem(info, IDC_INFO_PRESS_BUTTON)));
        EXPECT_EQ("http://www.example.com/", WindowText(GetDlgItem(info, IDC_INFO_COMPANY_PAGE)));
        if (c.company[0])
            Snapshot("applet_info_page");
        Press(PSBTN_CANCEL);
        ASSERT_TRUE(WaitSheetClosed());
    }
}

}  // namespace
