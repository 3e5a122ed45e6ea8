// Fixture for the driver link tests: the simulated driver reset, a small window standing in
// for the tray program's main window, and a recorder over the driver link's device calls.
#pragma once
#include "wine_test_support.h"

#include <string>
#include <vector>

#include "devices/simdriver/sim_client.h"
#include "shared/settings.h"
#include "tray/core/program_state.h"
#include "tray/driver/driver_access.h"
#include "tray/driver/driver_channel.h"
#include "tray/driver/driver_protocol.h"

namespace dt {

// What passed through the device-call seam (on top of whatever it held before).
struct ThreadStart {
    SIZE_T stackSize;
    UINT_PTR parameter;
};
struct DefineCall {
    DWORD flags;
    std::string name;
    std::string target;
    BOOL result;
};
struct SeamLogRecord {
    std::vector<std::string> opened;       // file names given to createFile
    std::vector<HANDLE> handles;           // handles createFile returned
    std::vector<HANDLE> closed;            // every closeHandle argument, in order
    int requestsOnClosed;                  // deviceIoControl on a handle already closed
    std::vector<ThreadStart> threads;
    std::vector<HANDLE> threadHandles;     // duplicates, to wait for the readers' end
    std::vector<DefineCall> defines;
};
extern SeamLogRecord SeamLog;

// A 32-bit lParam as the window receives it (sign-extended on 32-bit, zero-extended on 64-bit,
// as PostMessageA with a DWORD gives it).
inline LPARAM Lp(uint32_t value) { return static_cast<LPARAM>(value); }

// How often h was closed through the seam.
int ClosesOf(HANDLE h);

// Messages the test window received from the driver link, in order.
extern std::vector<wt::MessageRecord> Received;

class DriverTest : public wt::IsolatedTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Wraps the current device calls with the recorder (call after Sim9xInstall, if used).
    void RecordSeam();
    SimChannelState State(uint32_t channel);
    SimStateRecord FullState();
    // Waits until pred(state of channel) holds.
    bool WaitState(uint32_t channel, bool (*pred)(const SimChannelState &), DWORD timeoutMs = 5000);
    void Inject(uint32_t channel, uint32_t buttons, uint32_t value = 0, uint32_t auxA = 0, uint32_t auxB = 0);
    // Waits until n messages arrived (pumping), then a little more to see that no more come.
    bool WaitReceived(size_t n, DWORD timeoutMs = 5000);
    // Waits for every reader thread started through the seam to end.
    bool WaitReadersEnded(DWORD timeoutMs = 5000);
    // Requests of the channel, without the reader's own (arm, read), as a string such as
    // "create init settings start".
    std::string MainRequests(uint32_t channel);
    std::string AllRequests(uint32_t channel);

    HANDLE control = INVALID_HANDLE_VALUE;
    HWND window = nullptr;
};

}  // namespace dt
