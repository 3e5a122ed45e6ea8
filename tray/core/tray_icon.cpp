#include "tray/core/tray_icon.h"

#include <shellapi.h>

#include <cstddef>

#include "shared/product_info.h"
#include "tray/core/messages.h"
#include "tray/core/program_state.h"
#include "tray/core/tray_rules.h"
#include "tray/resources/resource.h"

unsigned TrayButtonState = 0;

// The first forms of the notification data and of the menu item record, which every system
// of the family accepts (the later forms are refused by the oldest ones).
UINT const NOTIFY_DATA_SIZE = NOTIFYICONDATAA_V1_SIZE;
UINT const MENU_ITEM_INFO_SIZE = offsetof(MENUITEMINFOA, hbmpItem);
static_assert(sizeof(void *) != 4 || NOTIFY_DATA_SIZE == 88, "notification data with a 64-character tip");
static_assert(sizeof(void *) != 4 || MENU_ITEM_INFO_SIZE == 44, "menu item record without the bitmap field");

namespace {

// The notification area shows small icons: take the picture drawn for that size rather than
// letting the shell shrink the large one, which loses the outlines.
HICON LoadTrayPicture(int id)
{
    return static_cast<HICON>(LoadImageA(ProgramInstance, MAKEINTRESOURCEA(id), IMAGE_ICON,
                                         GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
}

NOTIFYICONDATAA NotifyData(HWND window, UINT flags)
{
    NOTIFYICONDATAA data = {NOTIFY_DATA_SIZE};
    data.hWnd = window;
    data.uID = TrayIconId;
    data.uFlags = flags;
    return data;
}

}  // namespace

BOOL AddTrayIcon(HWND window)
{
    HICON icon = LoadTrayPicture(IDI_TRAY_FIRST);
    if (!icon)
        return TRUE;   // start-up goes on without an icon
    NOTIFYICONDATAA data = NotifyData(window, NIF_MESSAGE | NIF_ICON | NIF_TIP);
    data.uCallbackMessage = WMU_TRAY;
    data.hIcon = icon;
    MakeTrayTip(ProductInfo.ProductName, data.szTip, TRAY_TIP_SIZE);
    BOOL added = Shell_NotifyIconA(NIM_ADD, &data);
    DestroyIcon(icon);   // the shell keeps its own copy
    return added;
}

void RemoveTrayIcon(HWND window)
{
    NOTIFYICONDATAA data = NotifyData(window, 0);
    Shell_NotifyIconA(NIM_DELETE, &data);
}

void UpdateTrayIcon(WPARAM buttonState)
{
    unsigned next = NextTrayButtonState(TrayButtonState, static_cast<uint32_t>(buttonState));
    if (next == TrayButtonState)
        return;
    TrayButtonState = next;
    HICON icon = LoadTrayPicture(TrayIconResource(TrayButtonState));
    if (!icon)
        return;
    NOTIFYICONDATAA data = NotifyData(MainWindow, NIF_ICON);
    data.hIcon = icon;
    Shell_NotifyIconA(NIM_MODIFY, &data);
    DestroyIcon(icon);
}

void ShowTrayMenu(HWND window)
{
    HMENU menu = LoadMenuA(ProgramInstance, MAKEINTRESOURCEA(IDM_TRAY));
    if (!menu)
        return;
    HMENU popup = GetSubMenu(menu, 0);
    // The texts follow the product name loaded last.
    static const UINT items[] = {IDM_TRAY_OPEN, IDM_TRAY_CLOSE};
    for (UINT item : items) {
        char text[TEXT_BUFFER_SIZE] = "";
        GetMenuStringA(popup, item, text, sizeof(text), MF_BYCOMMAND);
        ExpandTemplate(text, sizeof(text));
        MENUITEMINFOA info = {MENU_ITEM_INFO_SIZE};
        info.fMask = MIIM_TYPE;
        info.fType = MFT_STRING;
        info.dwTypeData = text;
        SetMenuItemInfoA(popup, item, FALSE, &info);
    }
    POINT cursor = {};
    GetCursorPos(&cursor);
    SetForegroundWindow(window);
    SetCapture(window);
    TrackPopupMenu(popup, 0, cursor.x, cursor.y, 0, window, nullptr);
    DestroyMenu(menu);
    ReleaseCapture();
}
