#include "applet/applet_entry.h"

#include <commctrl.h>
#include <prsht.h>

#include "applet/applet_rules.h"
#include "applet/button_page.h"
#include "applet/info_page.h"
#include "applet/resource.h"
#include "shared/product_info.h"
#include "shared/settings.h"

#include <cstddef>
#include <cstring>

// The page record up to its header-title fields, the header up to its watermark fields.
UINT const PAGE_RECORD_SIZE = offsetof(PROPSHEETPAGEA, pszHeaderSubTitle) + sizeof(LPCSTR);
UINT const SHEET_HEADER_SIZE = offsetof(PROPSHEETHEADERA, hbmHeader) + sizeof(HBITMAP);

#if !defined(_WIN64)
static_assert(sizeof(NEWCPLINFOA) == 244, "the applet description record of the 32-bit host");
static_assert(PAGE_RECORD_SIZE == 48, "page record with header-title fields");
static_assert(SHEET_HEADER_SIZE == 52, "sheet header with watermark fields");
#endif

HINSTANCE ModuleInstance;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        ModuleInstance = instance;
        LoadSettings();
        DetailMask = ComputeDetailMask(SettingsBlock);
    }
    return TRUE;
}

extern "C" LONG CALLBACK CPlApplet(HWND hwndCPl, UINT uMsg, LPARAM, LPARAM lParam2)
{
    switch (uMsg) {
    case CPL_DBLCLK:
        ShowSettingsSheet(hwndCPl);
        return 1;
    case CPL_NEWINQUIRE:
        DescribeApplet(reinterpret_cast<NEWCPLINFOA *>(lParam2));
        return 1;
    case CPL_STARTWPARMSW:
        // "Not handled": hosts that send it instead of CPL_DBLCLK then fall back to CPL_DBLCLK.
        return 0;
    default:
        // CPL_GETCOUNT's 1 is the one applet; CPL_INQUIRE leaves its record alone.
        return 1;
    }
}

void DescribeApplet(NEWCPLINFOA *info)
{
    LoadProductInfo();
    if (!info)
        return;
    info->dwSize = sizeof(NEWCPLINFOA);
    info->dwFlags = 0;
    info->dwHelpContext = 0;
    info->lData = 0;
    info->szHelpFile[0] = '\0';
    info->hIcon = LoadIconA(ModuleInstance, MAKEINTRESOURCEA(IDI_APPLET));
    char text[TEXT_BUFFER_SIZE];
    LoadTemplateString(ModuleInstance, IDS_APPLET_NAME, text, sizeof(text));
    FitTextToField(info->szName, sizeof(info->szName), text);
    LoadTemplateString(ModuleInstance, IDS_APPLET_INFO, text, sizeof(text));
    FitTextToField(info->szInfo, sizeof(info->szInfo), text);
}

void ShowSettingsSheet(HWND hwndParent)
{
    // The trackbar and up-down classes of the setting dialogs.
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&classes);

    PROPSHEETPAGEA pages[2] = {};
    UINT count = 0;
    pages[count].dwSize = PAGE_RECORD_SIZE;
    pages[count].hInstance = ModuleInstance;
    pages[count].pszTemplate = MAKEINTRESOURCEA(ButtonPageTemplate(ProductInfo.MouseXD));
    pages[count].pfnDlgProc = ButtonPageProc;
    ++count;
    if (ProductInfo.InfoPage != 0) {
        pages[count].dwSize = PAGE_RECORD_SIZE;
        pages[count].hInstance = ModuleInstance;
        pages[count].pszTemplate = MAKEINTRESOURCEA(IDD_INFO);
        pages[count].pfnDlgProc = InfoPageProc;
        ++count;
    }
    // The sheet steps from record to record by dwSize, so the records lie at that stride.
    alignas(PROPSHEETPAGEA) BYTE records[2 * PAGE_RECORD_SIZE];
    for (UINT i = 0; i < count; ++i)
        memcpy(records + i * PAGE_RECORD_SIZE, &pages[i], PAGE_RECORD_SIZE);

    char caption[TEXT_BUFFER_SIZE];
    LoadTemplateString(ModuleInstance, IDS_SHEET_CAPTION, caption, sizeof(caption));

    PROPSHEETHEADERA header = {SHEET_HEADER_SIZE};
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK;
    header.hwndParent = hwndParent;
    header.pszCaption = caption;
    header.nPages = count;
    header.nStartPage = 0;
    header.ppsp = reinterpret_cast<LPCPROPSHEETPAGEA>(records);
    header.pfnCallback = SheetCallback;
    PropertySheetA(&header);
}

int CALLBACK SheetCallback(HWND, UINT uMsg, LPARAM lParam)
{
    if (uMsg != PSCB_PRECREATE || !lParam)
        return 0;
    // The sheet's template may come in the extended form, whose style sits after its
    // version, signature, help id and extended style.
    WORD *words = reinterpret_cast<WORD *>(lParam);
    if (words[0] == 1 && words[1] == 0xFFFF) {
        DWORD *style = reinterpret_cast<DWORD *>(reinterpret_cast<BYTE *>(lParam) + 12);
        *style &= ~static_cast<DWORD>(DS_CONTEXTHELP);
    } else {
        reinterpret_cast<DLGTEMPLATE *>(lParam)->style &= ~static_cast<DWORD>(DS_CONTEXTHELP);
    }
    return 0;
}

void NotifyTrayProgram()
{
    HWND tray = FindWindowA(TRAY_WINDOW_CLASS, nullptr);
    if (tray)
        SendMessageA(tray, WMU_SETTINGS_CHANGED, 0, 0);
}
