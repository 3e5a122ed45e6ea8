// The Control Panel entry, called in-process: the answer to every message, the applet
// description record, and the sheet that CPL_DBLCLK assembles.
#include <cstring>
#include <vector>

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

namespace {

TEST_F(EntryTest, ModuleHoldsEveryResourceAndItsVersion)
{
    Load();
    const int dialogs[] = {1, 2, 3, 4, 10, 11, 12, 13, 14};
    for (int id : dialogs)
        EXPECT_NE(nullptr, FindResourceA(module_, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5))) << "dialog " << id;
    const int bitmaps[] = {IDB_DETAIL_RAISED, IDB_DETAIL_PRESSED, IDB_DETAIL_GREYED};
    for (int id : bitmaps) {
        HBITMAP bitmap = LoadBitmapA(module_, MAKEINTRESOURCEA(id));
        ASSERT_NE(nullptr, bitmap) << "bitmap " << id;
        BITMAP info = {};
        GetObjectA(bitmap, sizeof(info), &info);
        EXPECT_EQ(20, info.bmWidth) << "bitmap " << id;
        EXPECT_EQ(20, info.bmHeight) << "bitmap " << id;
        DeleteObject(bitmap);
    }
    const int icons[] = {11, 12, 13, 14, 15, 16, 17, 20};
    for (int id : icons)
        EXPECT_NE(nullptr, LoadIconA(module_, MAKEINTRESOURCEA(id))) << "icon " << id;
    HICON small = static_cast<HICON>(LoadImageA(module_, MAKEINTRESOURCEA(IDI_APPLET), IMAGE_ICON, 16, 16, 0));
    EXPECT_NE(nullptr, small);
    if (small)
        DestroyIcon(small);

    struct Range { UINT first; int count; };
    const Range strings[] = {{1000, 2}, {1010, 50}, {1100, 6}, {1120, 7}, {1200, 5}};
    for (const Range &r : strings)
        for (int i = 0; i < r.count; ++i) {
            char text[260];
            EXPECT_GT(LoadStringA(module_, r.first + i, text, sizeof(text)), 0) << "string " << r.first + i;
        }

    char path[MAX_PATH];
    GetModuleFileNameA(module_, path, sizeof(path));
    DWORD handle = 0, size = GetFileVersionInfoSizeA(path, &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, data.data()));
    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void **>(&fixed), &len));
    EXPECT_EQ(MAKELONG(2, 1), fixed->dwFileVersionMS);
    EXPECT_EQ(0u, fixed->dwFileVersionLS);
    EXPECT_EQ(static_cast<DWORD>(VFT_DLL), fixed->dwFileType);
    EXPECT_EQ(static_cast<DWORD>(VOS_NT_WINDOWS32), fixed->dwFileOS);
    struct Field { const char *name; const char *value; };
    const Field fields[] = {{"FileDescription", "Mouse Control Panel"}, {"InternalName", "Mouse Settings Dialog"},
                            {"FileVersion", "1.2"}, {"ProductVersion", "1.2"}};
    for (const Field &f : fields) {
        char *value = nullptr;
        std::string query = std::string("\\StringFileInfo\\080404b0\\") + f.name;
        ASSERT_TRUE(VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void **>(&value), &len)) << f.name;
        EXPECT_STREQ(f.value, value) << f.name;
    }
}

}  // namespace
