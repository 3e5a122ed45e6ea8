// Where the stand-in applet records its openings: one line "opened in <current directory>".
#pragma once
#include <windows.h>

inline void StandInAppletLogPath(char *path, DWORD size)
{
    GetWindowsDirectoryA(path, size);
    lstrcatA(path, "\\temp\\movra-standin-applet.log");
}
