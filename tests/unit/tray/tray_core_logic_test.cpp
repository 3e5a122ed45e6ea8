// Decisions of the tray program's core: the held-button set behind the icon, the tip, the
// first-run import command and the main window's command and tray decisions.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tray/core/messages.h"
#include "tray/core/tray_rules.h"
#include "tray/driver/driver_rules.h"

namespace {

struct ButtonCase {
    const char *name;
    unsigned before;
    uint32_t buttonState;
    unsigned after;
};

const ButtonCase ButtonCases[] = {
    {"left press", 0, BS_LEFT_DOWN, TRAY_LEFT_HELD},
    {"left release", TRAY_LEFT_HELD, BS_LEFT_UP, 0},
    {"middle press", 0, BS_MIDDLE_DOWN, TRAY_MIDDLE_HELD},
    {"middle release", 7, BS_MIDDLE_UP, 5},
    {"right press", 0, BS_RIGHT_DOWN, TRAY_RIGHT_HELD},
    {"right release", 7, BS_RIGHT_UP, 3},
    {"press and release in one event counts as press", 0, BS_LEFT_DOWN | BS_LEFT_UP, TRAY_LEFT_HELD},
    {"right press and release in one event counts as press", 1, BS_RIGHT_DOWN | BS_RIGHT_UP, 5},
    {"left and right together", 0, BS_LEFT_DOWN | BS_RIGHT_DOWN, 5},
    {"left released, right still held", 5, BS_LEFT_UP, 4},
    {"all three released at once", 7, BS_LEFT_UP | BS_MIDDLE_UP | BS_RIGHT_UP, 0},
    {"release of a button not held", 0, BS_RIGHT_UP, 0},
    {"fourth and fifth buttons do not count", 2, BS_BUTTON4_DOWN | BS_BUTTON5_DOWN | BS_BUTTON4_UP, 2},
    {"wheel and aux do not count", 4, BS_WHEEL | BS_AUX, 4},
    {"higher bits do not count", 1, 0xFFFFF000u, 1},
};

TEST(TrayButtonState, FollowsTheThreeMainButtons)
{
    for (const ButtonCase &c : ButtonCases)
        EXPECT_EQ(NextTrayButtonState(c.before, c.buttonState), c.after) << c.name;
}

TEST(TrayButtonState, IconIsStatePlusOne)
{
    // The pictures are numbered so: 1 none, 2 left, 3 middle, 4 left+middle, 5 right, ...
    const int expected[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    for (unsigned state = 0; state < 8; ++state)
        EXPECT_EQ(TrayIconResource(state), expected[state]) << state;
    EXPECT_EQ(TrayIconResource(TRAY_LEFT_HELD | TRAY_RIGHT_HELD), 6);
}

TEST(TrayTip, IsTheFirst63Characters)
{
    struct {
        std::string name;
        std::string tip;
    } cases[] = {
        {"", ""},
        {"Quillmark 4D Mouse", "Quillmark 4D Mouse"},
        {std::string(63, 'a'), std::string(63, 'a')},
        {std::string(64, 'b'), std::string(63, 'b')},
        {std::string(70, 'c') + "tail", std::string(63, 'c')},
        {std::string(259, 'd'), std::string(63, 'd')},
    };
    for (const auto &c : cases) {
        char tip[TRAY_TIP_SIZE + 8];
        memset(tip, 'X', sizeof(tip));
        MakeTrayTip(c.name.c_str(), tip, TRAY_TIP_SIZE);
        EXPECT_EQ(std::string(tip), c.tip) << c.name.size();
        EXPECT_EQ(tip[TRAY_TIP_SIZE], 'X') << "wrote past the tip for a name of " << c.name.size();
    }
}

TEST(FirstRunImportCommand, BuiltFromTheShortDirectory)
{
    struct {
        const char *directory;
        const char *command;
    } cases[] = {
        {"C:\\PROG~FBU\\QUILLM~1", "regedit /s C:\\PROG~FBU\\QUILLM~1\\MRegSet.reg"},
        {"C:\\", "regedit /s C:\\MRegSet.reg"},
        {"D:\\Q4D", "regedit /s D:\\Q4D\\MRegSet.reg"},
    };
    for (const auto &c : cases) {
        char out[260];
        ASSERT_TRUE(BuildImportCommand(c.directory, out, sizeof(out))) << c.directory;
        EXPECT_STREQ(out, c.command);
    }
}

TEST(FirstRunImportCommand, NeverBuiltFromAnEmptyOrCutPath)
{
    char out[260];
    EXPECT_FALSE(BuildImportCommand("", out, sizeof(out)));
    EXPECT_STREQ(out, "");

    // "regedit /s " (11) + directory + "\MRegSet.reg" (12) + terminator must fit 260.
    std::string fits(260 - 11 - 12 - 1, 'p');
    ASSERT_TRUE(BuildImportCommand(fits.c_str(), out, sizeof(out)));
    EXPECT_EQ(strlen(out), 259u);
    std::string tooLong(fits.size() + 1, 'p');
    char guarded[260 + 4];
    memset(guarded, 'X', sizeof(guarded));
    EXPECT_FALSE(BuildImportCommand(tooLong.c_str(), guarded, 260));
    EXPECT_STREQ(guarded, "");
    EXPECT_EQ(guarded[260], 'X');
}

TEST(MainWindowDecisions, Commands)
{
    struct {
        uint32_t id;
        CommandAction action;
    } cases[] = {
        {0, CommandAction::OpenApplet},   {1, CommandAction::AskToClose}, {0xF120, CommandAction::Ignore},
        {2, CommandAction::Default},      {0xF060, CommandAction::Default},   // SC_CLOSE
        {0xF020, CommandAction::Default}, {0xFFFF, CommandAction::Default},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CommandActionFor(c.id), c.action) << std::hex << c.id;
}

TEST(MainWindowDecisions, TrayMouseMessages)
{
    struct {
        uint32_t mouse;
        TrayAction action;
    } cases[] = {
        {0x0203, TrayAction::OpenApplet},   // left double click
        {0x0205, TrayAction::ShowMenu},     // right release
        {0x0200, TrayAction::Ignore},       // move
        {0x0201, TrayAction::Ignore},       // left press
        {0x0202, TrayAction::Ignore},       // left release
        {0x0204, TrayAction::Ignore},       // right press
        {0x0206, TrayAction::Ignore},       // right double click
        {0x0207, TrayAction::Ignore},       // middle press
    };
    for (const auto &c : cases)
        EXPECT_EQ(TrayActionFor(c.mouse), c.action) << std::hex << c.mouse;
}

TEST(MainWindowDecisions, OnlyTheConfirmationWParamAsks)
{
    EXPECT_TRUE(CloseAsksFirst(CLOSE_WITH_CONFIRMATION));
    EXPECT_FALSE(CloseAsksFirst(0));
    EXPECT_FALSE(CloseAsksFirst(1));
    EXPECT_FALSE(CloseAsksFirst(CLOSE_WITH_CONFIRMATION + 0x10000));
}

}  // namespace
