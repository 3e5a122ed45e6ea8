// Driver link decisions and the records exchanged with the mouse driver, byte by byte.
// Win32-free: built natively and unit-tested there; the Win32 glue sends what these build.
#pragma once
#include <cstddef>
#include <cstdint>

// OsKind: the running system as a single bit, so that groups test with a mask.
int const OS_UNSUPPORTED = 0;
int const OS_WIN95 = 1;
int const OS_WIN98 = 2;
int const OS_WINME = 4;
int const OS_NT4 = 8;
int const OS_WIN2000 = 16;
int const OS_WINXP = 32;
int const OS_KINDS_9X = OS_WIN95 | OS_WIN98 | OS_WINME;
int const OS_KINDS_USB = OS_WIN98 | OS_WINME;   // the USB device is tried on these only
int const OS_KINDS_NT = OS_NT4 | OS_WIN2000 | OS_WINXP;

uint32_t const PLATFORM_WIN32_NT = 2;   // VER_PLATFORM_WIN32_NT

// The kind for a version as GetVersionExA reports it.
int OsKindFromVersion(uint32_t major, uint32_t minor, uint32_t platformId);

// Device control codes of the NT and USB devices: device type, function, method, access.
constexpr uint32_t DeviceControlCode(uint32_t type, uint32_t function, uint32_t method, uint32_t access)
{
    return (type << 16) | (access << 14) | (function << 2) | method;
}
uint32_t const DRIVER_DEVICE_TYPE = 0x000F;   // FILE_DEVICE_MOUSE
uint32_t const DRIVER_METHOD_BUFFERED = 0;
uint32_t const DRIVER_ANY_ACCESS = 0;
uint32_t const DRIVER_READ_ACCESS = 1;

// The 9x driver takes plain request numbers.
uint32_t const CTL_SCANCODES = 9898;
uint32_t const CTL_SETTINGS_9X = 9899;
uint32_t const CTL_INIT = DeviceControlCode(DRIVER_DEVICE_TYPE, 0xBC2, DRIVER_METHOD_BUFFERED, DRIVER_ANY_ACCESS);
uint32_t const CTL_SETTINGS = DeviceControlCode(DRIVER_DEVICE_TYPE, 0xBC3, DRIVER_METHOD_BUFFERED, DRIVER_ANY_ACCESS);
uint32_t const CTL_ARM = DeviceControlCode(DRIVER_DEVICE_TYPE, 0xBC4, DRIVER_METHOD_BUFFERED, DRIVER_ANY_ACCESS);
uint32_t const CTL_READ_EVENT = DeviceControlCode(DRIVER_DEVICE_TYPE, 0xBC5, DRIVER_METHOD_BUFFERED, DRIVER_ANY_ACCESS);
uint32_t const CTL_START = DeviceControlCode(DRIVER_DEVICE_TYPE, 0x392, DRIVER_METHOD_BUFFERED, DRIVER_READ_ACCESS);
uint32_t const CTL_STOP = DeviceControlCode(DRIVER_DEVICE_TYPE, 0x393, DRIVER_METHOD_BUFFERED, DRIVER_READ_ACCESS);
static_assert(CTL_INIT == 995080 && CTL_SETTINGS == 995084 && CTL_ARM == 995088 && CTL_READ_EVENT == 995092,
              "codes the driver expects");
static_assert(CTL_START == 1003080 && CTL_STOP == 1003084, "codes the driver expects");

// Channel selectors: the reader thread's parameter and the first field of its records.
uint16_t const SELECTOR_USB = 0;
uint16_t const SELECTOR_NT = 1;

// ButtonState: a down and an up bit per button, then the wheel and the auxiliary event.
uint32_t const BS_LEFT_DOWN = 0x001;
uint32_t const BS_LEFT_UP = 0x002;
uint32_t const BS_RIGHT_DOWN = 0x004;
uint32_t const BS_RIGHT_UP = 0x008;
uint32_t const BS_MIDDLE_DOWN = 0x010;
uint32_t const BS_MIDDLE_UP = 0x020;
uint32_t const BS_BUTTON4_DOWN = 0x040;
uint32_t const BS_BUTTON4_UP = 0x080;
uint32_t const BS_BUTTON5_DOWN = 0x100;
uint32_t const BS_BUTTON5_UP = 0x200;
uint32_t const BS_WHEEL = 0x400;
uint32_t const BS_AUX = 0x800;

// Input of CTL_SCANCODES: low bytes of MapVirtualKeyA(VK_MENU / VK_SHIFT / VK_TAB, 0).
struct ScanCodeRecord {
    uint8_t altScanCode;
    uint8_t shiftScanCode;
    uint8_t tabScanCode;
    uint8_t zero;
};
static_assert(sizeof(ScanCodeRecord) == 4, "CTL_SCANCODES input");

// Input of CTL_SETTINGS and CTL_SETTINGS_9X (the pushed settings and the close record), and
// the size of CTL_INIT's input.
struct SettingsRecord {
    uint32_t target;             // 9x: main window handle; NT: selector 1 (16 bits); USB: 0
    int32_t swapFlag;            // GetSystemMetrics(SM_SWAPBUTTON) at the push
    int32_t rightPassThrough;    // 2: the driver gives the right button its own action
    int32_t middlePassThrough;   // 3: the driver gives the middle button its own action
    int32_t reserved16;
    int32_t reserved20;
    int32_t constant;            // always -1024
    int32_t reserved28;
    int32_t reserved32;
};
static_assert(sizeof(SettingsRecord) == 36, "nine 32-bit fields");
static_assert(offsetof(SettingsRecord, constant) == 24, "layout the driver reads");

// Input of CTL_ARM; its first two bytes are the input of CTL_READ_EVENT.
struct ArmRecord {
    uint16_t selector;
    uint16_t swapFlag;       // low 16 bits of SM_SWAPBUTTON, read before every arm
    uint32_t eventHandle;    // the reader's event, a handle of the program's own process
};
static_assert(sizeof(ArmRecord) == 8, "CTL_ARM input");

// Output of CTL_READ_EVENT.
struct EventRecord {
    uint32_t value;          // wheel movement (low 16 bits signed) or button event data
    uint32_t buttonState;
    uint32_t auxA;           // only the low byte is used
    uint32_t auxB;           // only the low byte is used
};
static_assert(sizeof(EventRecord) == 16, "CTL_READ_EVENT output");

int32_t const SETTINGS_CONSTANT = -1024;
int32_t const RIGHT_PASS_THROUGH = 2;
int32_t const MIDDLE_PASS_THROUGH = 3;

// Fills every field from offset 4 on; the target keeps what was stored before.
void FillSettingsRecord(SettingsRecord &record, int32_t swapFlag, int32_t rbSetting, int32_t mbSetting);
// Target field of a push on the given channel: USB 0, NT device the selector 1, 9x the window.
uint32_t SettingsTarget(bool usbChannel, int osKind, uint32_t window32);
// The record sent at close: pass-through 2 and 3 whatever the settings.
SettingsRecord MakeCloseRecord(uint32_t target);
// CTL_INIT's input: 36 bytes with the selector 1 and all else zero.
SettingsRecord MakeInitRecord();

// One message the reader posts for a driver event; 32-bit values as a 32-bit system sees them.
struct DriverPost {
    unsigned message;
    uint32_t wParam;
    uint32_t lParam;
};
int const MAX_POSTS_PER_EVENT = 3;
// Turns one event record into its posts, in the order wheel, auxiliary, buttons; returns how
// many (0 to 3). tick is GetTickCount() at posting, the lParam of the wheel message.
int FanOutEvent(const EventRecord &event, uint32_t tick, DriverPost posts[MAX_POSTS_PER_EVENT]);

// The port driver names that go with the NT device.
// True when data[0..length) contains "\Kelvser" or "\KelvPs2" (case-sensitive).
bool PortNameMatches(const char *data, size_t length);
int const MAX_MATCHING_PORTS = 2;   // the enumeration ends after the second match
