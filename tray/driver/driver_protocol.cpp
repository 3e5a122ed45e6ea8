#include "tray/driver/driver_protocol.h"

#include "shared/settings.h"
#include "tray/core/program_state.h"
#include "tray/driver/driver_access.h"
#include "tray/driver/driver_channel.h"

volatile LONG ReaderRunning = FALSE;
SettingsRecord PushedSettings = {};

// Handles and window handles carry 32 significant bits, also in 64-bit processes.
static uint32_t Handle32(const void *handle) { return static_cast<uint32_t>(reinterpret_cast<UINT_PTR>(handle)); }

bool SendInitialRequest()
{
    if (DeviceHandle == INVALID_HANDLE_VALUE)
        return UsbHandle != INVALID_HANDLE_VALUE;
    if (OsKind & OS_KINDS_9X) {
        ScanCodeRecord codes = {static_cast<uint8_t>(MapVirtualKeyA(VK_MENU, 0)),
                                static_cast<uint8_t>(MapVirtualKeyA(VK_SHIFT, 0)),
                                static_cast<uint8_t>(MapVirtualKeyA(VK_TAB, 0)), 0};
        uint8_t unused[4];
        return ChannelRequest(&DeviceHandle, CTL_SCANCODES, &codes, sizeof(codes), unused, sizeof(unused));
    }
    if (OsKind & OS_KINDS_NT) {
        SettingsRecord init = MakeInitRecord();
        uint8_t unused[4];
        return ChannelRequest(&DeviceHandle, CTL_INIT, &init, sizeof(init), unused, sizeof(unused));
    }
    return false;
}

void PushDriverSettings()
{
    FillSettingsRecord(PushedSettings, GetSystemMetrics(SM_SWAPBUTTON), SettingsBlock.RBSetting,
                       SettingsBlock.MBSetting);
    if (UsbHandle != INVALID_HANDLE_VALUE) {
        PushedSettings.target = SettingsTarget(true, OsKind, 0);
        ChannelRequest(&UsbHandle, CTL_SETTINGS, &PushedSettings, sizeof(PushedSettings), nullptr, 0);
    }
    if (DeviceHandle != INVALID_HANDLE_VALUE) {
        if (OsKind & OS_KINDS_9X) {
            PushedSettings.target = SettingsTarget(false, OsKind, Handle32(MainWindow));
            ChannelRequest(&DeviceHandle, CTL_SETTINGS_9X, &PushedSettings, sizeof(PushedSettings), nullptr, 0);
        } else if (OsKind & OS_KINDS_NT) {
            PushedSettings.target = SettingsTarget(false, OsKind, 0);
            ChannelRequest(&DeviceHandle, CTL_SETTINGS, &PushedSettings, sizeof(PushedSettings), nullptr, 0);
        }
    }
}

DWORD WINAPI DriverReaderThread(LPVOID parameter)
{
    uint16_t selector = static_cast<uint16_t>(reinterpret_cast<UINT_PTR>(parameter));
    HANDLE *channel = selector == SELECTOR_USB ? &UsbHandle : &DeviceHandle;
    if (*channel == INVALID_HANDLE_VALUE)
        return 0;
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!event) {
        CloseChannel(channel);
        return 0;
    }
    ArmRecord arm = {selector, 0, Handle32(event)};
    EventRecord record = {};
    InterlockedExchange(&ReaderRunning, TRUE);
    do {
        arm.swapFlag = static_cast<uint16_t>(GetSystemMetrics(SM_SWAPBUTTON));
        if (!ChannelRequest(channel, CTL_ARM, &arm, sizeof(arm), nullptr, 0))
            break;
        WaitForSingleObject(event, INFINITE);
        if (!ReaderRunning)
            break;
        record.value = 0;
        record.buttonState = 0;
        if (!ChannelRequest(channel, CTL_READ_EVENT, &arm.selector, sizeof(arm.selector), &record, sizeof(record)))
            break;
        DriverPost posts[MAX_POSTS_PER_EVENT];
        int count = FanOutEvent(record, GetTickCount(), posts);
        for (int i = 0; i < count; ++i)
            PostMessageA(MainWindow, posts[i].message, posts[i].wParam, posts[i].lParam);
    } while (ReaderRunning);
    CloseHandle(event);
    // The channel may have been closed by CloseDriverChannel already; then this does nothing.
    CloseChannel(channel);
    return 0;
}
