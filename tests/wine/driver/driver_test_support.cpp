#include "driver_test_support.h"

#include "tray/core/messages.h"

namespace dt {

SeamLogRecord SeamLog;
std::vector<wt::MessageRecord> Received;
static DriverDeviceCallsRecord Inner;

int ClosesOf(HANDLE h)
{
    int n = 0;
    for (HANDLE c : SeamLog.closed)
        n += c == h;
    return n;
}

static bool IsClosed(HANDLE h)
{
    // Closed and not handed out again by a later open.
    int opens = 0;
    for (HANDLE o : SeamLog.handles)
        opens += o == h;
    return h != INVALID_HANDLE_VALUE && ClosesOf(h) >= opens && ClosesOf(h) > 0;
}

static HANDLE WINAPI RecCreateFile(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES sa,
                                   DWORD disposition, DWORD flags, HANDLE templ)
{
    HANDLE h = Inner.createFile(name, access, share, sa, disposition, flags, templ);
    SeamLog.opened.push_back(name);
    if (h != INVALID_HANDLE_VALUE)
        SeamLog.handles.push_back(h);
    return h;
}

static BOOL WINAPI RecDeviceIoControl(HANDLE h, DWORD code, LPVOID in, DWORD inSize, LPVOID out, DWORD outSize,
                                      LPDWORD returned, LPOVERLAPPED overlapped)
{
    if (IsClosed(h))
        SeamLog.requestsOnClosed++;
    return Inner.deviceIoControl(h, code, in, inSize, out, outSize, returned, overlapped);
}

static BOOL WINAPI RecCloseHandle(HANDLE h)
{
    SeamLog.closed.push_back(h);
    return Inner.closeHandle(h);
}

static BOOL WINAPI RecDefineDosDevice(DWORD flags, LPCSTR name, LPCSTR target)
{
    BOOL result = Inner.defineDosDevice(flags, name, target);
    SeamLog.defines.push_back({flags, name ? name : "", target ? target : "", result});
    return result;
}

static HANDLE WINAPI RecCreateThread(LPSECURITY_ATTRIBUTES sa, SIZE_T stack, LPTHREAD_START_ROUTINE start,
                                     LPVOID parameter, DWORD flags, LPDWORD id)
{
    HANDLE thread = Inner.createThread(sa, stack, start, parameter, flags, id);
    SeamLog.threads.push_back({stack, reinterpret_cast<UINT_PTR>(parameter)});
    HANDLE copy = nullptr;
    if (thread && DuplicateHandle(GetCurrentProcess(), thread, GetCurrentProcess(), &copy, SYNCHRONIZE, FALSE, 0))
        SeamLog.threadHandles.push_back(copy);
    return thread;
}

static LRESULT CALLBACK TestWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WMU_BUTTON_EVENT || message == WMU_WHEEL_EVENT) {
        Received.push_back({message, wParam, lParam, 0});
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void DriverTest::SetUp()
{
    wt::IsolatedTest::SetUp();
    control = SimOpenControl();
    ASSERT_NE(INVALID_HANDLE_VALUE, control) << "the simulated driver is not loaded (fixture sim_driver)";
    ASSERT_TRUE(SimReset(control));
    WNDCLASSA wc = {};
    wc.lpfnWndProc = TestWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "MovraDriverTestWindow";
    RegisterClassA(&wc);
    window = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, window);
    MainWindow = window;
    DeviceHandle = INVALID_HANDLE_VALUE;
    UsbHandle = INVALID_HANDLE_VALUE;
    ReaderRunning = FALSE;
    OsKind = OS_WINXP;
    PushedSettings = {};
    SetDefaultSettings(SettingsBlock);
    DriverDeviceCalls = SystemDeviceCalls;
    SeamLog = SeamLogRecord();
    Received.clear();
    SwapMouseButton(FALSE);
    RecordSeam();
}

void DriverTest::TearDown()
{
    CloseDriverChannel();
    EXPECT_TRUE(WaitReadersEnded()) << "a reader thread did not end after the close";
    for (HANDLE t : SeamLog.threadHandles)
        CloseHandle(t);
    SeamLog.threadHandles.clear();
    DriverDeviceCalls = SystemDeviceCalls;
    SwapMouseButton(FALSE);
    if (window)
        DestroyWindow(window);
    MainWindow = nullptr;
    if (control != INVALID_HANDLE_VALUE) {
        SimReset(control);
        CloseHandle(control);
    }
    wt::IsolatedTest::TearDown();
}

void DriverTest::RecordSeam()
{
    // Wrap only what is not wrapped already, so calling this twice records each call once.
    const DriverDeviceCallsRecord &now = DriverDeviceCalls;
    if (now.createFile != RecCreateFile)
        Inner.createFile = now.createFile;
    if (now.deviceIoControl != RecDeviceIoControl)
        Inner.deviceIoControl = now.deviceIoControl;
    if (now.closeHandle != RecCloseHandle)
        Inner.closeHandle = now.closeHandle;
    if (now.defineDosDevice != RecDefineDosDevice)
        Inner.defineDosDevice = now.defineDosDevice;
    if (now.createThread != RecCreateThread)
        Inner.createThread = now.createThread;
    DriverDeviceCalls.createFile = RecCreateFile;
    DriverDeviceCalls.deviceIoControl = RecDeviceIoControl;
    DriverDeviceCalls.closeHandle = RecCloseHandle;
    DriverDeviceCalls.defineDosDevice = RecDefineDosDevice;
    DriverDeviceCalls.createThread = RecCreateThread;
}

SimStateRecord DriverTest::FullState()
{
    SimStateRecord state;
    EXPECT_TRUE(SimGetState(control, &state));
    return state;
}

SimChannelState DriverTest::State(uint32_t channel) { return FullState().channel[channel]; }

bool DriverTest::WaitState(uint32_t channel, bool (*pred)(const SimChannelState &), DWORD timeoutMs)
{
    return wt::WaitFor([&] { return pred(State(channel)); }, timeoutMs);
}

void DriverTest::Inject(uint32_t channel, uint32_t buttons, uint32_t value, uint32_t auxA, uint32_t auxB)
{
    SimEventRecord event = {value, buttons, auxA, auxB};
    ASSERT_TRUE(SimInject(control, channel, event));
}

bool DriverTest::WaitReceived(size_t n, DWORD timeoutMs)
{
    bool ok = wt::WaitFor([&] { return Received.size() >= n; }, timeoutMs);
    wt::PumpMessages(50);
    return ok;
}

bool DriverTest::WaitReadersEnded(DWORD timeoutMs)
{
    for (HANDLE t : SeamLog.threadHandles)
        if (WaitForSingleObject(t, timeoutMs) != WAIT_OBJECT_0)
            return false;
    return true;
}

static std::string Requests(const SimChannelState &s, bool withReader)
{
    static const char *const names[] = {"?", "create", "init", "settings", "arm", "read", "start", "stop", "cleanup", "close"};
    std::string out;
    for (uint32_t i = 0; i < s.requestCount && i < SIM_REQUEST_LOG; ++i) {
        uint8_t r = s.requests[i];
        // Wine sends no IRP_MJ_CLEANUP; Windows does. Leave it out so both read alike.
        if (r == SIM_REQ_CLEANUP || (!withReader && (r == SIM_REQ_ARM || r == SIM_REQ_READ)))
            continue;
        if (!out.empty())
            out += ' ';
        out += r <= SIM_REQ_CLOSE ? names[r] : "?";
    }
    return out;
}

std::string DriverTest::MainRequests(uint32_t channel) { return Requests(State(channel), false); }
std::string DriverTest::AllRequests(uint32_t channel) { return Requests(State(channel), true); }

}  // namespace dt
