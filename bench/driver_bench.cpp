// Benchmark of the driver link against the simulated driver (not a timed test):
// - the program's path: inject an event, the reader thread reads it and posts, the window
//   receives the WMU_ message; latency per event and events per second;
// - beside it, the bare round trip of a minimal arm, wait, read loop on the same device.
//   driver_bench [events]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "devices/simdriver/sim_client.h"
#include "shared/settings.h"
#include "tray/core/messages.h"
#include "tray/core/program_state.h"
#include "tray/driver/driver_channel.h"
#include "tray/driver/driver_protocol.h"

namespace {

LARGE_INTEGER Frequency;
volatile LONG Received = 0;

double Now()
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(Frequency.QuadPart);
}

LRESULT CALLBACK BenchWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WMU_BUTTON_EVENT || message == WMU_WHEEL_EVENT) {
        Received++;
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Pumps until Received reaches target; false after timeoutMs.
bool PumpUntil(LONG target, DWORD timeoutMs)
{
    double end = Now() + timeoutMs;
    while (Received < target) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        if (Received >= target)
            break;
        if (Now() > end)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

struct Figures {
    double median, p95, mean;
};

Figures Summarise(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    double sum = 0;
    for (double v : ms)
        sum += v;
    return {ms[ms.size() / 2], ms[ms.size() * 95 / 100], sum / ms.size()};
}

const SimEventRecord Event = {0, 0x80 /* fourth button up */, 0, 0};

// latencies: injection to the record read; cycles: the whole arm, inject, wait, read iteration.
bool BareLoop(HANDLE control, int events, std::vector<double> *latencies, std::vector<double> *cycles)
{
    HANDLE device = CreateFileA("\\\\.\\TZRMOUSE", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (device == INVALID_HANDLE_VALUE)
        return false;
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD got;
    DeviceIoControl(device, CTL_START, nullptr, 0, nullptr, 0, &got, nullptr);
    ArmRecord arm = {SELECTOR_NT, 0, static_cast<uint32_t>(reinterpret_cast<UINT_PTR>(event))};
    EventRecord record;
    bool ok = true;
    for (int i = 0; i < events && ok; ++i) {
        double t0 = Now();
        ok = DeviceIoControl(device, CTL_ARM, &arm, sizeof(arm), nullptr, 0, &got, nullptr);
        double t1 = Now();
        ok = ok && SimInject(control, SIM_CHANNEL_NT, Event) && WaitForSingleObject(event, 5000) == WAIT_OBJECT_0 &&
             DeviceIoControl(device, CTL_READ_EVENT, &arm.selector, 2, &record, sizeof(record), &got, nullptr) &&
             record.buttonState == Event.buttonState;
        double t2 = Now();
        latencies->push_back(t2 - t1);
        cycles->push_back(t2 - t0);
    }
    DeviceIoControl(device, CTL_STOP, nullptr, 0, nullptr, 0, &got, nullptr);
    CloseHandle(event);
    CloseHandle(device);
    return ok;
}

int Fail(const char *text)
{
    fprintf(stderr, "driver_bench: %s\n", text);
    return 1;
}

}  // namespace

int main(int argc, char **argv)
{
    int events = argc > 1 ? atoi(argv[1]) : 2000;
    if (events < 20)
        events = 20;
    QueryPerformanceFrequency(&Frequency);
    HANDLE control = SimOpenControl();
    if (control == INVALID_HANDLE_VALUE || !SimReset(control))
        return Fail("the simulated driver is not loaded; run bench/run-bench.sh");

    WNDCLASSA wc = {};
    wc.lpfnWndProc = BenchWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "MovraDriverBench";
    RegisterClassA(&wc);
    MainWindow = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
    OsKind = OS_WINXP;
    SetDefaultSettings(SettingsBlock);
    if (!OpenDriverChannel())
        return Fail("the NT device did not open");
    Sleep(100);   // the reader arms

    // Latency: one event at a time, from injection to the message in the window.
    std::vector<double> latency;
    for (int i = 0; i < events; ++i) {
        LONG target = Received + 1;
        double t0 = Now();
        SimInject(control, SIM_CHANNEL_NT, Event);
        if (!PumpUntil(target, 5000))
            return Fail("an event did not arrive within 5 s");
        latency.push_back(Now() - t0);
    }
    // Throughput: up to 32 events waiting in the driver at any time.
    LONG base = Received;
    double t0 = Now();
    int injected = 0;
    while (Received - base < events) {
        while (injected < events && injected - (Received - base) < 32) {
            SimInject(control, SIM_CHANNEL_NT, Event);
            ++injected;
        }
        if (!PumpUntil(Received + 1, 5000))
            return Fail("events stopped arriving");
    }
    double seconds = (Now() - t0) / 1000.0;
    SimStateRecord state;
    SimGetState(control, &state);
    CloseDriverChannel();
    Sleep(100);

    std::vector<double> bare, cycle;
    if (!BareLoop(control, events, &bare, &cycle))
        return Fail("the bare arm, wait, read loop failed");
    SimReset(control);

    Figures program = Summarise(latency), loop = Summarise(bare), whole = Summarise(cycle);
    printf("events per run: %d (dropped by the driver: %u)\n", events, state.channel[SIM_CHANNEL_NT].dropped);
    printf("program path, injection to WMU_ message: median %.3f ms, p95 %.3f ms, mean %.3f ms\n", program.median,
           program.p95, program.mean);
    printf("program path, throughput with 32 in flight: %.0f events/s\n", events / seconds);
    printf("bare loop, injection to record read: median %.3f ms, p95 %.3f ms, mean %.3f ms\n", loop.median, loop.p95,
           loop.mean);
    printf("bare loop, whole arm-inject-wait-read iteration: median %.3f ms, mean %.3f ms (%.0f events/s)\n",
           whole.median, whole.mean, 1000.0 / whole.mean);
    printf("ratio program / bare, injection to delivery (median): %.2f\n", program.median / loop.median);
    printf("ratio program / bare, events per second: %.2f\n", (events / seconds) / (1000.0 / whole.mean));
    return 0;
}
