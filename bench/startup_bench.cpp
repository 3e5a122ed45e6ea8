// Time from a program's start to its notification icon: movratray.exe against the trivial
// program, alternately, five runs each, measured at a notification area of this process.
//   startup_bench BIN_DIR
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "fake_notification_area.h"

namespace {

bool Pump(HANDLE until, bool (*done)(), DWORD ms)
{
    DWORD end = GetTickCount() + ms;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        if ((done && done()) || (until && WaitForSingleObject(until, 0) == WAIT_OBJECT_0))
            return true;
        if (static_cast<LONG>(end - GetTickCount()) <= 0)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

tt::FakeNotificationArea *Area = nullptr;

double StartToIcon(const std::string &exe, const char *windowClass)
{
    Area->Clear();
    STARTUPINFOA si = {sizeof(si)};
    PROCESS_INFORMATION pi;
    std::string cmd = "\"" + exe + "\"";
    LARGE_INTEGER f, t0, t1;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t0);
    if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    bool added = Pump(nullptr, [] { return Area->Count(NIM_ADD) > 0; }, 20000);
    QueryPerformanceCounter(&t1);
    HWND window = FindWindowA(windowClass, nullptr);
    if (window)
        PostMessageA(window, WM_CLOSE, 0, 0);
    if (!Pump(pi.hProcess, nullptr, 10000))
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return added ? double(t1.QuadPart - t0.QuadPart) * 1000.0 / double(f.QuadPart) : -1;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        fprintf(stderr, "startup_bench: usage: startup_bench BIN_DIR\n");
        return 2;
    }
    tt::FakeNotificationArea area;
    if (!area.Ok()) {
        fprintf(stderr, "startup_bench: could not take the notification area\n");
        return 1;
    }
    Area = &area;
    std::string bin = argv[1];
    std::vector<double> tray, trivial;
    for (int i = 0; i < 5; ++i) {
        tray.push_back(StartToIcon(bin + "\\movratray.exe", "Quillmark_4D_MOUSE"));
        trivial.push_back(StartToIcon(bin + "\\trivial_gui.exe", "TrivialTrayProgram"));
    }
    auto report = [](const char *name, std::vector<double> v) {
        std::sort(v.begin(), v.end());
        printf("start to tray icon, %-14s median %6.1f ms (min %6.1f, max %6.1f, 5 runs)\n", name, v[2], v[0], v[4]);
    };
    report("movratray.exe", tray);
    report("trivial_gui.exe", trivial);
    return 0;
}
