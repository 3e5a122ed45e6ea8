#include "shared/settings_rules.h"

#include <climits>

const SettingRule SettingRules[SETTINGS_VALUE_COUNT] = {
    {"WheelSetting", &SettingsBlockRecord::WheelSetting, 0, 0, 1},
    {"RBSetting", &SettingsBlockRecord::RBSetting, 0, 0, 49},
    {"MBSetting", &SettingsBlockRecord::MBSetting, 0, 0, 49},
    {"4BSetting", &SettingsBlockRecord::Setting4B, 0, 0, 49},
    {"5BSetting", &SettingsBlockRecord::Setting5B, 0, 0, 49},
    {"ScrollPara", &SettingsBlockRecord::ScrollPara, 15, INT32_MIN, INT32_MAX},
    {"ScrollLines", &SettingsBlockRecord::ScrollLines, 15, 1, 20},
    {"ZoomSize", &SettingsBlockRecord::ZoomSize, 3, 0, 5},
    {"ZoomRate", &SettingsBlockRecord::ZoomRate, 2, 2, 8},
    {"ZoomEnable", &SettingsBlockRecord::ZoomEnable, 1, 0, 0},
};

void SetDefaultSettings(SettingsBlockRecord &block)
{
    for (const SettingRule &rule : SettingRules)
        block.*rule.field = rule.defaultValue;
}

bool SettingAccepts(const SettingRule &rule, int32_t value)
{
    return value >= rule.minValue && value <= rule.maxValue;
}
