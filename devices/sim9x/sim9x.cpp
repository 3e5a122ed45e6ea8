#include "devices/sim9x/sim9x.h"

#include <cstring>

#include "tray/core/messages.h"
#include "tray/driver/driver_access.h"

Sim9xStateRecord Sim9xState;

static bool IsSimHandle(HANDLE h) { return h != INVALID_HANDLE_VALUE && h == Sim9xState.handle; }
static HANDLE ClosedHandle = INVALID_HANDLE_VALUE;   // kept to tell a use after close

static HANDLE WINAPI SimCreateFile(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES sa,
                                   DWORD disposition, DWORD flags, HANDLE templ)
{
    if (lstrcmpiA(name, "\\\\.\\TZRMOUSE") != 0)
        return SystemDeviceCalls.createFile(name, access, share, sa, disposition, flags, templ);
    if (!Sim9xState.present || Sim9xState.handle != INVALID_HANDLE_VALUE) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    // A real handle stands for the driver, so that the system would also notice a double close.
    Sim9xState.handle = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    Sim9xState.opens++;
    Sim9xState.openAccess = access;
    Sim9xState.openShare = share;
    Sim9xState.openDisposition = disposition;
    Sim9xState.openFlags = flags;
    return Sim9xState.handle;
}

static BOOL WINAPI SimDeviceIoControl(HANDLE h, DWORD code, LPVOID in, DWORD inSize, LPVOID out, DWORD outSize,
                                      LPDWORD returned, LPOVERLAPPED overlapped)
{
    if (h != INVALID_HANDLE_VALUE && h == ClosedHandle && !IsSimHandle(h)) {
        Sim9xState.requestsAfterClose++;
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!IsSimHandle(h))
        return SystemDeviceCalls.deviceIoControl(h, code, in, inSize, out, outSize, returned, overlapped);
    if (returned)
        *returned = 0;
    if (code == CTL_SCANCODES && in && inSize == sizeof(ScanCodeRecord) && out && outSize == 4) {
        if (Sim9xState.failNextScanCodes) {
            Sim9xState.failNextScanCodes = false;
            return FALSE;
        }
        Sim9xState.scanCodeRequests++;
        memcpy(&Sim9xState.scanCodes, in, sizeof(ScanCodeRecord));
        memset(out, 0, 4);
        if (returned)
            *returned = 4;
        return TRUE;
    }
    if (code == CTL_SETTINGS_9X && in && inSize == sizeof(SettingsRecord)) {
        SettingsRecord record;
        memcpy(&record, in, sizeof(record));
        Sim9xState.settings[Sim9xState.settingsCount % SIM9X_SETTINGS_LOG] = record;
        Sim9xState.settingsCount++;
        // Window handles carry 32 significant bits, sign-extended.
        Sim9xState.window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<int32_t>(record.target)));
        return TRUE;
    }
    Sim9xState.refused++;
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

static BOOL WINAPI SimCloseHandle(HANDLE h)
{
    if (IsSimHandle(h)) {
        Sim9xState.closes++;
        Sim9xState.handle = INVALID_HANDLE_VALUE;
        ClosedHandle = h;
    } else if (h != INVALID_HANDLE_VALUE && h == ClosedHandle) {
        Sim9xState.closes++;   // a second close of the same handle: counted, so a test sees it
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return SystemDeviceCalls.closeHandle(h);
}

void Sim9xInstall()
{
    Sim9xState = {};
    Sim9xState.present = true;
    Sim9xState.handle = INVALID_HANDLE_VALUE;
    ClosedHandle = INVALID_HANDLE_VALUE;
    DriverDeviceCalls = SystemDeviceCalls;
    DriverDeviceCalls.createFile = SimCreateFile;
    DriverDeviceCalls.deviceIoControl = SimDeviceIoControl;
    DriverDeviceCalls.closeHandle = SimCloseHandle;
}

void Sim9xUninstall()
{
    DriverDeviceCalls = SystemDeviceCalls;
    if (Sim9xState.handle != INVALID_HANDLE_VALUE)
        CloseHandle(Sim9xState.handle);
    Sim9xState.handle = INVALID_HANDLE_VALUE;
}

bool Sim9xInject(uint32_t buttonState, uint32_t value)
{
    if (!Sim9xState.window)
        return false;
    // The real driver puts the wheel movement into the high half of lParam.
    PostMessageA(Sim9xState.window, WMU_BUTTON_EVENT, buttonState, static_cast<LPARAM>(static_cast<DWORD>(value << 16)));
    Sim9xState.posted++;
    return true;
}

SettingsRecord Sim9xLastSettings()
{
    SettingsRecord none = {};
    if (Sim9xState.settingsCount == 0)
        return none;
    return Sim9xState.settings[(Sim9xState.settingsCount - 1) % SIM9X_SETTINGS_LOG];
}
