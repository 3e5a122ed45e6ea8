// Operating-system detection and the driver channel, against the simulated driver (NT and USB
// devices) and the in-process 9x stand-in.
#include "driver_test_support.h"

#include "devices/sim9x/sim9x.h"
#include "tray/core/messages.h"

namespace {

using dt::DriverTest;
using dt::Lp;
using dt::SeamLog;

// Wine reports each version to the probe alone; DetectOsKind runs in a fresh process each time.
TEST(OsKind, FollowsTheVersionWineReports)
{
    const struct {
        const char *version;
        int kind;
    } cases[] = {
        {"win95", OS_WIN95},    {"win98", OS_WIN98}, {"winme", OS_WINME}, {"nt40", OS_NT4},     {"win2k", OS_WIN2000},
        {"winxp", OS_WINXP},    {"winxp64", OS_WINXP}, {"win7", OS_UNSUPPORTED}, {"win10", OS_UNSUPPORTED},
    };
    for (const auto &c : cases) {
        wt::ScopedWineVersion version("oskind_probe.exe", c.version);
        EXPECT_EQ(c.kind, wt::RunProcess("\"" + wt::BinDir() + "\\oskind_probe.exe\"")) << c.version;
    }
}

bool Closed(const SimChannelState &s) { return s.closes == s.opens && s.openFiles == 0; }

TEST_F(DriverTest, XpOpensTheNtDeviceAloneAndStartsItLast)
{
    ASSERT_TRUE(OpenDriverChannel());
    EXPECT_NE(INVALID_HANDLE_VALUE, DeviceHandle);
    EXPECT_EQ(INVALID_HANDLE_VALUE, UsbHandle);
    EXPECT_EQ("create init settings start", MainRequests(SIM_CHANNEL_NT));
    EXPECT_TRUE(WaitState(SIM_CHANNEL_NT, [](const SimChannelState &s) { return s.arms >= 1; }));
    SimChannelState nt = State(SIM_CHANNEL_NT);
    const SimSettingsRecord init = {{1, 0, 0, 0, 0, 0, 0, 0, 0}};
    EXPECT_EQ(36u, nt.initSize);
    EXPECT_EQ(0, memcmp(&init, &nt.initRecord, sizeof(init)));
    EXPECT_EQ(0u, State(SIM_CHANNEL_USB).opens) << "USB is tried on 98 and Me only";
    EXPECT_TRUE(SeamLog.defines.empty()) << "no DOS device name on 2000 and XP";
    ASSERT_EQ(1u, SeamLog.threads.size());
    EXPECT_EQ(1024u, SeamLog.threads[0].stackSize);
    EXPECT_EQ(SELECTOR_NT, SeamLog.threads[0].parameter);
}

TEST_F(DriverTest, UsbIsTriedOnlyOn98AndMe)
{
    const struct {
        int kind;
        bool usb;
    } cases[] = {{OS_WIN95, false}, {OS_WIN98, true}, {OS_WINME, true}, {OS_WIN2000, false}, {OS_WINXP, false}};
    for (const auto &c : cases) {
        SimReset(control);
        DriverDeviceCalls = SystemDeviceCalls;
        if (c.kind & OS_KINDS_9X)
            Sim9xInstall();
        RecordSeam();
        OsKind = c.kind;
        ASSERT_TRUE(OpenDriverChannel()) << c.kind;
        SimChannelState usb = State(SIM_CHANNEL_USB);
        EXPECT_EQ(c.usb ? 1u : 0u, usb.opens) << c.kind;
        EXPECT_EQ(c.usb, UsbHandle != INVALID_HANDLE_VALUE) << c.kind;
        // With the USB channel up, "\\.\TZRMOUSE" is never opened.
        bool tzr = State(SIM_CHANNEL_NT).opens + Sim9xState.opens > 0;
        EXPECT_EQ(!c.usb, tzr) << c.kind;
        if (c.usb) {
            EXPECT_EQ("create start settings", MainRequests(SIM_CHANNEL_USB)) << "START comes first on USB";
        }
        CloseDriverChannel();
        EXPECT_TRUE(WaitReadersEnded());
        EXPECT_EQ(INVALID_HANDLE_VALUE, UsbHandle);
        EXPECT_EQ(INVALID_HANDLE_VALUE, DeviceHandle);
    }
}

TEST_F(DriverTest, UsbThatRefusesStartFallsBackToTheDeviceName)
{
    for (int kind : {OS_WIN98, OS_WINME}) {
        SimReset(control);
        Sim9xInstall();
        RecordSeam();
        OsKind = kind;
        ASSERT_TRUE(SimFailNext(control, SIM_CHANNEL_USB, SIM_FAIL_START));
        ASSERT_TRUE(OpenDriverChannel()) << kind;
        EXPECT_EQ(INVALID_HANDLE_VALUE, UsbHandle);
        EXPECT_TRUE(WaitState(SIM_CHANNEL_USB, Closed));
        EXPECT_EQ("create start close", MainRequests(SIM_CHANNEL_USB));
        EXPECT_EQ(1, Sim9xState.opens) << "the 9x driver is opened instead";
        EXPECT_EQ(Sim9xState.handle, DeviceHandle);
        EXPECT_TRUE(SeamLog.threads.empty()) << "no reader on the 9x driver";
        CloseDriverChannel();
    }
}

TEST_F(DriverTest, AbsentDevicesFailTheOpen)
{
    SimSetPresent(control, SIM_CHANNEL_NT, false);
    SimSetPresent(control, SIM_CHANNEL_USB, false);
    for (int kind : {OS_WIN2000, OS_WINXP}) {
        OsKind = kind;
        EXPECT_FALSE(OpenDriverChannel());
        EXPECT_EQ(INVALID_HANDLE_VALUE, DeviceHandle);
    }
    Sim9xInstall();
    RecordSeam();
    Sim9xState.present = false;
    OsKind = OS_WINME;
    EXPECT_FALSE(OpenDriverChannel()) << "neither USB nor the 9x driver";
    OsKind = OS_UNSUPPORTED;
    EXPECT_FALSE(OpenDriverChannel());
    EXPECT_TRUE(SeamLog.threads.empty());
}

TEST_F(DriverTest, FailedInitialRequestClosesTheHandle)
{
    OsKind = OS_WINXP;
    ASSERT_TRUE(SimFailNext(control, SIM_CHANNEL_NT, SIM_FAIL_INIT));
    EXPECT_FALSE(OpenDriverChannel());
    EXPECT_EQ(INVALID_HANDLE_VALUE, DeviceHandle);
    EXPECT_TRUE(WaitState(SIM_CHANNEL_NT, Closed));
    EXPECT_EQ("create init close", MainRequests(SIM_CHANNEL_NT)) << "no settings, no start";
    ASSERT_EQ(1u, SeamLog.handles.size());
    EXPECT_EQ(1, dt::ClosesOf(SeamLog.handles[0]));
    EXPECT_TRUE(SeamLog.threads.empty());

    Sim9xInstall();
    RecordSeam();
    Sim9xState.failNextScanCodes = true;
    OsKind = OS_WIN95;
    EXPECT_FALSE(OpenDriverChannel());
    EXPECT_EQ(INVALID_HANDLE_VALUE, DeviceHandle);
    EXPECT_EQ(1, Sim9xState.opens);
    EXPECT_EQ(1, Sim9xState.closes);
    EXPECT_EQ(0, Sim9xState.settingsCount);
}

// The 9x driver: opened with its own convention, handed the window, and it posts by itself.
TEST_F(DriverTest, NinexDriverPostsToTheWindowUntilTheCloseRecord)
{
    Sim9xInstall();
    RecordSeam();
    OsKind = OS_WIN95;
    SettingsBlock.RBSetting = 0;
    SettingsBlock.MBSetting = 2;
    ASSERT_TRUE(OpenDriverChannel());
    EXPECT_EQ(0u, Sim9xState.openAccess);
    EXPECT_EQ(0u, Sim9xState.openShare);
    EXPECT_EQ(0u, Sim9xState.openDisposition);
    EXPECT_EQ(static_cast<DWORD>(FILE_FLAG_DELETE_ON_CLOSE), Sim9xState.openFlags);
    EXPECT_EQ(1, Sim9xState.scanCodeRequests);
    EXPECT_EQ(static_cast<uint8_t>(MapVirtualKeyA(VK_MENU, 0)), Sim9xState.scanCodes.altScanCode);
    EXPECT_EQ(static_cast<uint8_t>(MapVirtualKeyA(VK_SHIFT, 0)), Sim9xState.scanCodes.shiftScanCode);
    EXPECT_EQ(static_cast<uint8_t>(MapVirtualKeyA(VK_TAB, 0)), Sim9xState.scanCodes.tabScanCode);
    EXPECT_EQ(0, Sim9xState.scanCodes.zero);
    SettingsRecord pushed = Sim9xLastSettings();
    EXPECT_EQ(static_cast<uint32_t>(reinterpret_cast<UINT_PTR>(window)), pushed.target);
    EXPECT_EQ(2, pushed.rightPassThrough);
    EXPECT_EQ(3, pushed.middlePassThrough);
    EXPECT_EQ(-1024, pushed.constant);
    EXPECT_TRUE(SeamLog.threads.empty());

    EXPECT_TRUE(Sim9xInject(BS_BUTTON4_UP, 0));
    EXPECT_TRUE(Sim9xInject(BS_WHEEL, static_cast<uint32_t>(-120)));
    ASSERT_TRUE(WaitReceived(2));
    static const std::vector<wt::MessageRecord> expected = {
        {WMU_BUTTON_EVENT, BS_BUTTON4_UP, 0, wt::MSG_CHECK_WPARAM | wt::MSG_CHECK_LPARAM},
        {WMU_BUTTON_EVENT, BS_WHEEL, Lp(0xFF880000), wt::MSG_CHECK_WPARAM | wt::MSG_CHECK_LPARAM},
    };
    wt::ExpectSequence(dt::Received, expected, "9x driver events");

    HANDLE device = DeviceHandle;
    CloseDriverChannel();
    SettingsRecord close = Sim9xLastSettings();
    const SettingsRecord expectedClose = {0, 0, 2, 3, 0, 0, -1024, 0, 0};
    EXPECT_EQ(0, memcmp(&expectedClose, &close, sizeof(close))) << "close record: window 0, pass-through 2 and 3";
    EXPECT_EQ(2, Sim9xState.settingsCount);
    EXPECT_EQ(1, dt::ClosesOf(device));
    EXPECT_EQ(INVALID_HANDLE_VALUE, DeviceHandle);
    EXPECT_FALSE(Sim9xInject(BS_LEFT_DOWN, 0)) << "the close record's window 0 ends the posts";
    CloseDriverChannel();
    EXPECT_EQ(1, dt::ClosesOf(device)) << "a second close does nothing";
}

// NT 4.0: the port list decides whether the NT device may be used.
class PortList : public DriverTest {
protected:
    static constexpr const char *Key = "HARDWARE\\DeviceMap\\PointerPort";
    void SetUp() override
    {
        DriverTest::SetUp();
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, Key);
    }
    void TearDown() override
    {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, Key);
        DriverTest::TearDown();
    }
    void SetPort(int n, const std::string &data, DWORD type = REG_SZ)
    {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, Key, 0, nullptr, REG_OPTION_VOLATILE,
                                                 KEY_ALL_ACCESS, nullptr, &key, nullptr));
        std::string name = "\\Device\\PointerPort" + std::to_string(n);
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE *>(data.c_str()),
                                                static_cast<DWORD>(data.size() + 1)));
        RegCloseKey(key);
    }
};

TEST_F(PortList, MatchesKelvPortsInAContiguousList)
{
    const std::string svc = "\\REGISTRY\\Machine\\System\\CurrentControlSet\\Services";
    const struct {
        const char *name;
        std::vector<std::pair<int, std::string>> ports;
        bool found;
    } cases[] = {
        {"no key", {}, false},
        {"other port", {{0, svc + "\\i8042prt"}}, false},
        {"PS/2 port", {{0, svc + "\\KelvPs2"}}, true},
        {"serial port second", {{0, svc + "\\sermouse"}, {1, svc + "\\Kelvser"}}, true},
        {"gap before the match", {{1, svc + "\\Kelvser"}}, false},
        {"case differs", {{0, svc + "\\kelvser"}}, false},
        {"no backslash", {{0, "KelvPs2"}}, false},
        {"too long to read", {{0, svc + "\\Kelvser" + std::string(260, 'x')}}, false},
        {"third of three", {{0, "a"}, {1, "b"}, {2, "\\KelvPs2"}}, true},
    };
    for (const auto &c : cases) {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, Key);
        for (const auto &p : c.ports)
            SetPort(p.first, p.second);
        EXPECT_EQ(c.found, FindPortDrivers()) << c.name;
    }
}

TEST_F(PortList, ValueTypeIsNotExamined)
{
    SetPort(0, "\\KelvPs2", REG_BINARY);
    EXPECT_TRUE(FindPortDrivers());
}

TEST_F(PortList, Nt4WithoutMatchingPortFailsBeforeDefiningTheName)
{
    OsKind = OS_NT4;
    SetPort(0, "\\Device\\i8042prt");
    EXPECT_FALSE(OpenDriverChannel());
    EXPECT_TRUE(SeamLog.defines.empty());
    EXPECT_EQ(0u, State(SIM_CHANNEL_NT).opens);
}

// Wine 8's DefineDosDeviceW appends the name to a 15-character buffer ("\DosDevices\" and a
// drive letter), so "TZRMOUSE" overruns its stack and the outcome varies from call to call. The
// name is therefore made here by the simulated driver, through the device-call seam; the open
// then goes through the real name to the driver's "\Device\PointerClass0".
HANDLE NameControl = INVALID_HANDLE_VALUE;

BOOL WINAPI DefineThroughDriver(DWORD flags, LPCSTR name, LPCSTR target)
{
    if (lstrcmpA(name, "TZRMOUSE") != 0)
        return FALSE;
    if (flags == DDD_RAW_TARGET_PATH && target && lstrcmpA(target, "\\Device\\PointerClass0") == 0)
        return SimSetDosName(NameControl, true);
    if (flags == DDD_REMOVE_DEFINITION)
        return SimSetDosName(NameControl, false);
    return FALSE;
}

TEST_F(PortList, Nt4DefinesTheNameOpensThroughItAndRemovesItAtClose)
{
    // As on NT 4.0, "TZRMOUSE" does not exist until the program defines it.
    ASSERT_TRUE(SimSetDosName(control, false));
    ASSERT_EQ(INVALID_HANDLE_VALUE, CreateFileA("\\\\.\\TZRMOUSE", 0, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    NameControl = control;
    DriverDeviceCalls.defineDosDevice = DefineThroughDriver;
    RecordSeam();
    OsKind = OS_NT4;
    SetPort(0, "\\Device\\KelvPs2");
    ASSERT_TRUE(OpenDriverChannel());
    ASSERT_EQ(1u, SeamLog.defines.size());
    EXPECT_EQ(static_cast<DWORD>(DDD_RAW_TARGET_PATH), SeamLog.defines[0].flags);
    EXPECT_EQ("TZRMOUSE", SeamLog.defines[0].name);
    EXPECT_EQ("\\Device\\PointerClass0", SeamLog.defines[0].target);
    EXPECT_TRUE(FullState().dosName);
    EXPECT_EQ("create init settings start", MainRequests(SIM_CHANNEL_NT)) << "the NT device, through the new name";

    CloseDriverChannel();
    ASSERT_EQ(2u, SeamLog.defines.size());
    EXPECT_EQ(static_cast<DWORD>(DDD_REMOVE_DEFINITION), SeamLog.defines[1].flags);
    EXPECT_EQ("TZRMOUSE", SeamLog.defines[1].name);
    EXPECT_FALSE(FullState().dosName) << "the name is gone after the close";
    EXPECT_EQ(INVALID_HANDLE_VALUE, CreateFileA("\\\\.\\TZRMOUSE", 0, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ("create init settings start settings stop close", MainRequests(SIM_CHANNEL_NT));
}

}  // namespace
