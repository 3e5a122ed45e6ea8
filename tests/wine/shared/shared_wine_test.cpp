// Settings store and product information against Wine's real registry and profile functions.
#include "wine_test_support.h"

#include <cstring>
#include <string>

#include "shared/function_catalogue.h"
#include "shared/product_info.h"
#include "shared/settings.h"

namespace {

class SettingsStore : public wt::IsolatedTest {
protected:
    HKEY OpenSettingsKey()
    {
        HKEY key = nullptr;
        EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, 0, nullptr, 0,
                                                 KEY_ALL_ACCESS, nullptr, &key, nullptr));
        return key;
    }
    void SetRaw(const char *name, DWORD type, const void *data, DWORD size)
    {
        HKEY key = OpenSettingsKey();
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, static_cast<const BYTE *>(data), size));
        RegCloseKey(key);
    }
    void SetDword(const char *name, int32_t value) { SetRaw(name, REG_DWORD, &value, 4); }
};

const int32_t Defaults[10] = {0, 0, 0, 0, 0, 15, 15, 3, 2, 1};

TEST_F(SettingsStore, MissingKeyGivesDefaultsAndReplacesOldValues)
{
    memset(&SettingsBlock, 0x77, sizeof(SettingsBlock));
    EXPECT_EQ(0, LoadSettings());
    EXPECT_EQ(0, memcmp(&SettingsBlock, Defaults, sizeof(Defaults)));
}

TEST_F(SettingsStore, StoredValuesAcceptedOrRefusedByRange)
{
    struct Case {
        const char *name;
        int32_t stored, read;
    } cases[] = {
        {"WheelSetting", 1, 1}, {"WheelSetting", 2, 0},  {"RBSetting", 49, 49},  {"RBSetting", 50, 0},
        {"MBSetting", -1, 0},   {"4BSetting", 16, 16},   {"5BSetting", 3, 3},    {"ScrollPara", 0x100, 0x100},
        {"ScrollPara", -1, -1}, {"ScrollLines", 0, 15},  {"ScrollLines", 21, 15}, {"ScrollLines", 1, 1},
        {"ScrollLines", 20, 20}, {"ZoomSize", 6, 3},     {"ZoomSize", 5, 5},     {"ZoomRate", 1, 2},
        {"ZoomRate", 9, 2},     {"ZoomRate", 8, 8},      {"ZoomEnable", 5, 1},   {"ZoomEnable", 0, 0},
    };
    for (const Case &c : cases) {
        wt::DeleteProductKeys();
        SetDword(c.name, c.stored);
        EXPECT_EQ(1, LoadSettings());
        for (const SettingRule &rule : SettingRules) {
            int32_t expected = strcmp(rule.valueName, c.name) == 0 ? c.read : rule.defaultValue;
            EXPECT_EQ(expected, SettingsBlock.*rule.field) << c.name << " stored as " << c.stored;
        }
    }
}

TEST_F(SettingsStore, AnyFourByteValueCountsWhateverItsType)
{
    const int32_t twelve = 12;
    SetRaw("ScrollLines", REG_BINARY, &twelve, 4);
    SetRaw("ScrollPara", REG_SZ, "abc", 4);   // "abc" and its terminator: four bytes
    EXPECT_EQ(1, LoadSettings());
    EXPECT_EQ(12, SettingsBlock.ScrollLines);
    EXPECT_EQ(0x00636261, SettingsBlock.ScrollPara);
}

TEST_F(SettingsStore, ValuesOfOtherSizesKeepTheirDefaultAndWriteNothingBeyondFourBytes)
{
    const unsigned char shortData[2] = {5, 0};
    const unsigned char longData[8] = {5, 0, 0, 0, 9, 9, 9, 9};
    std::string longText(300, 'z');
    SetRaw("RBSetting", REG_BINARY, shortData, sizeof(shortData));
    SetRaw("MBSetting", REG_QWORD, longData, sizeof(longData));
    SetRaw("ScrollLines", REG_SZ, longText.c_str(), static_cast<DWORD>(longText.size() + 1));
    SetRaw("ZoomRate", REG_BINARY, "", 0);
    SetDword("ZoomSize", 1);
    EXPECT_EQ(1, LoadSettings());
    EXPECT_EQ(0, SettingsBlock.RBSetting);
    EXPECT_EQ(0, SettingsBlock.MBSetting);
    EXPECT_EQ(15, SettingsBlock.ScrollLines);
    EXPECT_EQ(2, SettingsBlock.ZoomRate);
    EXPECT_EQ(1, SettingsBlock.ZoomSize);   // the others are still read

    // The reader's 4-byte target between guard words: the guards stay untouched.
    HKEY key = OpenSettingsKey();
    for (const char *name : {"RBSetting", "MBSetting", "ScrollLines", "ZoomRate"}) {
        int32_t guarded[3] = {0x11111111, 0x22222222, 0x33333333};
        EXPECT_FALSE(ReadSettingValue(key, name, &guarded[1])) << name;
        EXPECT_EQ(0x11111111, guarded[0]) << name;
        EXPECT_EQ(0x33333333, guarded[2]) << name;
    }
    RegCloseKey(key);
}

TEST_F(SettingsStore, SaveWritesAllTenAsDwordsAndCreatesTheUserKey)
{
    SetDefaultSettings(SettingsBlock);
    SettingsBlock.Setting4B = 16;
    SettingsBlock.ScrollLines = 99;   // written as it stands, unchecked
    EXPECT_EQ(1, SaveSettings());

    ASSERT_TRUE(wt::KeyExists(HKEY_CURRENT_USER, "SOFTWARE\\Quillmark4D\\1.1"));
    HKEY key = OpenSettingsKey();
    for (const SettingRule &rule : SettingRules) {
        DWORD type = 0, value = 0, size = sizeof(value);
        ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, rule.valueName, nullptr, &type,
                                                  reinterpret_cast<BYTE *>(&value), &size)) << rule.valueName;
        EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type) << rule.valueName;
        EXPECT_EQ(static_cast<DWORD>(SettingsBlock.*rule.field), value) << rule.valueName;
    }
    RegCloseKey(key);

    EXPECT_EQ(1, LoadSettings());
    EXPECT_EQ(16, SettingsBlock.Setting4B);
    EXPECT_EQ(15, SettingsBlock.ScrollLines);   // refused again on read
}

class ProductInfoFile : public wt::IsolatedTest {};

TEST_F(ProductInfoFile, NoFileGivesDefaults)
{
    memset(&ProductInfo, 'q', sizeof(ProductInfo));
    LoadProductInfo();
    EXPECT_EQ(3, ProductInfo.MouseXD);
    EXPECT_EQ(0, ProductInfo.InfoPage);   // the profile default 0 lies in range
    EXPECT_STREQ("", ProductInfo.ProductName);
    EXPECT_STREQ("", ProductInfo.CompanyName);
    EXPECT_STREQ("Version 1.2", ProductInfo.Version);
    EXPECT_STREQ("", ProductInfo.CompanyPage);
    EXPECT_STREQ("", ProductInfo.WebSite);

    char menu[260] = "&Open %P% Control Panel";
    ExpandTemplate(menu, sizeof(menu));
    EXPECT_STREQ("&Open  Control Panel", menu);
}

TEST_F(ProductInfoFile, FullFileIsRead)
{
    wt::WriteProductInfoFile("[General]\r\nMouseXD=5\r\nInfoPage=1\r\nCompanyName=Quillmark\r\n"
                             "ProductName=Quillmark 4D Mouse\r\nVersion=Version 9\r\n"
                             "CompanyPage=http://quillmark.invalid/\r\nWebSite=http://site.invalid/\r\n");
    LoadProductInfo();
    EXPECT_EQ(5, ProductInfo.MouseXD);
    EXPECT_EQ(1, ProductInfo.InfoPage);
    EXPECT_STREQ("Quillmark", ProductInfo.CompanyName);
    EXPECT_STREQ("Quillmark 4D Mouse", ProductInfo.ProductName);
    EXPECT_STREQ("Version 9", ProductInfo.Version);
    EXPECT_STREQ("http://quillmark.invalid/", ProductInfo.CompanyPage);
    EXPECT_STREQ("http://site.invalid/", ProductInfo.WebSite);
}

TEST_F(ProductInfoFile, NumbersOutOfRangeKeepBuiltInDefaults)
{
    struct Case {
        const char *line;
        int mouseXD, infoPage;
    } cases[] = {
        {"MouseXD=1", 3, 0}, {"MouseXD=6", 3, 0}, {"MouseXD=2", 2, 0}, {"MouseXD=-4", 3, 0},
        {"InfoPage=1", 3, 1}, {"InfoPage=2", 3, 1}, {"InfoPage=0", 3, 0}, {"infopage = 1", 3, 1},
    };
    for (const Case &c : cases) {
        wt::WriteProductInfoFile(std::string("[General]\r\n") + c.line + "\r\n");
        LoadProductInfo();
        EXPECT_EQ(c.mouseXD, ProductInfo.MouseXD) << c.line;
        EXPECT_EQ(c.infoPage, ProductInfo.InfoPage) << c.line;
    }
}

TEST_F(ProductInfoFile, EmptyEntriesCountAsMissingAndRemovedKeysFallBack)
{
    wt::WriteProductInfoFile("[General]\r\nProductName=Mouse\r\nVersion=V2\r\n");
    LoadProductInfo();
    EXPECT_STREQ("V2", ProductInfo.Version);
    wt::WriteProductInfoFile("[General]\r\nVersion=\r\nProductName=\r\n");
    LoadProductInfo();
    EXPECT_STREQ("Version 1.2", ProductInfo.Version);
    EXPECT_STREQ("", ProductInfo.ProductName);
}

TEST_F(ProductInfoFile, LongTextsAreCutTo259)
{
    std::string name(400, 'P');
    wt::WriteProductInfoFile("[General]\r\nProductName=" + name + "\r\nCompanyName=" + name.substr(0, 259) + "\r\n");
    LoadProductInfo();
    EXPECT_EQ(259u, strlen(ProductInfo.ProductName));
    EXPECT_EQ(259u, strlen(ProductInfo.CompanyName));

    // The longest names overflow every caller's buffer: the expansion stops at its end.
    char text[256 + 8];
    memset(text, '#', sizeof(text));
    strcpy(text, "The advanced %P% functions will not be available.\nDo you really want to close it?");
    ExpandTemplate(text, 256);
    EXPECT_EQ(255u, strlen(text));
    EXPECT_EQ(0, strncmp(text, "The advanced PPP", 16));
    EXPECT_NE(nullptr, strstr(text, "functions will not be available.\nDo you really want to close it?"));
    for (size_t i = 256; i < sizeof(text); ++i)
        EXPECT_EQ('#', text[i]) << i;
}

TEST_F(ProductInfoFile, SaveWebSiteWritesEvenAnEmptyAddress)
{
    wt::WriteProductInfoFile("[General]\r\nProductName=Mouse\r\nWebSite=http://old.invalid/\r\n");
    LoadProductInfo();
    strcpy(ProductInfo.WebSite, "http://new.invalid/");
    SaveWebSite();
    LoadProductInfo();
    EXPECT_STREQ("http://new.invalid/", ProductInfo.WebSite);
    EXPECT_STREQ("Mouse", ProductInfo.ProductName);

    ProductInfo.WebSite[0] = '\0';
    SaveWebSite();
    char raw[64] = "unset";
    GetPrivateProfileStringA("General", "WebSite", "missing", raw, sizeof(raw), wt::ProductInfoFilePath().c_str());
    EXPECT_STREQ("", raw);   // present, with an empty value
    LoadProductInfo();
    EXPECT_STREQ("", ProductInfo.WebSite);
}

TEST_F(ProductInfoFile, SaveWebSiteCreatesTheFileWhenMissing)
{
    SetDefaultProductInfo(ProductInfo);
    strcpy(ProductInfo.WebSite, "http://x.invalid/");
    SaveWebSite();
    EXPECT_NE(std::string::npos, wt::ReadFileText(wt::ProductInfoFilePath()).find("WebSite=http://x.invalid/"));
}

TEST_F(ProductInfoFile, LoadTemplateStringExpandsFromTheStringTable)
{
    wt::WriteProductInfoFile("[General]\r\nProductName=Quillmark 4D Mouse\r\nCompanyName=Quillmark\r\n");
    LoadProductInfo();
    HINSTANCE self = GetModuleHandleA(nullptr);
    struct Case {
        UINT id;
        const char *expected;
    } cases[] = {
        {1200, "Quillmark 4D Mouse"},
        {1201, "This is Quillmark 4D Mouse control panel"},
        {1203, "This program is designed by Quillmark."},
        {1300, "Both Quillmark 4D Mouse and %C%"},
        {1299, ""},   // not in the table
    };
    for (const Case &c : cases) {
        char out[260];
        memset(out, 'x', sizeof(out));
        LoadTemplateString(self, c.id, out, sizeof(out));
        EXPECT_STREQ(c.expected, out) << c.id;
    }

    char small[12 + 4];
    memset(small, '#', sizeof(small));
    LoadTemplateString(self, 1201, small, 12);
    EXPECT_EQ(11u, strlen(small));
    for (size_t i = 12; i < sizeof(small); ++i)
        EXPECT_EQ('#', small[i]) << i;
}

}  // namespace
