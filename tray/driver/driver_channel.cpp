#include "tray/driver/driver_channel.h"

#include "tray/driver/driver_access.h"
#include "tray/driver/driver_protocol.h"

int OsKind = OS_UNSUPPORTED;
HANDLE DeviceHandle = INVALID_HANDLE_VALUE;
HANDLE UsbHandle = INVALID_HANDLE_VALUE;

static const char DeviceFileName[] = "\\\\.\\TZRMOUSE";
static const char UsbFileName[] = "\\\\.\\USBTrelvix";
static const char DosDeviceName[] = "TZRMOUSE";
static const char MouseClassDevice[] = "\\Device\\PointerClass0";
static const char PointerPortKey[] = "HARDWARE\\DeviceMap\\PointerPort";

static_assert(sizeof(OSVERSIONINFOA) == 148, "the plain version record, not the extended one");

int DetectOsKind()
{
    OSVERSIONINFOA version = {sizeof(version)};
    if (!GetVersionExA(&version))
        return OS_UNSUPPORTED;
    return OsKindFromVersion(version.dwMajorVersion, version.dwMinorVersion, version.dwPlatformId);
}

static void StartReader(uint16_t selector)
{
    // Neither the thread handle nor a failure is looked at: the channel counts as open.
    HANDLE thread = DriverDeviceCalls.createThread(nullptr, READER_STACK_SIZE, DriverReaderThread,
                                 reinterpret_cast<LPVOID>(static_cast<UINT_PTR>(selector)), 0, nullptr);
    if (thread)
        CloseHandle(thread);
}

bool OpenUsbChannel()
{
    UsbHandle = DriverDeviceCalls.createFile(UsbFileName, GENERIC_READ | GENERIC_WRITE,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (UsbHandle == INVALID_HANDLE_VALUE)
        return false;
    if (!ChannelRequest(&UsbHandle, CTL_START, nullptr, 0, nullptr, 0)) {
        CloseChannel(&UsbHandle);
        return false;
    }
    SendInitialRequest();   // nothing to send on this channel
    PushDriverSettings();
    StartReader(SELECTOR_USB);
    return true;
}

bool FindPortDrivers()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, PointerPortKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    int matches = 0;
    for (int port = 0; matches < MAX_MATCHING_PORTS; ++port) {
        char name[40];
        wsprintfA(name, "\\Device\\PointerPort%d", port);
        char data[256];
        DWORD size = sizeof(data);
        if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE *>(data), &size) != ERROR_SUCCESS)
            break;
        if (PortNameMatches(data, size))
            ++matches;
    }
    RegCloseKey(key);
    return matches > 0;
}

// "\\.\TZRMOUSE" with the family's open convention, its initial request (the handle is closed
// again when that fails) and the first settings push.
static bool OpenDevice(DWORD access, DWORD share, DWORD disposition, DWORD flags)
{
    DeviceHandle = DriverDeviceCalls.createFile(DeviceFileName, access, share, nullptr, disposition, flags, nullptr);
    if (DeviceHandle == INVALID_HANDLE_VALUE)
        return false;
    if (!SendInitialRequest()) {
        CloseChannel(&DeviceHandle);
        return false;
    }
    PushDriverSettings();
    return true;
}

static bool OpenNtDevice()
{
    if (!OpenDevice(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL))
        return false;
    StartReader(SELECTOR_NT);
    // Last, once the reader is there to take the events.
    ChannelRequest(&DeviceHandle, CTL_START, nullptr, 0, nullptr, 0);
    return true;
}

// The 9x driver's own open convention: no access, no disposition, delete on close. It posts
// events itself, so no reader runs.
static bool Open9xDriver() { return OpenDevice(0, 0, 0, FILE_FLAG_DELETE_ON_CLOSE); }

bool OpenDriverChannel()
{
    if ((OsKind & OS_KINDS_USB) && OpenUsbChannel())
        return true;
    switch (OsKind) {
    case OS_WIN95:
    case OS_WIN98:
    case OS_WINME:
        return Open9xDriver();
    case OS_NT4:
        if (!FindPortDrivers())
            return false;
        DriverDeviceCalls.defineDosDevice(DDD_RAW_TARGET_PATH, DosDeviceName, MouseClassDevice);
        return OpenNtDevice();
    case OS_WIN2000:
    case OS_WINXP:
        return OpenNtDevice();
    default:
        return false;
    }
}

void CloseDriverChannel()
{
    if (UsbHandle != INVALID_HANDLE_VALUE) {
        ChannelRequest(&UsbHandle, CTL_STOP, nullptr, 0, nullptr, 0);
        CloseChannel(&UsbHandle);
        InterlockedExchange(&ReaderRunning, FALSE);
        return;
    }
    if (DeviceHandle == INVALID_HANDLE_VALUE)
        return;
    if (OsKind & OS_KINDS_9X) {
        SettingsRecord close = MakeCloseRecord(0);
        ChannelRequest(&DeviceHandle, CTL_SETTINGS_9X, &close, sizeof(close), nullptr, 0);
        CloseChannel(&DeviceHandle);
        return;
    }
    if (OsKind == OS_NT4)
        DriverDeviceCalls.defineDosDevice(DDD_REMOVE_DEFINITION, DosDeviceName, nullptr);
    if (OsKind & OS_KINDS_NT) {
        SettingsRecord close = MakeCloseRecord(SELECTOR_NT);
        ChannelRequest(&DeviceHandle, CTL_SETTINGS, &close, sizeof(close), nullptr, 0);
        ChannelRequest(&DeviceHandle, CTL_STOP, nullptr, 0, nullptr, 0);
        InterlockedExchange(&ReaderRunning, FALSE);
        CloseChannel(&DeviceHandle);
    }
}
