// A Control Panel applet that only records that the Control Panel runner opened it: tests put
// it into the system directory as MOVRAPANEL.CPL to see the tray program start the runner.
#include <windows.h>
#include <cpl.h>

#include "standin_applet.h"

static void Record(const char *what)
{
    char path[MAX_PATH];
    StandInAppletLogPath(path, sizeof(path));
    HANDLE f = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return;
    DWORD written;
    WriteFile(f, what, lstrlenA(what), &written, nullptr);
    WriteFile(f, "\n", 1, &written, nullptr);
    CloseHandle(f);
}

extern "C" __declspec(dllexport) LONG CALLBACK CPlApplet(HWND, UINT message, LPARAM, LPARAM lParam2)
{
    switch (message) {
    case CPL_INIT:
        return TRUE;
    case CPL_GETCOUNT:
        return 1;
    case CPL_INQUIRE: {
        CPLINFO *info = reinterpret_cast<CPLINFO *>(lParam2);
        info->idIcon = 0;
        info->idName = 0;
        info->idInfo = 0;
        info->lData = 0;
        return 0;
    }
    case CPL_DBLCLK:
    case CPL_STARTWPARMSA:
    case CPL_STARTWPARMSW: {
        char directory[MAX_PATH] = "";
        GetCurrentDirectoryA(sizeof(directory), directory);
        char line[2 * MAX_PATH];
        wsprintfA(line, "opened in %s", directory);
        Record(line);
        return message == CPL_DBLCLK ? 0 : TRUE;
    }
    default:
        return 0;
    }
}
