#include "shared/settings.h"

#include <windows.h>

SettingsBlockRecord SettingsBlock;

bool ReadSettingValue(HKEY key, const char *name, int32_t *out)
{
    DWORD size = sizeof(*out);
    // The type is not asked: any 4-byte value counts. A longer value fails with
    // ERROR_MORE_DATA and a shorter one reports its size; both leave the default.
    LONG rc = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE *>(out), &size);
    return rc == ERROR_SUCCESS && size == sizeof(*out);
}

int LoadSettings()
{
    SetDefaultSettings(SettingsBlock);
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    for (const SettingRule &rule : SettingRules) {
        int32_t value = 0;
        if (ReadSettingValue(key, rule.valueName, &value) && SettingAccepts(rule, value))
            SettingsBlock.*rule.field = value;
    }
    RegCloseKey(key);
    return 1;
}

int SaveSettings()
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return 0;
    for (const SettingRule &rule : SettingRules) {
        DWORD value = static_cast<DWORD>(SettingsBlock.*rule.field);
        RegSetValueExA(key, rule.valueName, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value),
                       sizeof(value));
    }
    RegCloseKey(key);
    return 1;
}
