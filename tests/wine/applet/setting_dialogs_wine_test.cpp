// The setting dialogs, opened from the detail buttons of a real sheet: their opening state,
// their controls' rules, OK, Apply and Cancel against the snapshot, and the web-site file.
#include <cstring>

#include "applet_harness.h"

using namespace applet_test;

namespace {

class SettingDialogTest : public AppletTest {
protected:
    void OpenSheetWith(int mouseXD = 5)
    {
        ProductInfoText product;
        product.mouseXD = mouseXD;
        WriteProductInfo(product);
        Load();
        Inquire();
        OpenSheet();
    }
    // The values in memory reach the registry through the sheet's Apply.
    void ApplySheet()
    {
        Press(PSBTN_APPLYNOW);
        wt::PumpMessages(300);
    }
    bool SheetApplyEnabled() { return IsWindowEnabled(GetDlgItem(sheet_, SHEET_APPLY_BUTTON)) != 0; }
    // OK in the dialog, then Apply on the sheet: what the dialog left in memory is saved.
    void ConfirmAndApply(HWND dialog)
    {
        Click(dialog, IDOK);
        ASSERT_TRUE(WaitDialogClosed(dialog));
        ApplySheet();
    }
    // Picks an entry of one of the dialog's lists as the user would: selection, then its notice.
    static void Pick(HWND dialog, int list, int index, WORD notification = CBN_SELCHANGE)
    {
        HWND combo = GetDlgItem(dialog, list);
        SendMessageA(combo, CB_SETCURSEL, index, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(list, notification), reinterpret_cast<LPARAM>(combo));
    }
};

// Dialog 11 -------------------------------------------------------------------------------------

struct Wheel4DCase {
    DWORD scrollPara;
    bool background, setActive, setActiveEnabled, pageScroll, scrollLines, editEnabled;
};

TEST_F(SettingDialogTest, Wheel4DOpensWithScrollParaShown)
{
    const Wheel4DCase cases[] = {
        {15, true, true, true, false, true, true},
        {4, false, false, false, true, false, false},
        {0, false, false, false, false, false, true},
        {3, true, true, true, false, false, true},
    };
    for (const Wheel4DCase &c : cases) {
        SCOPED_TRACE(c.scrollPara);
        WriteSetting("ScrollPara", c.scrollPara);
        WriteSetting("ScrollLines", 7);
        OpenSheetWith();
        HWND dialog = OpenSettingDialog(IDC_DETAIL_WHEEL, "Wheel 4D");
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ(c.background, Checked(dialog, IDC_BACKGROUND_WHEEL));
        EXPECT_EQ(c.setActive, Checked(dialog, IDC_SET_WINDOW_ACTIVE));
        EXPECT_EQ(c.setActiveEnabled, Enabled(dialog, IDC_SET_WINDOW_ACTIVE));
        EXPECT_EQ(c.pageScroll, Checked(dialog, IDC_PAGE_SCROLL));
        EXPECT_EQ(c.scrollLines, Checked(dialog, IDC_SCROLL_LINES));
        EXPECT_EQ(c.editEnabled, Enabled(dialog, IDC_LINES_EDIT));
        EXPECT_TRUE(Enabled(dialog, IDC_LINES_UPDOWN));   // the arrows stay usable
        EXPECT_EQ("7", WindowText(GetDlgItem(dialog, IDC_LINES_EDIT)));
        EXPECT_FALSE(Enabled(dialog, IDC_WHEEL_4D_APPLY));
        if (c.scrollPara == 15)
            Snapshot("applet_dialog_11_wheel_4d");
        Click(dialog, IDCANCEL);
        EXPECT_TRUE(WaitDialogClosed(dialog));
        CloseSheet();
        FreeLibrary(module_);
        module_ = nullptr;
        wt::DeleteProductKeys();
    }
}

TEST_F(SettingDialogTest, Wheel4DControlsEditScrollParaAndLines)
{
    WriteSetting("ScrollPara", 15);
    WriteSetting("ScrollLines", 20);
    OpenSheetWith();
    HWND dialog = OpenSettingDialog(IDC_DETAIL_WHEEL, "Wheel 4D");
    ASSERT_NE(nullptr, dialog);

    // Unchecking the background wheel greys "Set Window Active" but keeps its check mark.
    Click(dialog, IDC_BACKGROUND_WHEEL);
    EXPECT_FALSE(Checked(dialog, IDC_BACKGROUND_WHEEL));
    EXPECT_FALSE(Enabled(dialog, IDC_SET_WINDOW_ACTIVE));
    EXPECT_TRUE(Checked(dialog, IDC_SET_WINDOW_ACTIVE));
    EXPECT_TRUE(Enabled(dialog, IDC_WHEEL_4D_APPLY));

    Click(dialog, IDC_PAGE_SCROLL);
    EXPECT_FALSE(Enabled(dialog, IDC_LINES_EDIT));
    EXPECT_FALSE(Enabled(dialog, IDC_LINES_UPDOWN));
    Click(dialog, IDC_SCROLL_LINES);
    EXPECT_TRUE(Enabled(dialog, IDC_LINES_EDIT));
    EXPECT_TRUE(Enabled(dialog, IDC_LINES_UPDOWN));

    // The arrows wrap: up from 20 gives 1, down from 1 gives 20.
    HWND arrows = GetDlgItem(dialog, IDC_LINES_UPDOWN);
    RECT rc;
    GetClientRect(arrows, &rc);
    auto clickArrow = [&](bool up) {
        LPARAM at = MAKELPARAM(rc.right / 2, up ? rc.bottom / 4 : rc.bottom * 3 / 4);
        SendMessageA(arrows, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(arrows, WM_LBUTTONUP, 0, at);
    };
    clickArrow(true);
    EXPECT_EQ("1", WindowText(GetDlgItem(dialog, IDC_LINES_EDIT)));
    clickArrow(false);
    EXPECT_EQ("20", WindowText(GetDlgItem(dialog, IDC_LINES_EDIT)));
    clickArrow(false);
    EXPECT_EQ("19", WindowText(GetDlgItem(dialog, IDC_LINES_EDIT)));

    Click(dialog, IDC_PAGE_SCROLL);
    Click(dialog, IDOK);
    ASSERT_TRUE(WaitDialogClosed(dialog));
    EXPECT_TRUE(SheetApplyEnabled());
    ApplySheet();
    // Background wheel off, window activation kept, page scroll instead of lines.
    EXPECT_EQ(6u, SettingOr("ScrollPara", 999));
    EXPECT_EQ(19u, SettingOr("ScrollLines", 999));
}

TEST_F(SettingDialogTest, Wheel4DStoresTypedNumbersAsTheyAre)
{
    OpenSheetWith();
    HWND dialog = OpenSettingDialog(IDC_DETAIL_WHEEL, "Wheel 4D");
    ASSERT_NE(nullptr, dialog);
    SetDlgItemTextA(dialog, IDC_LINES_EDIT, "35");
    ConfirmAndApply(dialog);
    EXPECT_EQ(35u, SettingOr("ScrollLines", 999));
}

// Dialog 12 -------------------------------------------------------------------------------------

TEST_F(SettingDialogTest, WheelToScrollTakesTrackbarCodesUpToBottomButNotEndTrack)
{
    WriteSetting("WheelSetting", 1);
    WriteSetting("ScrollLines", 5);
    OpenSheetWith();
    HWND dialog = OpenSettingDialog(IDC_DETAIL_WHEEL, "Wheel To Scroll");
    ASSERT_NE(nullptr, dialog);
    HWND bar = GetDlgItem(dialog, IDC_SPEED_TRACKBAR);
    EXPECT_EQ(1, SendMessageA(bar, TBM_GETRANGEMIN, 0, 0));
    EXPECT_EQ(20, SendMessageA(bar, TBM_GETRANGEMAX, 0, 0));
    EXPECT_EQ(5, SendMessageA(bar, TBM_GETPOS, 0, 0));
    EXPECT_FALSE(Enabled(dialog, IDC_WHEEL_SCROLL_APPLY));
    Snapshot("applet_dialog_12_wheel_to_scroll");

    // Each code moves the speed to where the bar stands; TB_ENDTRACK (8) does not.
    for (WORD code = 0; code <= 8; ++code) {
        SCOPED_TRACE(code);
        SendMessageA(bar, TBM_SETPOS, TRUE, 2 + code);
        SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(bar));
        EXPECT_EQ(code <= 7, Enabled(dialog, IDC_WHEEL_SCROLL_APPLY));
        if (code <= 7) {
            Click(dialog, IDC_WHEEL_SCROLL_APPLY);
            EXPECT_FALSE(Enabled(dialog, IDC_WHEEL_SCROLL_APPLY));
        }
    }
    EXPECT_TRUE(SheetApplyEnabled());
    ConfirmAndApply(dialog);
    EXPECT_EQ(9u, SettingOr("ScrollLines", 999));
}

TEST_F(SettingDialogTest, WheelToScrollFollowsTheKeyboard)
{
    WriteSetting("WheelSetting", 1);
    WriteSetting("ScrollLines", 5);
    OpenSheetWith();
    HWND dialog = OpenSettingDialog(IDC_DETAIL_WHEEL, "Wheel To Scroll");
    ASSERT_NE(nullptr, dialog);
    HWND bar = GetDlgItem(dialog, IDC_SPEED_TRACKBAR);
    SendMessageA(bar, WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageA(bar, WM_KEYUP, VK_RIGHT, 0);
    SendMessageA(bar, WM_KEYDOWN, VK_END, 0);
    SendMessageA(bar, WM_KEYUP, VK_END, 0);
    EXPECT_TRUE(Enabled(dialog, IDC_WHEEL_SCROLL_APPLY));
    ConfirmAndApply(dialog);
    EXPECT_EQ(20u, SettingOr("ScrollLines", 999));
}

// Dialog 13 -------------------------------------------------------------------------------------

TEST_F(SettingDialogTest, ZoomInShowsAndStoresItsLists)
{
    WriteSetting("RBSetting", 3);
    WriteSetting("ZoomRate", 8);
    WriteSetting("ZoomSize", 4);
    OpenSheetWith();
    HWND dialog = OpenSettingDialog(IDC_DETAIL_RIGHT, "Zoom In");
    ASSERT_NE(nullptr, dialog);
    HWND sizes = GetDlgItem(dialog, IDC_ZOOM_SIZE);
    HWND rates = GetDlgItem(dialog, IDC_ZOOM_RATE);
    const char *const sizeNames[] = {"Small Square", "Medium Square", "Large Square",
                                     "Small Rectangular", "Medium Rectangular", "Large Rectangular"};
    ASSERT_EQ(6, SendMessageA(sizes, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(sizeNames[i], ComboText(sizes, i));
    ASSERT_EQ(7, SendMessageA(rates, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ("X" + std::to_string(i + 2), ComboText(rates, i));
    EXPECT_EQ(4, SendMessageA(sizes, CB_GETCURSEL, 0, 0));
    EXPECT_EQ("X8", ComboText(rates, static_cast<int>(SendMessageA(rates, CB_GETCURSEL, 0, 0))));
    EXPECT_TRUE(Checked(dialog, IDC_ZOOM_ENABLE));   // the default ZoomEnable 1
    Snapshot("applet_dialog_13_zoom_in");

    Pick(dialog, IDC_ZOOM_RATE, 3);
    EXPECT_TRUE(Enabled(dialog, IDC_ZOOM_APPLY));
    Pick(dialog, IDC_ZOOM_SIZE, 1, CBN_DROPDOWN);
    ConfirmAndApply(dialog);   // the size was never confirmed by a selection change
    EXPECT_EQ(5u, SettingOr("ZoomRate", 999));
    EXPECT_EQ(4u, SettingOr("ZoomSize", 999));
}

TEST_F(SettingDialogTest, ZoomInCheckBoxGreysEverythingButItself)
{
    WriteSetting("MBSetting", 3);
    OpenSheetWith();
    HWND dialog = OpenSettingDialog(IDC_DETAIL_MIDDLE, "Zoom In");
    ASSERT_NE(nullptr, dialog);
    const int greyed[] = {IDC_ZOOM_SIZE_LABEL, IDC_ZOOM_RATE_LABEL, IDC_ZOOM_RIGHT_USAGE, IDC_ZOOM_LEFT_USAGE,
                          IDC_ZOOM_USAGE_TITLE, IDC_ZOOM_GROUP, IDC_ZOOM_SIZE, IDC_ZOOM_RATE};
    Click(dialog, IDC_ZOOM_ENABLE);
    EXPECT_FALSE(Checked(dialog, IDC_ZOOM_ENABLE));
    EXPECT_TRUE(Enabled(dialog, IDC_ZOOM_ENABLE));
    for (int control : greyed)
        EXPECT_FALSE(Enabled(dialog, control)) << control;
    Snapshot("applet_dialog_13_zoom_in_disabled");
    ConfirmAndApply(dialog);
    EXPECT_EQ(0u, SettingOr("ZoomEnable", 999));

    // Opening again with ZoomEnable 0 starts greyed.
    dialog = OpenSettingDialog(IDC_DETAIL_MIDDLE, "Zoom In");
    ASSERT_NE(nullptr, dialog);
    EXPECT_FALSE(Checked(dialog, IDC_ZOOM_ENABLE));
    for (int control : greyed)
        EXPECT_FALSE(Enabled(dialog, control)) << control;
    Click(dialog, IDC_ZOOM_ENABLE);
    for (int control : greyed)
        EXPECT_TRUE(Enabled(dialog, control)) << control;
    Click(dialog, IDCANCEL);
    ASSERT_TRUE(WaitDialogClosed(dialog));
}

TEST_F(SettingDialogTest, CancelAfterApplyRestoresTheSnapshotAndTheSheetStaysChanged)
{
    WriteSetting("4BSetting", 3);
    WriteSetting("ZoomSize", 0);
    WriteSetting("ZoomRate", 2);
    OpenSheetWith();
    HWND dialog = OpenSettingDialog(IDC_DETAIL_FOURTH, "Zoom In");
    ASSERT_NE(nullptr, dialog);
    Pick(dialog, IDC_ZOOM_SIZE, 5);
    EXPECT_FALSE(SheetApplyEnabled());
    Click(dialog, IDC_ZOOM_APPLY);
    EXPECT_FALSE(Enabled(dialog, IDC_ZOOM_APPLY));
    EXPECT_TRUE(SheetApplyEnabled());
    Pick(dialog, IDC_ZOOM_RATE, 6);
    Click(dialog, IDCANCEL);
    ASSERT_TRUE(WaitDialogClosed(dialog));
    EXPECT_TRUE(SheetApplyEnabled());
    EXPECT_FALSE(SettingsKeyExists() && SettingOr("ZoomSize", 0) == 5);
    ApplySheet();
    EXPECT_EQ(0u, SettingOr("ZoomSize", 999));
    EXPECT_EQ(2u, SettingOr("ZoomRate", 999));
}

TEST_F(SettingDialogTest, OkInADialogThenCancelOnTheSheetWritesNothing)
{
    WriteSetting("5BSetting", 3);
    OpenSheetWith();
    wt::DeleteProductKeys();   // attach has read them; any key now is a write
    HWND dialog = OpenSettingDialog(IDC_DETAIL_FIFTH, "Zoom In");
    ASSERT_NE(nullptr, dialog);
    Click(dialog, IDC_ZOOM_ENABLE);
    Click(dialog, IDOK);
    ASSERT_TRUE(WaitDialogClosed(dialog));
    EXPECT_TRUE(SheetApplyEnabled());
    Press(PSBTN_CANCEL);
    ASSERT_TRUE(WaitSheetClosed());
    EXPECT_FALSE(SettingsKeyExists());
}

// Dialog 14 -------------------------------------------------------------------------------------

std::string StoredWebSite()
{
    char text[300] = "";
    GetPrivateProfileStringA("General", "WebSite", "<none>", text, sizeof(text), wt::ProductInfoFilePath().c_str());
    return text;
}

TEST_F(SettingDialogTest, WebSiteOkWritesTheFileAtOnceCancelWritesNothing)
{
    WriteSetting("RBSetting", 19);
    OpenSheetWith();
    wt::DeleteProductKeys();   // attach has read them; any key now is a write
    HWND dialog = OpenSettingDialog(IDC_DETAIL_RIGHT, "Web Site Setting");
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("http://old.example.com/", WindowText(GetDlgItem(dialog, IDC_WEB_SITE)));
    Snapshot("applet_dialog_14_web_site");
    SetDlgItemTextA(dialog, IDC_WEB_SITE, "http://cancelled.example.com/");
    Click(dialog, IDCANCEL);
    ASSERT_TRUE(WaitDialogClosed(dialog));
    EXPECT_EQ("http://old.example.com/", StoredWebSite());
    EXPECT_FALSE(SheetApplyEnabled());

    dialog = OpenSettingDialog(IDC_DETAIL_RIGHT, "Web Site Setting");
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("http://old.example.com/", WindowText(GetDlgItem(dialog, IDC_WEB_SITE)));
    SetDlgItemTextA(dialog, IDC_WEB_SITE, "http://new.example.com/");
    Click(dialog, IDOK);
    ASSERT_TRUE(WaitDialogClosed(dialog));
    EXPECT_EQ("http://new.example.com/", StoredWebSite());
    EXPECT_FALSE(SheetApplyEnabled());   // the sheet is not marked changed

    // The next opening shows the stored address, even with the sheet cancelled.
    dialog = OpenSettingDialog(IDC_DETAIL_RIGHT, "Web Site Setting");
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("http://new.example.com/", WindowText(GetDlgItem(dialog, IDC_WEB_SITE)));
    Click(dialog, IDCANCEL);
    ASSERT_TRUE(WaitDialogClosed(dialog));
    Press(PSBTN_CANCEL);
    ASSERT_TRUE(WaitSheetClosed());
    EXPECT_EQ("http://new.example.com/", StoredWebSite());
    EXPECT_FALSE(SettingsKeyExists());
}

}  // namespace
