// Command-line controller of the simulated mouse driver: injects events, dumps what the tray
// program sent, and sets up failures. Test and demo equipment.
//   simctl state
//   simctl reset
//   simctl inject nt|usb EVENT...   EVENT: left-down left-up right-down right-up middle-down
//                                   middle-up button4-down button4-up button5-down button5-up
//                                   wheel=N aux=A,B value=N (combined into one record)
//   simctl fail nt|usb arm|read|init|start
//   simctl present nt|usb 0|1
//   simctl remove nt|usb
//   simctl dosname 0|1
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "devices/simdriver/sim_client.h"

namespace {

const struct {
    const char *name;
    uint32_t bit;
} ButtonNames[] = {
    {"left-down", 0x001},    {"left-up", 0x002},      {"right-down", 0x004},   {"right-up", 0x008},
    {"middle-down", 0x010},  {"middle-up", 0x020},    {"button4-down", 0x040}, {"button4-up", 0x080},
    {"button5-down", 0x100}, {"button5-up", 0x200},
};

const struct {
    const char *name;
    uint32_t bit;
} FailNames[] = {{"arm", SIM_FAIL_ARM}, {"read", SIM_FAIL_READ}, {"init", SIM_FAIL_INIT}, {"start", SIM_FAIL_START}};

int Fail(const char *text)
{
    fprintf(stderr, "simctl: %s\n", text);
    return 2;
}

bool ParseChannel(const char *text, uint32_t *channel)
{
    if (strcmp(text, "nt") == 0)
        *channel = SIM_CHANNEL_NT;
    else if (strcmp(text, "usb") == 0)
        *channel = SIM_CHANNEL_USB;
    else
        return false;
    return true;
}

bool ParseEvent(int count, char **tokens, SimEventRecord *event)
{
    *event = {};
    for (int i = 0; i < count; ++i) {
        const char *t = tokens[i];
        bool known = false;
        for (const auto &b : ButtonNames)
            if (strcmp(t, b.name) == 0) {
                event->buttonState |= b.bit;
                known = true;
            }
        if (strncmp(t, "wheel=", 6) == 0) {
            event->buttonState |= 0x400;
            event->value = static_cast<uint32_t>(strtol(t + 6, nullptr, 0));
            known = true;
        } else if (strncmp(t, "value=", 6) == 0) {
            event->value = static_cast<uint32_t>(strtol(t + 6, nullptr, 0));
            known = true;
        } else if (strncmp(t, "aux=", 4) == 0) {
            char *rest = nullptr;
            event->auxA = static_cast<uint32_t>(strtoul(t + 4, &rest, 0));
            if (!rest || *rest != ',')
                return false;
            event->auxB = static_cast<uint32_t>(strtoul(rest + 1, nullptr, 0));
            event->buttonState |= 0x800;
            known = true;
        }
        if (!known)
            return false;
    }
    return count > 0;
}

void PrintSettings(const char *label, const SimSettingsRecord &r)
{
    printf("  %s target %u swap %d right %d middle %d constant %d reserved %d %d %d %d\n", label, r.field[0],
           static_cast<int>(r.field[1]), static_cast<int>(r.field[2]), static_cast<int>(r.field[3]),
           static_cast<int>(r.field[6]), static_cast<int>(r.field[4]), static_cast<int>(r.field[5]),
           static_cast<int>(r.field[7]), static_cast<int>(r.field[8]));
}

void PrintState(const SimStateRecord &state)
{
    static const char *const names[SIM_CHANNEL_COUNT] = {"usb (\\\\.\\USBTrelvix)", "nt (\\\\.\\TZRMOUSE)"};
    printf("dos name TZRMOUSE: %s\n", state.dosName ? "defined" : "absent");
    for (uint32_t i = 0; i < SIM_CHANNEL_COUNT; ++i) {
        const SimChannelState &s = state.channel[i];
        printf("%s: %s%s\n", names[i], s.present ? "present" : "absent", s.removed ? ", removed" : "");
        printf("  opens %u cleanups %u closes %u open files %u\n", s.opens, s.cleanups, s.closes, s.openFiles);
        printf("  started %u starts %u stops %u inits %u\n", s.started, s.starts, s.stops, s.inits);
        if (s.inits)
            PrintSettings("init:", s.initRecord);
        printf("  settings records %u\n", s.settingsCount);
        for (uint32_t n = s.settingsCount > SIM_SETTINGS_LOG ? s.settingsCount - SIM_SETTINGS_LOG + 1 : 1;
             n <= s.settingsCount; ++n) {
            SimSettingsRecord r;
            char label[16];
            snprintf(label, sizeof(label), "#%u:", n);
            if (SimSettingsAt(s, n, &r))
                PrintSettings(label, r);
        }
        printf("  arms %u (armed %u, last selector %u swap %u) reads %u (empty %u)\n", s.arms, s.armed,
               s.lastArm.selector, s.lastArm.swapFlag, s.reads, s.emptyReads);
        static const char *const requestNames[] = {"?", "create", "init", "settings", "arm", "read", "start", "stop", "cleanup", "close"};
        printf("  requests %u:", s.requestCount);
        for (uint32_t n = 0; n < s.requestCount && n < SIM_REQUEST_LOG; ++n)
            printf(" %s", s.requests[n] <= SIM_REQ_CLOSE ? requestNames[s.requests[n]] : "?");
        printf("\n");
        printf("  injected %u queued %u dropped %u failed %u refused %u pending failures 0x%x\n", s.injected, s.queued,
               s.dropped, s.failed, s.refused, s.failNext);
    }
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc < 2)
        return Fail("usage: simctl state|reset|inject|fail|present|remove|dosname ...; see the comment in simctl.cpp");
    HANDLE control = SimOpenControl();
    if (control == INVALID_HANDLE_VALUE)
        return Fail("the simulated driver is not loaded; run devices/install-driver.sh RIG_DIR BIN_DIR");
    const char *cmd = argv[1];
    uint32_t channel = 0;
    bool ok = false;
    if (strcmp(cmd, "state") == 0) {
        SimStateRecord state;
        ok = SimGetState(control, &state);
        if (ok)
            PrintState(state);
    } else if (strcmp(cmd, "reset") == 0) {
        ok = SimReset(control);
    } else if (argc >= 2 && strcmp(cmd, "dosname") == 0 && argc == 3) {
        ok = SimSetDosName(control, atoi(argv[2]) != 0);
    } else if (argc < 3 || !ParseChannel(argv[2], &channel)) {
        return Fail("name the channel: nt or usb");
    } else if (strcmp(cmd, "inject") == 0) {
        SimEventRecord event;
        if (!ParseEvent(argc - 3, argv + 3, &event))
            return Fail("unknown event; use button names such as button4-up, wheel=N, aux=A,B or value=N");
        ok = SimInject(control, channel, event);
    } else if (strcmp(cmd, "fail") == 0 && argc == 4) {
        uint32_t kinds = 0;
        for (const auto &f : FailNames)
            if (strcmp(argv[3], f.name) == 0)
                kinds = f.bit;
        if (!kinds)
            return Fail("name the request to fail: arm, read, init or start");
        ok = SimFailNext(control, channel, kinds);
    } else if (strcmp(cmd, "present") == 0 && argc == 4) {
        ok = SimSetPresent(control, channel, atoi(argv[3]) != 0);
    } else if (strcmp(cmd, "remove") == 0) {
        ok = SimRemove(control, channel);
    } else {
        return Fail("unknown command; use state, reset, inject, fail, present, remove or dosname");
    }
    CloseHandle(control);
    if (!ok)
        return Fail("the driver refused the request");
    return 0;
}
