// Driver control protocol and event reader: the requests sent on an open channel, the settings
// push, and the reader thread that turns driver events into messages to the main window.
#pragma once
#include <windows.h>

#include "tray/driver/driver_rules.h"

// True while a reader thread is meant to go on: set by the reader at its start, cleared by
// CloseDriverChannel.
extern volatile LONG ReaderRunning;
// The program-wide settings record, refilled by every push; its target keeps the last store.
extern SettingsRecord PushedSettings;

// CTL_SCANCODES (9x) or CTL_INIT (NT) on DeviceHandle; true without a request on the USB channel.
bool SendInitialRequest();
// Sends the current settings (SettingsBlock, swap flag, main window) to the open channel.
void PushDriverSettings();
// Reader thread; the parameter is the selector: SELECTOR_USB reads UsbHandle, SELECTOR_NT
// DeviceHandle. Started with a 1024-byte stack.
DWORD WINAPI DriverReaderThread(LPVOID selector);

// Stack size the reader thread is started with.
SIZE_T const READER_STACK_SIZE = 1024;
