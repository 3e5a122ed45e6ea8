#include "devices/simdriver/sim_client.h"

static bool Control(HANDLE control, DWORD code, void *in, DWORD inSize, void *out, DWORD outSize)
{
    DWORD returned = 0;
    return DeviceIoControl(control, code, in, inSize, out, outSize, &returned, nullptr) != 0;
}

static bool ChannelControl(HANDLE control, DWORD code, uint32_t channel, uint32_t argument)
{
    SimChannelRequestRecord request = {channel, argument};
    return Control(control, code, &request, sizeof(request), nullptr, 0);
}

HANDLE SimOpenControl()
{
    return CreateFileA(SIM_CONTROL_FILE, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
}

bool SimReset(HANDLE control) { return Control(control, SIM_RESET, nullptr, 0, nullptr, 0); }

bool SimInject(HANDLE control, uint32_t channel, const SimEventRecord &event)
{
    SimInjectRecord inject = {channel, event};
    return Control(control, SIM_INJECT, &inject, sizeof(inject), nullptr, 0);
}

bool SimGetState(HANDLE control, SimStateRecord *state)
{
    ZeroMemory(state, sizeof(*state));
    return Control(control, SIM_GET_STATE, nullptr, 0, state, sizeof(*state)) && state->size == sizeof(*state);
}

bool SimFailNext(HANDLE control, uint32_t channel, uint32_t kinds)
{
    return ChannelControl(control, SIM_FAIL_NEXT, channel, kinds);
}

bool SimSetPresent(HANDLE control, uint32_t channel, bool present)
{
    return ChannelControl(control, SIM_SET_PRESENT, channel, present ? 1 : 0);
}

bool SimRemove(HANDLE control, uint32_t channel) { return ChannelControl(control, SIM_REMOVE, channel, 0); }

bool SimSetDosName(HANDLE control, bool defined)
{
    return ChannelControl(control, SIM_SET_DOS_NAME, 0, defined ? 1 : 0);
}

bool SimSettingsAt(const SimChannelState &state, uint32_t n, SimSettingsRecord *record)
{
    if (n == 0 || n > state.settingsCount || state.settingsCount - n >= SIM_SETTINGS_LOG)
        return false;
    *record = state.settings[(n - 1) % SIM_SETTINGS_LOG];
    return true;
}
