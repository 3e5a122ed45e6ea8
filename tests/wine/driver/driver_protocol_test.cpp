// The requests on an open channel, the settings push and the reader thread's posts, against the
// simulated driver. Expected posts are tables, compared in one place.
#include "driver_test_support.h"

#include "tray/core/messages.h"

namespace {

using dt::DriverTest;
using dt::Lp;
using dt::SeamLog;
using wt::MessageRecord;

unsigned const W = wt::MSG_CHECK_WPARAM;
unsigned const WL = wt::MSG_CHECK_WPARAM | wt::MSG_CHECK_LPARAM;

const uint32_t Channels[] = {SIM_CHANNEL_NT, SIM_CHANNEL_USB};

class ReaderTest : public DriverTest, public ::testing::WithParamInterface<uint32_t> {
protected:
    void Open()
    {
        OsKind = GetParam() == SIM_CHANNEL_NT ? OS_WINXP : OS_WIN98;
        ASSERT_TRUE(OpenDriverChannel());
        ASSERT_EQ(GetParam() == SIM_CHANNEL_USB, UsbHandle != INVALID_HANDLE_VALUE);
        ASSERT_TRUE(WaitState(GetParam(), [](const SimChannelState &s) { return s.arms >= 1; }));
    }
    HANDLE Channel() { return GetParam() == SIM_CHANNEL_NT ? DeviceHandle : UsbHandle; }
};

// One driver event gives at most three posts: wheel, auxiliary, buttons.
TEST_P(ReaderTest, EventsBecomePostsInOrder)
{
    Open();
    const struct {
        const char *name;
        SimEventRecord event;
        std::vector<MessageRecord> posts;
    } cases[] = {
        {"wheel only", {120, BS_WHEEL, 0, 0}, {{WMU_WHEEL_EVENT, 120, 0, W}}},
        {"wheel of -1", {0xFFFFFFFF, BS_WHEEL, 0, 0}, {{WMU_WHEEL_EVENT, 0xFFFFFFFF, 0, W}}},
        {"wheel and right up",
         {static_cast<uint32_t>(-120), BS_WHEEL | BS_RIGHT_UP, 0, 0},
         {{WMU_WHEEL_EVENT, 0xFFFFFF88, 0, W}, {WMU_BUTTON_EVENT, BS_RIGHT_UP, Lp(0xFF880000), WL}}},
        {"aux and middle up",
         {7, BS_AUX | BS_MIDDLE_UP, 0x1234, 0x5678},
         {{WMU_BUTTON_EVENT, BS_AUX, 0x7834, WL}, {WMU_BUTTON_EVENT, BS_MIDDLE_UP, 0x70000, WL}}},
        {"all three",
         {1, BS_WHEEL | BS_AUX | BS_BUTTON4_UP | BS_BUTTON5_DOWN, 0xA, 0xB},
         {{WMU_WHEEL_EVENT, 1, 0, W},
          {WMU_BUTTON_EVENT, BS_AUX, 0x0B0A, WL},
          {WMU_BUTTON_EVENT, BS_BUTTON4_UP | BS_BUTTON5_DOWN, 0x10000, WL}}},
        {"no bits", {5, 0, 0, 0}, {}},
        {"undefined bits ride along", {0, 0x80000001u, 0, 0}, {{WMU_BUTTON_EVENT, 0x80000001u, 0, WL}}},
    };
    for (const auto &c : cases) {
        dt::Received.clear();
        ASSERT_TRUE(SimInject(control, GetParam(), c.event));
        // A marker after each case shows that nothing else came of it.
        Inject(GetParam(), BS_LEFT_DOWN, 0x99);
        ASSERT_TRUE(WaitReceived(c.posts.size() + 1)) << c.name;
        std::vector<MessageRecord> expected = c.posts;
        expected.push_back({WMU_BUTTON_EVENT, BS_LEFT_DOWN, 0x990000, WL});
        wt::ExpectSequence(dt::Received, expected, c.name);
    }
}

TEST_P(ReaderTest, WheelPostCarriesTheTickCount)
{
    Open();
    DWORD before = GetTickCount();
    Inject(GetParam(), BS_WHEEL, 120);
    ASSERT_TRUE(WaitReceived(1));
    DWORD after = GetTickCount();
    ASSERT_EQ(WMU_WHEEL_EVENT, dt::Received[0].message);
    DWORD tick = static_cast<DWORD>(dt::Received[0].lParam);
    EXPECT_LE(before, tick);
    EXPECT_GE(after, tick);
}

TEST_P(ReaderTest, ArmRecordCarriesSelectorEventAndTheCurrentSwapFlag)
{
    Open();
    SimChannelState s = State(GetParam());
    EXPECT_EQ(GetParam(), s.lastArm.selector);
    EXPECT_EQ(0u, s.lastArm.swapFlag);
    EXPECT_NE(0u, s.lastArm.eventHandle);

    SwapMouseButton(TRUE);
    ASSERT_NE(0, GetSystemMetrics(SM_SWAPBUTTON));
    uint32_t arms = s.arms;
    Inject(GetParam(), BS_LEFT_DOWN);
    ASSERT_TRUE(WaitReceived(1));
    ASSERT_TRUE(wt::WaitFor([&] { return State(GetParam()).arms > arms; }));
    EXPECT_EQ(1u, State(GetParam()).lastArm.swapFlag) << "read again before the next arm";
    SimSettingsRecord last;
    ASSERT_TRUE(SimSettingsAt(State(GetParam()), State(GetParam()).settingsCount, &last));
    EXPECT_EQ(0u, last.field[1]) << "the settings record follows only with the next push";
    PushDriverSettings();
    ASSERT_TRUE(SimSettingsAt(State(GetParam()), State(GetParam()).settingsCount, &last));
    EXPECT_NE(0u, last.field[1]);
}

TEST_P(ReaderTest, PushCarriesThePassThroughValues)
{
    Open();
    const struct {
        int32_t rb, mb;
        uint32_t right, middle;
    } cases[] = {{0, 2, 2, 3}, {1, 2, 0, 3}, {49, 0, 0, 0}, {0, 1, 2, 0}, {3, 3, 0, 0}};
    uint32_t target = GetParam() == SIM_CHANNEL_NT ? 1 : 0;
    for (const auto &c : cases) {
        SettingsBlock.RBSetting = c.rb;
        SettingsBlock.MBSetting = c.mb;
        PushDriverSettings();
        SimChannelState s = State(GetParam());
        SimSettingsRecord r;
        ASSERT_TRUE(SimSettingsAt(s, s.settingsCount, &r));
        const SimSettingsRecord expected = {{target, 0, c.right, c.middle, 0, 0, 0xFFFFFC00u, 0, 0}};
        EXPECT_EQ(0, memcmp(&expected, &r, sizeof(r))) << "RBSetting " << c.rb << " MBSetting " << c.mb;
    }
}

TEST_P(ReaderTest, CloseSendsTheChannelsCloseRecordAndClosesOnce)
{
    SettingsBlock.RBSetting = 5;
    SettingsBlock.MBSetting = 0;
    Open();
    HANDLE channel = Channel();
    CloseDriverChannel();
    EXPECT_EQ(INVALID_HANDLE_VALUE, Channel());
    EXPECT_EQ(0, ReaderRunning);
    ASSERT_TRUE(WaitReadersEnded());
    SimChannelState s = State(GetParam());
    if (GetParam() == SIM_CHANNEL_NT) {
        EXPECT_EQ("create init settings start settings stop close", MainRequests(GetParam()));
        SimSettingsRecord close;
        ASSERT_TRUE(SimSettingsAt(s, s.settingsCount, &close));
        const SimSettingsRecord expected = {{1, 0, 2, 3, 0, 0, 0xFFFFFC00u, 0, 0}};
        EXPECT_EQ(0, memcmp(&expected, &close, sizeof(close))) << "selector 1, pass-through 2 and 3";
    } else {
        EXPECT_EQ("create start settings stop close", MainRequests(GetParam())) << "no close record on USB";
    }
    EXPECT_EQ(1u, s.closes);
    EXPECT_EQ(1, dt::ClosesOf(channel));
    EXPECT_EQ(0, SeamLog.requestsOnClosed);
}

// A request fails while the channel is still recorded as open: the reader ends and closes the
// handle; the main thread's later push and close must neither reach it nor close it again.
TEST_P(ReaderTest, ReaderEndingOnAFailureLeavesNothingToCloseTwice)
{
    const struct {
        const char *name;
        uint32_t fail;
        bool remove;
    } cases[] = {{"arm fails", SIM_FAIL_ARM, false}, {"read fails", SIM_FAIL_READ, false}, {"device removed", 0, true}};
    for (const auto &c : cases) {
        SimReset(control);
        RecordSeam();
        SeamLog = dt::SeamLogRecord();
        Open();
        HANDLE channel = Channel();
        if (c.remove) {
            ASSERT_TRUE(SimRemove(control, GetParam())) << "while the reader waits";
        } else {
            ASSERT_TRUE(SimFailNext(control, GetParam(), c.fail));
            Inject(GetParam(), BS_LEFT_UP);
        }
        ASSERT_TRUE(WaitReadersEnded()) << c.name;
        EXPECT_EQ(INVALID_HANDLE_VALUE, Channel()) << c.name;
        uint32_t settings = State(GetParam()).settingsCount;
        PushDriverSettings();
        CloseDriverChannel();
        SimChannelState s = State(GetParam());
        EXPECT_EQ(settings, s.settingsCount) << c.name << ": nothing reaches a closed channel";
        EXPECT_EQ(0u, s.stops) << c.name;
        EXPECT_EQ(1u, s.closes) << c.name;
        EXPECT_EQ(1, dt::ClosesOf(channel)) << c.name;
        EXPECT_EQ(0, SeamLog.requestsOnClosed) << c.name;
    }
}

// The close arrives while the reader waits or just woke: still exactly one close.
TEST_P(ReaderTest, CloseRacingWithEventsClosesOnce)
{
    for (int round = 0; round < 20; ++round) {
        SimReset(control);
        RecordSeam();
        SeamLog = dt::SeamLogRecord();
        Open();
        HANDLE channel = Channel();
        for (int i = 0; i < round % 5; ++i)
            Inject(GetParam(), BS_WHEEL, 1);
        CloseDriverChannel();
        ASSERT_TRUE(WaitReadersEnded()) << "round " << round;
        EXPECT_EQ(1, dt::ClosesOf(channel)) << "round " << round;
        EXPECT_EQ(0, SeamLog.requestsOnClosed) << "round " << round;
        EXPECT_EQ(1u, State(GetParam()).closes) << "round " << round;
        dt::Received.clear();
        wt::PumpMessages(0);
    }
}

TEST_P(ReaderTest, BurstKeepsEveryEventInOrder)
{
    Open();
    for (uint32_t i = 1; i <= 40; ++i)
        Inject(GetParam(), BS_BUTTON4_DOWN, i);
    ASSERT_TRUE(WaitReceived(40));
    ASSERT_EQ(40u, dt::Received.size());
    for (uint32_t i = 0; i < 40; ++i)
        EXPECT_EQ(static_cast<LPARAM>((i + 1) << 16), dt::Received[i].lParam);
}

INSTANTIATE_TEST_SUITE_P(Channels, ReaderTest, ::testing::ValuesIn(Channels),
                         [](const ::testing::TestParamInfo<uint32_t> &info) {
                             return std::string(info.param == SIM_CHANNEL_NT ? "Nt" : "Usb");
                         });

TEST_F(DriverTest, InitialRequestWithoutDeviceHandle)
{
    EXPECT_FALSE(SendInitialRequest()) << "no channel at all";
    OsKind = OS_WIN98;
    ASSERT_TRUE(OpenUsbChannel());
    EXPECT_TRUE(SendInitialRequest()) << "the USB channel needs none";
    EXPECT_EQ(0u, State(SIM_CHANNEL_USB).inits);
}

TEST_F(DriverTest, PushWithoutChannelSendsNothing)
{
    PushDriverSettings();
    EXPECT_EQ(0u, State(SIM_CHANNEL_NT).requestCount);
    EXPECT_EQ(0u, State(SIM_CHANNEL_USB).requestCount);
    EXPECT_EQ(static_cast<int32_t>(-1024), PushedSettings.constant);
}

}  // namespace
