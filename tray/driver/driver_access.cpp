#include "tray/driver/driver_access.h"

const DriverDeviceCallsRecord SystemDeviceCalls = {CreateFileA, DeviceIoControl, CloseHandle, DefineDosDeviceA,
                                                   CreateThread};
DriverDeviceCallsRecord DriverDeviceCalls = SystemDeviceCalls;

// Held only around one non-blocking driver request or a close, so a spin with Sleep is enough,
// and it needs no initialisation (InterlockedExchange exists on every supported system).
static volatile LONG ChannelLock = 0;

static void LockChannel()
{
    for (int spins = 0; InterlockedExchange(&ChannelLock, 1) != 0; ++spins)
        Sleep(spins < 16 ? 0 : 1);
}

static void UnlockChannel() { InterlockedExchange(&ChannelLock, 0); }

bool ChannelRequest(HANDLE *channel, DWORD code, void *input, DWORD inputSize, void *output, DWORD outputSize)
{
    LockChannel();
    bool ok = false;
    if (*channel != INVALID_HANDLE_VALUE) {
        DWORD returned = 0;
        ok = DriverDeviceCalls.deviceIoControl(*channel, code, input, inputSize, output, outputSize, &returned,
                                               nullptr) != 0;
    }
    UnlockChannel();
    return ok;
}

bool CloseChannel(HANDLE *channel)
{
    LockChannel();
    HANDLE handle = *channel;
    *channel = INVALID_HANDLE_VALUE;
    UnlockChannel();
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    DriverDeviceCalls.closeHandle(handle);
    return true;
}
