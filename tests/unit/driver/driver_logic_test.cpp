// Driver link decisions without Win32: OS kind from a version, the records byte by byte, the
// posts of one driver event, and the port name match.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tray/core/messages.h"
#include "tray/driver/driver_rules.h"

namespace {

TEST(OsKindFromVersion, BoundariesOfEverySystem)
{
    const uint32_t nine = 1, nt = PLATFORM_WIN32_NT;
    const struct {
        uint32_t major, minor, platform;
        int kind;
    } cases[] = {
        {4, 0, nine, OS_WIN95},   {4, 3, nine, OS_WIN95},   {4, 9, nine, OS_WIN95},    {4, 10, nine, OS_WIN98},
        {4, 11, nine, 0},         {4, 50, nine, 0},         {4, 89, nine, 0},          {4, 90, nine, OS_WINME},
        {4, 200, nine, OS_WINME}, {4, 0, 0, OS_WIN95},      {4, 0, nt, OS_NT4},        {4, 10, nt, OS_NT4},
        {4, 90, nt, OS_NT4},      {5, 0, nt, OS_WIN2000},   {5, 0, nine, OS_WIN2000},  {5, 1, nt, OS_WINXP},
        {5, 2, nt, OS_WINXP},     {5, 99, nine, OS_WINXP},  {3, 51, nt, 0},            {6, 0, nt, 0},
        {6, 1, nt, 0},            {10, 0, nt, 0},           {0, 0, 0, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.kind, OsKindFromVersion(c.major, c.minor, c.platform))
            << c.major << "." << c.minor << " platform " << c.platform;
}

TEST(OsKindFromVersion, GroupsAreMasksOfSingleBits)
{
    EXPECT_EQ(6, OS_KINDS_USB);
    EXPECT_EQ(7, OS_KINDS_9X);
    EXPECT_EQ(56, OS_KINDS_NT);
    for (int kind : {OS_WIN95, OS_WIN98, OS_WINME, OS_NT4, OS_WIN2000, OS_WINXP})
        EXPECT_EQ(1, __builtin_popcount(kind));
}

std::vector<uint8_t> Bytes(const void *p, size_t n)
{
    const uint8_t *b = static_cast<const uint8_t *>(p);
    return std::vector<uint8_t>(b, b + n);
}

std::vector<uint8_t> Le32(std::initializer_list<uint32_t> words)
{
    std::vector<uint8_t> out;
    for (uint32_t w : words)
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<uint8_t>(w >> (8 * i)));
    return out;
}

TEST(DriverRecords, SettingsRecordByteByByte)
{
    const struct {
        int32_t swap, rb, mb;
        uint32_t right, middle;
    } cases[] = {{0, 0, 2, 2, 3}, {1, 0, 0, 2, 0}, {0, 1, 2, 0, 3}, {5, 49, 3, 0, 0}, {0, 2, 1, 0, 0}};
    for (const auto &c : cases) {
        SettingsRecord r;
        memset(&r, 0xAB, sizeof(r));
        r.target = 0x12345678;
        FillSettingsRecord(r, c.swap, c.rb, c.mb);
        EXPECT_EQ(Le32({0x12345678, static_cast<uint32_t>(c.swap), c.right, c.middle, 0, 0, 0xFFFFFC00u, 0, 0}),
                  Bytes(&r, sizeof(r)))
            << "RBSetting " << c.rb << " MBSetting " << c.mb << ": the target keeps its last value";
    }
}

TEST(DriverRecords, CloseAndInitRecords)
{
    SettingsRecord nine = MakeCloseRecord(0);
    EXPECT_EQ(Le32({0, 0, 2, 3, 0, 0, 0xFFFFFC00u, 0, 0}), Bytes(&nine, sizeof(nine)));
    SettingsRecord nt = MakeCloseRecord(SELECTOR_NT);
    EXPECT_EQ(Le32({1, 0, 2, 3, 0, 0, 0xFFFFFC00u, 0, 0}), Bytes(&nt, sizeof(nt)));
    SettingsRecord init = MakeInitRecord();
    EXPECT_EQ(Le32({1, 0, 0, 0, 0, 0, 0, 0, 0}), Bytes(&init, sizeof(init)));
}

TEST(DriverRecords, TargetByChannel)
{
    EXPECT_EQ(0u, SettingsTarget(true, OS_WIN98, 0x1234));
    EXPECT_EQ(0x1234u, SettingsTarget(false, OS_WIN95, 0x1234));
    EXPECT_EQ(0x1234u, SettingsTarget(false, OS_WINME, 0x1234));
    EXPECT_EQ(1u, SettingsTarget(false, OS_NT4, 0x1234));
    EXPECT_EQ(1u, SettingsTarget(false, OS_WINXP, 0x1234));
}

TEST(DriverRecords, ArmAndEventLayout)
{
    ArmRecord arm = {SELECTOR_NT, 1, 0x8899AABB};
    EXPECT_EQ((std::vector<uint8_t>{1, 0, 1, 0, 0xBB, 0xAA, 0x99, 0x88}), Bytes(&arm, sizeof(arm)));
    EventRecord event = {0xFFFFFFFF, BS_WHEEL, 0x1FF, 2};
    EXPECT_EQ(Le32({0xFFFFFFFF, 0x400, 0x1FF, 2}), Bytes(&event, sizeof(event)));
    ScanCodeRecord codes = {0x38, 0x2A, 0x0F, 0};
    EXPECT_EQ((std::vector<uint8_t>{0x38, 0x2A, 0x0F, 0}), Bytes(&codes, sizeof(codes)));
}

TEST(DriverRecords, ControlCodes)
{
    const struct {
        uint32_t code, expected;
    } cases[] = {{CTL_SCANCODES, 0x26AA}, {CTL_SETTINGS_9X, 0x26AB}, {CTL_INIT, 0xF2F08},  {CTL_SETTINGS, 0xF2F0C},
                 {CTL_ARM, 0xF2F10},      {CTL_READ_EVENT, 0xF2F14}, {CTL_START, 0xF4E48}, {CTL_STOP, 0xF4E4C}};
    for (const auto &c : cases)
        EXPECT_EQ(c.expected, c.code);
}

struct Post {
    unsigned message;
    uint32_t wParam, lParam;
    bool operator==(const Post &o) const { return message == o.message && wParam == o.wParam && lParam == o.lParam; }
};
std::ostream &operator<<(std::ostream &os, const Post &p)
{
    return os << "{" << p.message << ", " << std::hex << p.wParam << ", " << p.lParam << std::dec << "}";
}

TEST(FanOutEvent, AtMostThreePostsInTheOrderWheelAuxButtons)
{
    const uint32_t tick = 0xCAFE;
    const struct {
        const char *name;
        EventRecord event;
        std::vector<Post> posts;
    } cases[] = {
        {"nothing", {5, 0, 1, 2}, {}},
        {"wheel only", {120, BS_WHEEL, 0, 0}, {{WMU_WHEEL_EVENT, 120, tick}}},
        {"wheel of -1", {0xFFFFFFFF, BS_WHEEL, 0, 0}, {{WMU_WHEEL_EVENT, 0xFFFFFFFF, tick}}},
        {"wheel and right up",
         {0xFFFFFF88, BS_WHEEL | BS_RIGHT_UP, 0, 0},
         {{WMU_WHEEL_EVENT, 0xFFFFFF88, tick}, {WMU_BUTTON_EVENT, BS_RIGHT_UP, 0xFF880000}}},
        {"aux and middle up",
         {7, BS_AUX | BS_MIDDLE_UP, 0x1234, 0xFF56},
         {{WMU_BUTTON_EVENT, BS_AUX, 0x5634}, {WMU_BUTTON_EVENT, BS_MIDDLE_UP, 0x70000}}},
        {"all three",
         {0x10002, BS_WHEEL | BS_AUX | BS_LEFT_DOWN | BS_BUTTON5_UP, 1, 2},
         {{WMU_WHEEL_EVENT, 0x10002, tick}, {WMU_BUTTON_EVENT, BS_AUX, 0x0201}, {WMU_BUTTON_EVENT, 0x201, 0x20000}}},
        {"undefined bits ride along", {0, 0x1000, 0, 0}, {{WMU_BUTTON_EVENT, 0x1000, 0}}},
        {"value high half lost", {0xABCD1234, BS_BUTTON4_UP, 0, 0}, {{WMU_BUTTON_EVENT, BS_BUTTON4_UP, 0x12340000}}},
    };
    for (const auto &c : cases) {
        DriverPost posts[MAX_POSTS_PER_EVENT] = {};
        int n = FanOutEvent(c.event, tick, posts);
        std::vector<Post> got;
        for (int i = 0; i < n; ++i)
            got.push_back({posts[i].message, posts[i].wParam, posts[i].lParam});
        EXPECT_EQ(c.posts, got) << c.name;
    }
}

TEST(PortNameMatches, SubstringWithinTheDataLength)
{
    const struct {
        std::string data;
        size_t length;
        bool match;
    } cases[] = {
        {"\\Driver\\KelvPs2", 15, true},
        {"\\Kelvser", 8, true},
        {"\\Kelvser", 7, false},                      // cut by the length
        {"\\kelvser", 8, false},                      // case-sensitive
        {"Kelvser", 7, false},                        // the backslash belongs to the name
        {std::string("ab\0\\KelvPs2", 11), 11, true},  // text ends at its length, not at a NUL
        {"\\Device\\i8042prt", 16, false},
        {"", 0, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.match, PortNameMatches(c.data.data(), c.length)) << c.data;
}

}  // namespace
