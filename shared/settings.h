// Settings store: the user's ten settings in the registry and this process's copy of them.
#pragma once
#include <windows.h>

#include "shared/settings_rules.h"

#define SETTINGS_KEY_PATH "SOFTWARE\\Quillmark4D\\1.1\\SETTINGS"

extern SettingsBlockRecord SettingsBlock;

// Defaults first, then every stored value that lies in its range. 1 when the key opened.
int LoadSettings();
// Writes all ten values as REG_DWORD, creating the key. 1 when the key opened or was created.
int SaveSettings();

// Reads one value into exactly 4 bytes at *out; true only for data exactly 4 bytes long.
// Exposed so tests can check that nothing beyond those 4 bytes is ever touched.
bool ReadSettingValue(HKEY key, const char *name, int32_t *out);
