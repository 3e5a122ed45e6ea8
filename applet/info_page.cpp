#include "applet/info_page.h"

#include <shellapi.h>

#include "applet/applet_entry.h"
#include "applet/applet_rules.h"
#include "applet/resource.h"
#include "shared/product_info.h"

static void FillInfoTexts(HWND page)
{
    char text[TEXT_BUFFER_SIZE];
    ComposeProductLine(text, sizeof(text), ProductInfo.ProductName, ProductInfo.Version);
    SetDlgItemTextA(page, IDC_INFO_PRODUCT, text);
    LoadTemplateString(ModuleInstance, IDS_DESIGNED_BY, text, sizeof(text));
    SetDlgItemTextA(page, IDC_INFO_DESIGNED_BY, text);
    LoadTemplateString(ModuleInstance, IDS_PRESS_BUTTON, text, sizeof(text));
    SetDlgItemTextA(page, IDC_INFO_PRESS_BUTTON, text);
    SetDlgItemTextA(page, IDC_INFO_COMPANY_PAGE, ProductInfo.CompanyPage);
}

INT_PTR CALLBACK InfoPageProc(HWND hwndPage, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        FillInfoTexts(hwndPage);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_INFO_COMPANY_PAGE)
            ShellExecuteA(hwndPage, "open", ProductInfo.CompanyPage, nullptr, nullptr, SW_SHOWNORMAL);
        return FALSE;
    default:
        return FALSE;
    }
}
