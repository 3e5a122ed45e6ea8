// movratray.exe run as a program against the simulated driver: start-up and its silent
// refusals, the second start, the first-run import, the tray icon with its tip and pictures,
// closing with and without the question, and settings changed by another process.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tray/core/messages.h"
#include "tray/driver/driver_rules.h"
#include "tray_process.h"

namespace {

class TrayProgram : public tt::InstalledTrayTest {
protected:
    void TearDown() override
    {
        tray_.Stop();
        tt::InstalledTrayTest::TearDown();
    }
    SimSettingsRecord LastSettings()
    {
        SimChannelState nt = Nt();
        SimSettingsRecord record = {};
        EXPECT_TRUE(SimSettingsAt(nt, nt.settingsCount, &record));
        return record;
    }
    // The NIM_MODIFY pictures the notification area received, as held-button sets.
    std::vector<int> ModifiedPictures() const
    {
        std::vector<int> held;
        for (const tt::IconRequest &r : area_.Requests())
            if (r.operation == NIM_MODIFY)
                held.push_back(r.heldButtons);
        return held;
    }
    void Inject(uint32_t buttonState, uint32_t value = 0)
    {
        SimEventRecord event = {value, buttonState, 0, 0};
        ASSERT_TRUE(SimInject(control_, SIM_CHANNEL_NT, event));
    }

    tt::TrayProcess tray_;
};

TEST_F(TrayProgram, StartsHiddenWithItsIconAndTheDriverChannel)
{
    ASSERT_TRUE(tray_.Start());
    ASSERT_TRUE(wt::WaitFor([&] { return area_.Count(NIM_ADD) == 1; }));
    const tt::IconRequest &add = area_.Requests()[0];
    EXPECT_EQ(add.operation, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(add.owner, tray_.Window());
    EXPECT_EQ(add.id, 7721u);
    EXPECT_EQ(add.flags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(add.callbackMessage, WMU_TRAY);
    EXPECT_EQ(add.tip, DEFAULT_PRODUCT);
    EXPECT_EQ(add.heldButtons, 0);
    EXPECT_FALSE(IsWindowVisible(tray_.Window()));
    EXPECT_EQ(wt::FindProcessWindow(tray_.ProcessId(), nullptr, true), nullptr) << "something is visible";
    SimChannelState nt = Nt();
    EXPECT_EQ(nt.openFiles, 1u);
    EXPECT_EQ(nt.started, 1u);
    EXPECT_GE(nt.settingsCount, 1u);
}

TEST_F(TrayProgram, TipIsTheFirst63CharactersOfTheProductName)
{
    const std::string seventy = "Quillmark Extended Precision Four Dimension Wheel Mouse For Everyone!";
    ASSERT_EQ(seventy.size(), 69u);
    struct {
        std::string product, tip;
    } cases[] = {
        {"Short", "Short"},
        {seventy + "X", seventy.substr(0, 63)},
    };
    for (const auto &c : cases) {
        area_.Clear();
        tt::WriteProductInfo(c.product);
        ASSERT_TRUE(tray_.Start());
        ASSERT_TRUE(wt::WaitFor([&] { return area_.Count(NIM_ADD) == 1; }));
        EXPECT_EQ(area_.Requests()[0].tip, c.tip);
        tray_.Stop();
    }
}

TEST_F(TrayProgram, IconFollowsTheHeldButtonsAndChangesOnlyWhenTheyDo)
{
    ASSERT_TRUE(tray_.Start());
    ASSERT_TRUE(wt::WaitFor([&] { return area_.Count(NIM_ADD) == 1; }));
    struct Step {
        uint32_t buttonState;
        uint32_t value;
        int picture;   // the held set shown after it, -1 when the picture must not change
    } const steps[] = {
        {BS_LEFT_DOWN, 0, 1},
        {BS_RIGHT_DOWN, 0, 5},
        {BS_BUTTON4_DOWN | BS_BUTTON4_UP, 0, -1},
        {BS_BUTTON5_DOWN, 0, -1},
        {BS_WHEEL, 0x00780000, -1},
        {BS_LEFT_DOWN, 0, -1},                   // already held
        {BS_LEFT_UP, 0, 4},
        {BS_RIGHT_DOWN | BS_RIGHT_UP, 0, -1},    // press and release together: still held
        {BS_RIGHT_UP, 0, 0},
        {BS_MIDDLE_DOWN | BS_MIDDLE_UP, 0, 2},
        {BS_MIDDLE_UP, 0, 0},
    };
    std::vector<int> expected;
    for (const Step &s : steps) {
        Inject(s.buttonState, s.value);
        if (s.picture >= 0) {
            expected.push_back(s.picture);
            // Events are handled in order, so a picture that should not have been sent shows up
            // here, before the one this step expects.
            EXPECT_TRUE(wt::WaitFor([&] { return ModifiedPictures().size() >= expected.size(); }))
                << "no picture after event " << std::hex << s.buttonState;
        }
    }
    wt::PumpMessages(300);
    EXPECT_EQ(ModifiedPictures(), expected);
    for (const tt::IconRequest &r : area_.Requests())
        if (r.operation == NIM_MODIFY) {
            EXPECT_EQ(r.flags, static_cast<UINT>(NIF_ICON));
            EXPECT_EQ(r.owner, tray_.Window());
            EXPECT_EQ(r.id, 7721u);
        }
}

TEST_F(TrayProgram, SecondStartOpensTheAppletThroughTheFirstAndEnds)
{
    tt::StandInApplet applet;
    ASSERT_TRUE(applet.Ok());
    ASSERT_TRUE(tray_.Start());
    // The second start neither imports nor checks the system: both would refuse here.
    tt::DeleteUserKey();
    wt::ScopedWineVersion unsupported("movratray.exe", "win7");
    tt::TrayProcess second;
    EXPECT_EQ(second.RunToEnd(), 0);
    ASSERT_TRUE(applet.WaitForOpenings(1)) << "the first instance did not start the applet";
    EXPECT_NE(applet.Log().find("opened in " + wt::WindowsDir()), std::string::npos) << applet.Log();
    EXPECT_FALSE(tt::UserKeyExists()) << "the second start ran the import";
    EXPECT_TRUE(tray_.Running());
    EXPECT_EQ(area_.Count(NIM_ADD), 1u);
}

TEST_F(TrayProgram, FirstRunImportRunsOnceFromTheShortPath)
{
    tt::DeleteUserKey();
    ASSERT_NE(tt::InstallDirectory().find(' '), std::string::npos) << "the test needs a blank in the path";
    ASSERT_TRUE(tray_.Start());
    // The import is not waited for; the blank in the path would break an unshortened command.
    ASSERT_TRUE(wt::WaitFor([] { DWORD v; return tt::GetSetting("ZoomSize", &v); }, 20000))
        << "MRegSet.reg was not imported";
    tray_.Stop();
    // Once the user's key exists, no import again: a changed value stays.
    ASSERT_TRUE(tt::SetSetting("ZoomSize", 5));
    ASSERT_TRUE(tray_.Start());
    wt::PumpMessages(2000);
    DWORD zoom = 0;
    EXPECT_TRUE(tt::GetSetting("ZoomSize", &zoom));
    EXPECT_EQ(zoom, 5u);
}

TEST_F(TrayProgram, WithoutAShortPathItStartsWithoutImporting)
{
    // GetShortPathNameA fails for a folder that does not exist: nothing to build a command from.
    tt::DeleteUserKey();
    tt::SetMachinePath("C:\\No Such Folder\\Quillmark4D");
    ASSERT_TRUE(tray_.Start());
    EXPECT_TRUE(wt::WaitFor([&] { return area_.Count(NIM_ADD) == 1; }));
    wt::PumpMessages(1500);
    EXPECT_FALSE(tt::UserKeyExists());
    EXPECT_TRUE(tray_.Running());
}

// Every refusal ends the program silently with code 0, with nothing left behind.
TEST_F(TrayProgram, RefusalsEndSilentlyWithCodeZero)
{
    struct Case {
        const char *name;
        void (*arrange)(TrayProgram *);
        bool driverOpened;
    };
    static const Case cases[] = {
        {"no user key, no machine key",
         [](TrayProgram *) {
             tt::DeleteUserKey();
             wt::DeleteProductKeys();
         },
         false},
        {"no user key, machine key without Path",
         [](TrayProgram *) {
             tt::DeleteUserKey();
             tt::SetMachinePath("");
         },
         false},
        // Without its device name the driver cannot be opened at all.
        {"no driver",
         [](TrayProgram *t) {
             SimSetDosName(t->control_, false);
             SimSetPresent(t->control_, SIM_CHANNEL_USB, false);
         },
         false},
        {"tray icon refused", [](TrayProgram *t) { t->area_.Refuse(true); }, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SimReset(control_);
        tt::SetMachinePath(tt::InstallDirectory());
        tt::CreateUserKey();
        area_.Refuse(false);
        area_.Clear();
        c.arrange(this);
        EXPECT_EQ(tray_.RunToEnd(), 0);
        EXPECT_EQ(FindWindowA(TRAY_WINDOW_CLASS, nullptr), nullptr);
        EXPECT_EQ(area_.Count(NIM_ADD), c.driverOpened ? 1u : 0u);
        SimChannelState nt = Nt();
        EXPECT_EQ(nt.opens, c.driverOpened ? 1u : 0u);
        EXPECT_EQ(nt.openFiles, 0u) << "the channel outlived the process";
        SimSetDosName(control_, true);
    }
    area_.Refuse(false);
    {
        SCOPED_TRACE("unsupported system");
        SimReset(control_);
        wt::ScopedWineVersion unsupported("movratray.exe", "win7");
        EXPECT_EQ(tray_.RunToEnd(), 0);
        EXPECT_EQ(Nt().opens, 0u);
    }
}

TEST_F(TrayProgram, CloseAsksAndNoKeepsEverythingRunning)
{
    ASSERT_TRUE(tray_.Start());
    ASSERT_TRUE(wt::WaitFor([&] { return area_.Count(NIM_ADD) == 1; }));
    PostMessageA(tray_.Window(), WM_CLOSE, CLOSE_WITH_CONFIRMATION, 0);
    HWND box = nullptr;
    ASSERT_TRUE(wt::WaitFor([&] { return (box = wt::FindProcessWindow(tray_.ProcessId(), "#32770", true)) != nullptr; }))
        << "no message box";
    char caption[256] = "", text[512] = "";
    GetWindowTextA(box, caption, sizeof(caption));
    GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
    EXPECT_STREQ(caption, DEFAULT_PRODUCT);
    EXPECT_STREQ(text, "The advanced " DEFAULT_PRODUCT " functions will not be available.\nDo you really want to close it?");
    ASSERT_TRUE(GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO));
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(box, IDNO), GWL_STYLE) & BS_DEFPUSHBUTTON) << "No is not the default";
    EXPECT_FALSE(GetWindowLongA(GetDlgItem(box, IDYES), GWL_STYLE) & BS_DEFPUSHBUTTON);
    PostMessageA(box, WM_COMMAND, IDNO, 0);
    ASSERT_TRUE(wt::WaitFor([&] { return !IsWindow(box); }));
    wt::PumpMessages(500);
    EXPECT_TRUE(tray_.Running());
    EXPECT_EQ(area_.Count(NIM_DELETE), 0u);
    SimChannelState nt = Nt();
    EXPECT_EQ(nt.stops, 0u);
    EXPECT_EQ(nt.openFiles, 1u);
}

TEST_F(TrayProgram, CloseAnsweredYesStopsTheDriverThenRemovesTheIconAndEnds)
{
    ASSERT_TRUE(tray_.Start());
    ASSERT_TRUE(wt::WaitFor([&] { return area_.Count(NIM_ADD) == 1; }));
    // The menu's "Close" asks the same question.
    PostMessageA(tray_.Window(), WM_COMMAND, 1, 0);
    HWND box = nullptr;
    ASSERT_TRUE(wt::WaitFor([&] { return (box = wt::FindProcessWindow(tray_.ProcessId(), "#32770", true)) != nullptr; }));
    SimChannelState atDelete = {};
    area_.OnRequest([&](const tt::IconRequest &r) {
        if (r.operation == NIM_DELETE)
            atDelete = Nt();
    });
    PostMessageA(box, WM_COMMAND, IDYES, 0);
    EXPECT_EQ(tray_.WaitExit(), 0);
    area_.OnRequest(nullptr);
    ASSERT_EQ(area_.Count(NIM_DELETE), 1u);
    EXPECT_EQ(area_.Requests().back().operation, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(area_.Requests().back().id, 7721u);
    // By the time the icon went, the driver had the close record and the stop.
    EXPECT_EQ(atDelete.stops, 1u);
    EXPECT_EQ(atDelete.started, 0u);
    SimSettingsRecord close = {};
    ASSERT_TRUE(SimSettingsAt(atDelete, atDelete.settingsCount, &close));
    EXPECT_EQ(close.field[2], 2u);   // right button passed through
    EXPECT_EQ(close.field[3], 3u);   // middle button passed through
    EXPECT_EQ(Nt().openFiles, 0u);
}

TEST_F(TrayProgram, CloseWithoutConfirmationAndRestoreThatDoesNothing)
{
    ASSERT_TRUE(tray_.Start());
    ASSERT_TRUE(wt::WaitFor([&] { return area_.Count(NIM_ADD) == 1; }));
    PostMessageA(tray_.Window(), WM_SYSCOMMAND, SC_RESTORE, 0);
    wt::PumpMessages(500);
    EXPECT_FALSE(IsWindowVisible(tray_.Window()));
    EXPECT_TRUE(tray_.Running());

    PostMessageA(tray_.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(tray_.WaitExit(), 0);
    EXPECT_EQ(area_.Count(NIM_DELETE), 1u);
    EXPECT_EQ(Nt().stops, 1u);
}

TEST_F(TrayProgram, SettingsChangedFromAnotherProcessAreReloadedAndPushed)
{
    ASSERT_TRUE(tray_.Start());
    ASSERT_TRUE(wt::WaitFor([&] { return area_.Count(NIM_ADD) == 1; }));
    uint32_t before = Nt().settingsCount;
    SimSettingsRecord first = LastSettings();
    EXPECT_EQ(first.field[2], 2u);   // RBSetting 0: the right button passes through
    EXPECT_EQ(first.field[3], 0u);
    ASSERT_TRUE(tt::SetSetting("RBSetting", 5));
    ASSERT_TRUE(tt::SetSetting("MBSetting", 2));
    tt::WriteProductInfo("Renamed Mouse");
    DWORD_PTR result = 1;
    ASSERT_TRUE(SendMessageTimeoutA(tray_.Window(), WMU_SETTINGS_CHANGED, 0, 0, SMTO_NORMAL, 10000, &result));
    EXPECT_EQ(result, 0u);
    // SendMessage returns after the push: the record is there already.
    SimChannelState nt = Nt();
    EXPECT_EQ(nt.settingsCount, before + 1);
    SimSettingsRecord pushed = LastSettings();
    EXPECT_EQ(pushed.field[2], 0u);
    EXPECT_EQ(pushed.field[3], 3u);
    // The tip is set once, at start.
    EXPECT_EQ(area_.Count(NIM_MODIFY), 0u);
}

}  // namespace
