#include "tray/driver/driver_rules.h"

#include <cstring>

#include "tray/core/messages.h"

int OsKindFromVersion(uint32_t major, uint32_t minor, uint32_t platformId)
{
    if (major == 4) {
        if (platformId == PLATFORM_WIN32_NT)
            return OS_NT4;
        if (minor < 10)
            return OS_WIN95;
        if (minor == 10)
            return OS_WIN98;
        if (minor >= 90)
            return OS_WINME;
        return OS_UNSUPPORTED;
    }
    if (major == 5)
        return minor == 0 ? OS_WIN2000 : OS_WINXP;
    return OS_UNSUPPORTED;
}

void FillSettingsRecord(SettingsRecord &record, int32_t swapFlag, int32_t rbSetting, int32_t mbSetting)
{
    record.swapFlag = swapFlag;
    record.rightPassThrough = rbSetting == 0 ? RIGHT_PASS_THROUGH : 0;    // "[Unassigned]"
    record.middlePassThrough = mbSetting == 2 ? MIDDLE_PASS_THROUGH : 0;  // "Middle Button"
    record.reserved16 = 0;
    record.reserved20 = 0;
    record.constant = SETTINGS_CONSTANT;
    record.reserved28 = 0;
    record.reserved32 = 0;
}

uint32_t SettingsTarget(bool usbChannel, int osKind, uint32_t window32)
{
    if (usbChannel)
        return 0;
    return (osKind & OS_KINDS_9X) ? window32 : SELECTOR_NT;
}

SettingsRecord MakeCloseRecord(uint32_t target)
{
    SettingsRecord record = {};
    record.target = target;
    record.rightPassThrough = RIGHT_PASS_THROUGH;
    record.middlePassThrough = MIDDLE_PASS_THROUGH;
    record.constant = SETTINGS_CONSTANT;
    return record;
}

SettingsRecord MakeInitRecord()
{
    SettingsRecord record = {};
    record.target = SELECTOR_NT;
    return record;
}

int FanOutEvent(const EventRecord &event, uint32_t tick, DriverPost posts[MAX_POSTS_PER_EVENT])
{
    int count = 0;
    uint32_t buttons = event.buttonState;
    if (buttons & BS_WHEEL) {
        buttons &= ~BS_WHEEL;
        posts[count++] = {WMU_WHEEL_EVENT, event.value, tick};
    }
    if (buttons & BS_AUX) {
        buttons &= ~BS_AUX;
        posts[count++] = {WMU_BUTTON_EVENT, BS_AUX, ((event.auxB & 0xFFu) << 8) | (event.auxA & 0xFFu)};
    }
    if (buttons != 0)
        posts[count++] = {WMU_BUTTON_EVENT, buttons, event.value << 16};
    return count;
}

static bool Contains(const char *data, size_t length, const char *word)
{
    size_t n = strlen(word);
    for (size_t i = 0; i + n <= length; ++i)
        if (memcmp(data + i, word, n) == 0)
            return true;
    return false;
}

bool PortNameMatches(const char *data, size_t length)
{
    return Contains(data, length, "\\Kelvser") || Contains(data, length, "\\KelvPs2");
}
