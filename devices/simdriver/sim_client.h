// Client of the simulated driver's control device, for the controller, tests and benchmarks.
#pragma once
#include <windows.h>

#include "devices/simdriver/sim_control.h"

// Opens the control device; INVALID_HANDLE_VALUE when the driver is not loaded.
HANDLE SimOpenControl();
bool SimReset(HANDLE control);
bool SimInject(HANDLE control, uint32_t channel, const SimEventRecord &event);
bool SimGetState(HANDLE control, SimStateRecord *state);
bool SimFailNext(HANDLE control, uint32_t channel, uint32_t kinds);
bool SimSetPresent(HANDLE control, uint32_t channel, bool present);
bool SimRemove(HANDLE control, uint32_t channel);
bool SimSetDosName(HANDLE control, bool defined);

// The n-th settings record the channel received (n from 1), if it is still in the log.
bool SimSettingsAt(const SimChannelState &state, uint32_t n, SimSettingsRecord *record);
