// Settings block layout, defaults and the range rules of the settings reader.
// Win32-free: built natively and unit-tested there.
#pragma once
#include <cstdint>

// The ten 32-bit values under HKCU "SOFTWARE\Quillmark4D\1.1\SETTINGS", in the order of
// reading and writing. The fourth and fifth button fields are stored as "4BSetting" and
// "5BSetting"; C++ names cannot start with a digit, hence Setting4B and Setting5B.
struct SettingsBlockRecord {
    int32_t WheelSetting;
    int32_t RBSetting;
    int32_t MBSetting;
    int32_t Setting4B;
    int32_t Setting5B;
    int32_t ScrollPara;
    int32_t ScrollLines;
    int32_t ZoomSize;
    int32_t ZoomRate;
    int32_t ZoomEnable;
};
static_assert(sizeof(SettingsBlockRecord) == 40, "ten 32-bit values, no padding");

// ScrollPara bits; higher bits are carried along unchanged.
constexpr int32_t BackgroundWheel = 1;
constexpr int32_t SetWindowActive = 2;
constexpr int32_t WheelPageScroll = 4;
constexpr int32_t WheelScrollLines = 8;

constexpr int SETTINGS_VALUE_COUNT = 10;

// One registry value: its name, the field it fills, its default and the signed range
// accepted on read. ZoomEnable accepts only 0: any other stored value leaves the default 1.
struct SettingRule {
    const char *valueName;
    int32_t SettingsBlockRecord::*field;
    int32_t defaultValue;
    int32_t minValue;
    int32_t maxValue;
};
extern const SettingRule SettingRules[SETTINGS_VALUE_COUNT];

void SetDefaultSettings(SettingsBlockRecord &block);
bool SettingAccepts(const SettingRule &rule, int32_t value);
