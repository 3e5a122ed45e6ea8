// The resources of movratray.exe as the system loads them: the eight icons show the held
// buttons their number stands for, the menu and the strings read as the program uses them,
// and the version resource names the program.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "fake_notification_area.h"
#include "tray/core/tray_rules.h"
#include "tray/resources/resource.h"
#include "wine_test_support.h"

namespace {

class TrayResources : public ::testing::Test {
protected:
    void SetUp() override
    {
        module_ = LoadLibraryExA((wt::BinDir() + "\\movratray.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_TRUE(module_) << "movratray.exe not found in " << wt::BinDir();
    }
    void TearDown() override
    {
        if (module_)
            FreeLibrary(module_);
    }
    HMODULE module_ = nullptr;
};

// The picture of an icon as 32-bit pixels, top row first.
std::vector<BYTE> Pixels(HICON icon, int size)
{
    std::vector<BYTE> bits(size * size * 4);
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info))
        return {};
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = size;
    bmi.bmiHeader.biHeight = -size;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    HDC dc = GetDC(nullptr);
    int rows = GetDIBits(dc, info.hbmColor, 0, size, bits.data(), &bmi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return rows == size ? bits : std::vector<BYTE>();
}

TEST_F(TrayResources, EachIconShowsItsHeldButtonsInBothSizes)
{
    for (int size : {32, 16}) {
        for (unsigned held = 0; held < 8; ++held) {
            int id = TrayIconResource(held);
            HICON icon = static_cast<HICON>(LoadImageA(module_, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
            ASSERT_TRUE(icon) << "icon " << id << " at " << size;
            std::vector<BYTE> pixels = Pixels(icon, size);
            ASSERT_FALSE(pixels.empty());
            EXPECT_EQ(tt::HeldButtonsInPicture(pixels.data(), size, size), static_cast<int>(held))
                << "icon " << id << " at " << size;
            DestroyIcon(icon);
        }
    }
    EXPECT_FALSE(LoadImageA(module_, MAKEINTRESOURCEA(IDI_TRAY_LAST + 1), IMAGE_ICON, 32, 32, 0));
}

TEST_F(TrayResources, MenuHoldsOpenAndCloseOnly)
{
    HMENU menu = LoadMenuA(module_, MAKEINTRESOURCEA(IDM_TRAY));
    ASSERT_TRUE(menu);
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_TRUE(popup);
    char text[260];
    GetMenuStringA(menu, 0, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ(text, "&Do");
    ASSERT_EQ(GetMenuItemCount(popup), 2);
    EXPECT_EQ(GetMenuItemID(popup, 0), static_cast<UINT>(IDM_TRAY_OPEN));
    EXPECT_EQ(GetMenuItemID(popup, 1), static_cast<UINT>(IDM_TRAY_CLOSE));
    GetMenuStringA(popup, IDM_TRAY_OPEN, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ(text, "&Open %P% Control Panel");
    GetMenuStringA(popup, IDM_TRAY_CLOSE, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ(text, "&Close %P%");
    EXPECT_EQ(GetMenuDefaultItem(popup, FALSE, 0), static_cast<UINT>(-1));
    DestroyMenu(menu);
}

TEST_F(TrayResources, StringsAndVersion)
{
    char text[256];
    ASSERT_GT(LoadStringA(module_, IDS_CLOSE_QUESTION, text, sizeof(text)), 0);
    EXPECT_STREQ(text, "The advanced %P% functions will not be available.\nDo you really want to close it?");
    ASSERT_GT(LoadStringA(module_, IDS_CLOSE_CAPTION, text, sizeof(text)), 0);
    EXPECT_STREQ(text, "%P%");

    std::string path = wt::BinDir() + "\\movratray.exe";
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> data(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, data.data()));
    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void **>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010002u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000000u);
    char *description = nullptr;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\StringFileInfo\\040904b0\\FileDescription",
                               reinterpret_cast<void **>(&description), &length));
    EXPECT_STREQ(description, "Mouse Application");
}

// The test's notification area sees what the system's Shell_NotifyIcon hands the shell:
// the basis of the tray program's icon tests.
TEST_F(TrayResources, FakeNotificationAreaReadsTheSystemsRequests)
{
    tt::FakeNotificationArea area;
    ASSERT_TRUE(area.Ok());
    HWND owner = CreateWindowA("STATIC", nullptr, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    HICON icon = static_cast<HICON>(LoadImageA(module_, MAKEINTRESOURCEA(6), IMAGE_ICON, 32, 32, 0));
    NOTIFYICONDATAA data = {NOTIFYICONDATAA_V1_SIZE};
    data.hWnd = owner;
    data.uID = 7;
    data.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
    data.uCallbackMessage = WM_APP;
    data.hIcon = icon;
    lstrcpyA(data.szTip, "tip");
    EXPECT_TRUE(Shell_NotifyIconA(NIM_ADD, &data));
    area.Refuse(true);
    EXPECT_FALSE(Shell_NotifyIconA(NIM_DELETE, &data));
    ASSERT_EQ(area.Requests().size(), 2u);
    const tt::IconRequest &add = area.Requests()[0];
    EXPECT_EQ(add.operation, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(add.owner, owner);
    EXPECT_EQ(add.id, 7u);
    EXPECT_EQ(add.tip, "tip");
    EXPECT_EQ(add.heldButtons, 5);
    EXPECT_EQ(area.Requests()[1].operation, static_cast<DWORD>(NIM_DELETE));
    DestroyIcon(icon);
    DestroyWindow(owner);
}

}  // namespace
