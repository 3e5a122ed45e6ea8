// The Control Panel entry, called in-process: the answer to every message, the applet
// description record, and the sheet that CPL_DBLCLK assembles.
#include <cstring>

#include "applet_harness.h"

using namespace applet_test;

namespace {

class EntryTest : public AppletTest {};

TEST_F(EntryTest, EveryMessageAnswersOneButStartWithParameters)
{
    Load();
    struct Case { UINT message; LONG result; };
    // CPL_STARTWPARMSW answers "not handled", so hosts fall back to CPL_DBLCLK.
    const Case cases[] = {{0, 1}, {CPL_INIT, 1}, {CPL_GETCOUNT, 1}, {CPL_SELECT, 1}, {CPL_STOP, 1},
                          {CPL_EXIT, 1}, {CPL_STARTWPARMSA, 1}, {CPL_STARTWPARMSW, 0}, {11, 1}, {1000, 1}};
    for (const Case &c : cases)
        EXPECT_EQ(c.result, Call(c.message, 0, 0)) << "message " << c.message;
}

TEST_F(EntryTest, InquireLeavesItsRecordUntouched)
{
    Load();
    CPLINFO info;
    memset(&info, 0xA5, sizeof(info));
    EXPECT_EQ(1, Call(CPL_INQUIRE, 0, reinterpret_cast<LPARAM>(&info)));
    const unsigned char *bytes = reinterpret_cast<const unsigned char *>(&info);
    for (size_t i = 0; i < sizeof(info); ++i)
        ASSERT_EQ(0xA5, bytes[i]) << "byte " << i;
}

TEST_F(EntryTest, NewInquireDescribesTheApplet)
{
    WriteProductInfo(ProductInfoText());
    Load();
    NEWCPLINFOA info;
    memset(&info, 0xA5, sizeof(info));
    EXPECT_EQ(1, Call(CPL_NEWINQUIRE, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(sizeof(NEWCPLINFOA), info.dwSize);   // 244 in the 32-bit build
    EXPECT_EQ(0u, info.dwFlags);
    EXPECT_EQ(0u, info.dwHelpContext);
    EXPECT_EQ(0, info.lData);
    EXPECT_NE(nullptr, info.hIcon);
    EXPECT_STREQ("Sample Mouse", info.szName);
    EXPECT_STREQ("This is Sample Mouse control panel", info.szInfo);
    EXPECT_STREQ("", info.szHelpFile);
}

TEST_F(EntryTest, LongNamesAreCutInsideTheirFields)
{
    ProductInfoText product;
    product.productName = "Sample Mouse With A Very Long Name For Its Field";   // 48 characters
    WriteProductInfo(product);
    Load();
    NEWCPLINFOA info;
    memset(&info, 0xA5, sizeof(info));
    EXPECT_EQ(1, Call(CPL_NEWINQUIRE, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_STREQ("Sample Mouse With A Very Lon...", info.szName);
    EXPECT_STREQ("This is Sample Mouse With A Very Long Name For Its Field con...", info.szInfo);
    EXPECT_EQ(63u, strlen(info.szInfo));
    EXPECT_STREQ("", info.szHelpFile);
    // The unused rest of szHelpFile is left as it was: nothing ran on into it.
    EXPECT_EQ(static_cast<char>(0xA5), info.szHelpFile[1]);
}

TEST_F(EntryTest, EachInquiryRereadsTheProductInformation)
{
    WriteProductInfo(ProductInfoText());
    Load();
    NEWCPLINFOA info = {};
    Call(CPL_NEWINQUIRE, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ("Sample Mouse", info.szName);
    ProductInfoText renamed;
    renamed.productName = "Other Mouse";
    WriteProductInfo(renamed);
    Call(CPL_NEWINQUIRE, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ("Other Mouse", info.szName);
    EXPECT_STREQ("This is Other Mouse control panel", info.szInfo);
}

TEST_F(EntryTest, MissingProductInformationGivesTheDefaults)
{
    Load();
    NEWCPLINFOA info;
    memset(&info, 0xA5, sizeof(info));
    EXPECT_EQ(1, Call(CPL_NEWINQUIRE, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_STREQ("", info.szName);
    EXPECT_STREQ("This is  control panel", info.szInfo);
}

// The sheet by mouse model ------------------------------------------------------------------

struct LayoutCase {
    int mouseXD;          // 0: no inquiry before the sheet opens
    int infoPage;
    bool lists[5];        // 201 to 205 present
    const char *screenshot;
};

class SheetLayoutTest : public AppletTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(SheetLayoutTest, TemplateFollowsMouseModelAndInfoPageIsSecond)
{
    const LayoutCase &c = GetParam();
    if (c.mouseXD != 0) {
        ProductInfoText product;
        product.mouseXD = c.mouseXD;
        product.infoPage = c.infoPage;
        WriteProductInfo(product);
    }
    Load();
    if (c.mouseXD != 0)
        Inquire();
    OpenSheet();
    HWND page = Page();
    ASSERT_NE(nullptr, page);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(c.lists[i], GetDlgItem(page, IDC_LIST_WHEEL + i) != nullptr) << "list " << IDC_LIST_WHEEL + i;
        EXPECT_EQ(c.lists[i], GetDlgItem(page, IDC_DETAIL_WHEEL + i) != nullptr) << "detail " << IDC_DETAIL_WHEEL + i;
    }
    EXPECT_EQ(c.mouseXD != 0 ? "Sample Mouse Properties" : " Properties", WindowText(sheet_));
    HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet_, PSM_GETTABCONTROL, 0, 0));
    int pages = c.infoPage ? 2 : 1;
    EXPECT_EQ(pages, SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    EXPECT_EQ(0, SendMessageA(tabs, TCM_GETCURSEL, 0, 0));   // opens on the button page
    char tab[64] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = tab;
    item.cchTextMax = sizeof(tab);
    SendMessageA(tabs, TCM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ("General", tab);
    if (c.infoPage) {
        SendMessageA(tabs, TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ("Information", tab);
    }
    // The callback took the context-help button off the caption bar.
    EXPECT_EQ(0, GetWindowLongA(sheet_, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
    EXPECT_EQ(0, GetWindowLongA(sheet_, GWL_STYLE) & DS_CONTEXTHELP);
    Snapshot(c.screenshot);
}

const LayoutCase kLayouts[] = {
    {2, 0, {false, true, false, false, false}, "applet_sheet_template_1"},
    {3, 1, {false, true, true, false, false}, "applet_sheet_template_2"},
    {4, 1, {true, true, true, false, false}, "applet_sheet_template_3"},
    {5, 0, {true, true, true, true, true}, "applet_sheet_template_4"},
    {0, 0, {false, true, true, false, false}, "applet_sheet_before_inquiry"},
};
INSTANTIATE_TEST_SUITE_P(ByMouseXD, SheetLayoutTest, ::testing::ValuesIn(kLayouts));

}  // namespace
