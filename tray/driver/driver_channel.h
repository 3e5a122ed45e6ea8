// Operating-system detection and the driver channel: which system this is, and opening and
// closing the one channel to the mouse driver that fits it.
#pragma once
#include <windows.h>

#include "tray/driver/driver_rules.h"

// Set once at start-up from DetectOsKind; one of the OS_ codes.
extern int OsKind;
// "\\.\TZRMOUSE" (the 9x driver or the NT device); INVALID_HANDLE_VALUE when closed.
extern HANDLE DeviceHandle;
// "\\.\USBTrelvix"; INVALID_HANDLE_VALUE when closed.
extern HANDLE UsbHandle;

// The kind of the running system (GetVersionExA); 0 when unsupported.
int DetectOsKind();
// Opens the channel that fits OsKind, pushes the settings and starts event delivery.
// Needs both handles invalid on entry (the main window's creation sets them so).
bool OpenDriverChannel();
// Stops event delivery and closes the channel; nothing when no channel is open.
void CloseDriverChannel();

// Steps of OpenDriverChannel.
bool OpenUsbChannel();
// NT 4.0: true when "HARDWARE\DeviceMap\PointerPort" lists a port driver of the NT device.
bool FindPortDrivers();
