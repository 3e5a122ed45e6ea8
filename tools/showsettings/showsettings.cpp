// Prints the settings and product information that this installation reads, as the
// deliverables read them. A tool of ours, not part of the product.
#include <cstdio>

#include "shared/function_catalogue.h"
#include "shared/product_info.h"
#include "shared/settings.h"

int main()
{
    int opened = LoadSettings();
    LoadProductInfo();
    char path[TEXT_BUFFER_SIZE];
    GetProductInfoPath(path);

    printf("Settings (HKCU\\%s)%s\n", SETTINGS_KEY_PATH, opened ? "" : ": key missing, defaults");
    for (const SettingRule &rule : SettingRules) {
        int32_t v = SettingsBlock.*rule.field;
        const char *name = (rule.field == &SettingsBlockRecord::RBSetting || rule.field == &SettingsBlockRecord::MBSetting ||
                            rule.field == &SettingsBlockRecord::Setting4B || rule.field == &SettingsBlockRecord::Setting5B)
                               ? FunctionName(v) : nullptr;
        printf("  %-12s = %ld%s%s%s\n", rule.valueName, static_cast<long>(v), name ? " (" : "", name ? name : "",
               name ? ")" : "");
    }
    printf("Product information (%s)\n", path);
    printf("  MouseXD      = %ld\n  InfoPage     = %ld\n", static_cast<long>(ProductInfo.MouseXD),
           static_cast<long>(ProductInfo.InfoPage));
    printf("  CompanyName  = %s\n  ProductName  = %s\n  Version      = %s\n", ProductInfo.CompanyName,
           ProductInfo.ProductName, ProductInfo.Version);
    printf("  CompanyPage  = %s\n  WebSite      = %s\n", ProductInfo.CompanyPage, ProductInfo.WebSite);
    char menu[TEXT_BUFFER_SIZE] = "&Open %P% Control Panel";
    ExpandTemplate(menu, sizeof(menu));
    printf("  tray menu    = %s\n", menu);
    return 0;
}
