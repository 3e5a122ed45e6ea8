// Settings range rules, product information defaults, template expansion and the catalogue.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "shared/function_catalogue.h"
#include "shared/product_info_rules.h"
#include "shared/settings_rules.h"

namespace {

const SettingRule &Rule(const char *name)
{
    for (const SettingRule &rule : SettingRules)
        if (strcmp(rule.valueName, name) == 0)
            return rule;
    ADD_FAILURE() << "no rule for " << name;
    return SettingRules[0];
}

TEST(SettingsRules, DefaultsInFieldOrder)
{
    SettingsBlockRecord block;
    memset(&block, 0x5A, sizeof(block));
    SetDefaultSettings(block);
    const int32_t expected[] = {0, 0, 0, 0, 0, 15, 15, 3, 2, 1};
    EXPECT_EQ(0, memcmp(&block, expected, sizeof(expected)));
}

TEST(SettingsRules, ValueNamesInStoredOrder)
{
    const char *const names[] = {"WheelSetting", "RBSetting", "MBSetting", "4BSetting", "5BSetting",
                                 "ScrollPara", "ScrollLines", "ZoomSize", "ZoomRate", "ZoomEnable"};
    SettingsBlockRecord block{};
    for (int i = 0; i < SETTINGS_VALUE_COUNT; ++i) {
        EXPECT_STREQ(names[i], SettingRules[i].valueName);
        // Field i of the block is the i-th 32-bit word: the order of the snapshot copy.
        EXPECT_EQ(reinterpret_cast<int32_t *>(&block) + i, &(block.*SettingRules[i].field));
    }
}

struct RangeCase {
    const char *name;
    int32_t value;
    bool accepted;
};

TEST(SettingsRules, RangesAreSignedAndInclusive)
{
    const RangeCase cases[] = {
        {"WheelSetting", 0, true},  {"WheelSetting", 1, true},   {"WheelSetting", 2, false},
        {"WheelSetting", -1, false},
        {"RBSetting", 49, true},    {"RBSetting", 50, false},    {"RBSetting", -1, false},
        {"MBSetting", 0, true},     {"4BSetting", 49, true},     {"5BSetting", 50, false},
        {"ScrollPara", 0x100, true}, {"ScrollPara", -1, true},   {"ScrollPara", 0, true},
        {"ScrollLines", 0, false},  {"ScrollLines", 1, true},    {"ScrollLines", 20, true},
        {"ScrollLines", 21, false},
        {"ZoomSize", 5, true},      {"ZoomSize", 6, false},      {"ZoomSize", -1, false},
        {"ZoomRate", 1, false},     {"ZoomRate", 2, true},       {"ZoomRate", 8, true},
        {"ZoomRate", 9, false},
        // Only 0 turns the lens off; anything else leaves the default 1.
        {"ZoomEnable", 0, true},    {"ZoomEnable", 1, false},    {"ZoomEnable", 5, false},
    };
    for (const RangeCase &c : cases)
        EXPECT_EQ(c.accepted, SettingAccepts(Rule(c.name), c.value)) << c.name << " = " << c.value;
}

TEST(ProductInfoRules, DefaultsAndRanges)
{
    ProductInfoRecord info;
    memset(&info, 'x', sizeof(info));
    SetDefaultProductInfo(info);
    EXPECT_EQ(3, info.MouseXD);
    EXPECT_EQ(1, info.InfoPage);
    EXPECT_STREQ("", info.CompanyName);
    EXPECT_STREQ("", info.ProductName);
    EXPECT_STREQ("Version 1.2", info.Version);
    EXPECT_STREQ("", info.CompanyPage);
    EXPECT_STREQ("", info.WebSite);

    for (int v : {1, 6, 0, -1})
        EXPECT_FALSE(MouseXDAccepts(v)) << v;
    for (int v : {2, 5})
        EXPECT_TRUE(MouseXDAccepts(v)) << v;
    EXPECT_TRUE(InfoPageAccepts(0));
    EXPECT_TRUE(InfoPageAccepts(1));
    EXPECT_FALSE(InfoPageAccepts(2));
    EXPECT_FALSE(InfoPageAccepts(-1));
}

std::string Expand(const char *source, const char *product, const char *company, size_t size = 260)
{
    char out[300];
    memset(out, '#', sizeof(out));
    ExpandTemplateText(source, product, company, out, size);
    for (size_t i = size; i < sizeof(out); ++i)
        if (out[i] != '#') {
            ADD_FAILURE() << "wrote past " << size << " bytes at " << i;
            break;
        }
    return out;
}

TEST(TemplateExpansion, FirstPlaceholderOnly)
{
    struct Case {
        const char *source, *expected;
    } cases[] = {
        {"&Close %P%", "&Close Mouse X"},
        {"&Open %P% Control Panel", "&Open Mouse X Control Panel"},
        {"No placeholder here", "No placeholder here"},
        {"%P% by %C%", "Mouse X by %C%"},          // %P% wins, %C% stays
        {"%C% makes %P%", "%C% makes Mouse X"},
        {"%P% and %P%", "Mouse X and %P%"},         // only the first
        {"Made by %C%.", "Made by Acme."},
        {"%p% is not a placeholder", "%p% is not a placeholder"},
        {"", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.expected, Expand(c.source, "Mouse X", "Acme")) << c.source;
}

TEST(TemplateExpansion, ReplacementIsNotScannedAgain)
{
    EXPECT_EQ("A %C% B", Expand("A %P% B", "%C%", "Acme"));
    EXPECT_EQ("A %P% B", Expand("A %P% B", "%P%", "Acme"));
}

TEST(TemplateExpansion, EmptyReplacementRemovesPlaceholder)
{
    EXPECT_EQ("&Open  Control Panel", Expand("&Open %P% Control Panel", "", "Acme"));
}

TEST(TemplateExpansion, LongNamesAreShortenedKeepingTheTemplateWords)
{
    std::string longName(259, 'N');
    for (size_t size : {size_t(260), size_t(256), size_t(16), size_t(1)}) {
        std::string out = Expand("&Close %P% now", longName.c_str(), "", size);
        ASSERT_EQ(size - 1, out.size()) << size;
        if (size > 11) {
            EXPECT_EQ(0u, out.find("&Close N")) << size;
            EXPECT_EQ(out.size() - 4, out.rfind(" now")) << size;
        }
    }
}

TEST(TemplateExpansion, TemplateLongerThanTheBufferIsCut)
{
    std::string source = std::string(300, 'a') + "%P%";
    // Only 259 characters of the source count; its placeholder lies beyond them.
    EXPECT_EQ(std::string(259, 'a'), Expand(source.c_str(), "X", "Y"));
    std::string head = "%P%" + std::string(270, 'b');
    std::string out = Expand(head.c_str(), "Product", "", 256);
    EXPECT_EQ(255u, out.size());
    EXPECT_EQ(std::string(255, 'b'), out);   // the template's words alone overflow: cut at the end
}

TEST(TemplateExpansion, InPlace)
{
    char text[16] = "&Close %P%";
    ExpandTemplateText(text, "LongProductName", "", text, sizeof(text));
    EXPECT_STREQ("&Close LongProd", text);
}

TEST(FunctionCatalogue, NamesAndBounds)
{
    EXPECT_STREQ("[Unassigned]", FunctionName(0));
    EXPECT_STREQ("Copy", FunctionName(FN_COPY));
    EXPECT_STREQ("Find Files/Folders", FunctionName(43));
    EXPECT_STREQ("Arrow Right", FunctionName(49));
    EXPECT_EQ(nullptr, FunctionName(50));
    EXPECT_EQ(nullptr, FunctionName(-1));
    for (int a = 0; a < FUNCTION_COUNT; ++a) {
        ASSERT_NE(nullptr, FunctionNames[a]);
        EXPECT_GT(strlen(FunctionNames[a]), 0u);
        for (int b = a + 1; b < FUNCTION_COUNT; ++b)
            EXPECT_STRNE(FunctionNames[a], FunctionNames[b]);
    }
}

TEST(FunctionCatalogue, KeyChords)
{
    struct Case {
        int code;
        uint8_t first, second;
    } cases[] = {
        {25, 0x23, 0}, {26, 0x0D, 0}, {27, 0x70, 0}, {38, 0x7B, 0}, {39, 0x22, 0}, {40, 0x21, 0},
        {41, 0x5B, 0x52}, {42, 0x5B, 0}, {43, 0x5B, 0x46}, {44, 0x12, 0x25}, {45, 0x12, 0x27},
        {46, 0x26, 0}, {47, 0x28, 0}, {48, 0x25, 0}, {49, 0x27, 0},
    };
    for (const Case &c : cases) {
        const KeyChord *chord = KeyChordOf(c.code);
        ASSERT_NE(nullptr, chord) << c.code;
        EXPECT_EQ(c.first, chord->first) << c.code;
        EXPECT_EQ(c.second, chord->second) << c.code;
    }
    for (int code : {-1, 0, 24, 50})
        EXPECT_EQ(nullptr, KeyChordOf(code)) << code;
}

TEST(FunctionCatalogue, DetailDialogsOnlyForZoomAndWebBrowser)
{
    for (int code = -1; code <= FUNCTION_COUNT; ++code)
        EXPECT_EQ(code == 3 || code == 19, HasDetailDialog(code)) << code;
}

}  // namespace
