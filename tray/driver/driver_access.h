// How the program reaches the driver: the device calls (a seam, so the Windows 9x driver can be
// simulated in-process where no such driver can load) and the one guarded use of a channel handle.
#pragma once
#include <windows.h>

// The device calls of the driver link and the start of its reader. The program uses the
// system's own; a test may put a simulated driver or a recorder in their place. Everything
// else (events, waits, registry, posts) stays real.
struct DriverDeviceCallsRecord {
    HANDLE(WINAPI *createFile)(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
    BOOL(WINAPI *deviceIoControl)(HANDLE, DWORD, LPVOID, DWORD, LPVOID, DWORD, LPDWORD, LPOVERLAPPED);
    BOOL(WINAPI *closeHandle)(HANDLE);
    BOOL(WINAPI *defineDosDevice)(DWORD, LPCSTR, LPCSTR);
    HANDLE(WINAPI *createThread)(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE, LPVOID, DWORD, LPDWORD);
};
extern DriverDeviceCallsRecord DriverDeviceCalls;
// The system's functions, for putting them back.
extern const DriverDeviceCallsRecord SystemDeviceCalls;

// Both threads reach the channel handle (*channel is DeviceHandle or UsbHandle) only through
// these. Each holds a short lock around the check and the call, so a request never reaches a
// handle once it is closed, and exactly one of the two threads closes it.

// A synchronous request without OVERLAPPED; false when it fails or the channel is closed.
bool ChannelRequest(HANDLE *channel, DWORD code, void *input, DWORD inputSize, void *output, DWORD outputSize);
// Closes the handle and marks the channel invalid; false when it was closed already.
bool CloseChannel(HANDLE *channel);
