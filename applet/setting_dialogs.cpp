#include "applet/setting_dialogs.h"

#include <commctrl.h>

#include "applet/applet_entry.h"
#include "applet/applet_rules.h"
#include "applet/button_page.h"
#include "applet/resource.h"
#include "shared/product_info.h"
#include "shared/settings.h"

SettingsBlockRecord SettingsSnapshot;

int FinishSettingDialog(HWND dialog, int action)
{
    switch (action) {
    case FINISH_OK:
        EndDialog(dialog, 1);
        SendMessageA(ButtonPageState.pageWindow, WMU_MARK_CHANGED, 0, 0);
        break;
    case FINISH_CANCEL:
        SettingsBlock = SettingsSnapshot;
        EndDialog(dialog, 0);
        break;
    case FINISH_APPLY:
        SendMessageA(ButtonPageState.pageWindow, WMU_MARK_CHANGED, 0, 0);
        break;
    }
    return 1;
}

static bool IsChecked(HWND dialog, int control)
{
    return SendDlgItemMessageA(dialog, control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

static void Enable(HWND dialog, int control, bool enable) { EnableWindow(GetDlgItem(dialog, control), enable); }

// Dialog 11 ---------------------------------------------------------------------------------

static void InitWheel4D(HWND dialog)
{
    SettingsSnapshot = SettingsBlock;
    CreateUpDownControl(WS_CHILD | WS_VISIBLE | WS_BORDER | UDS_WRAP | UDS_SETBUDDYINT | UDS_ALIGNRIGHT |
                            UDS_AUTOBUDDY,
                        0, 0, 0, 0, dialog, IDC_LINES_UPDOWN, ModuleInstance, GetDlgItem(dialog, IDC_LINES_EDIT),
                        20, 1, SettingsBlock.ScrollLines);

    Wheel4DView view = Wheel4DInitialView(SettingsBlock.ScrollPara);
    CheckDlgButton(dialog, IDC_BACKGROUND_WHEEL, view.backgroundChecked ? BST_CHECKED : BST_UNCHECKED);
    if (!view.setActiveEnabled)
        Enable(dialog, IDC_SET_WINDOW_ACTIVE, false);
    CheckDlgButton(dialog, IDC_SET_WINDOW_ACTIVE, view.setActiveChecked ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_PAGE_SCROLL, view.pageScrollChecked ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_SCROLL_LINES, view.scrollLinesChecked ? BST_CHECKED : BST_UNCHECKED);
    // The arrows stay usable even while the edit box is disabled.
    Enable(dialog, IDC_LINES_EDIT, view.linesEditEnabled);
    // Setting the buddy's number above arrived as an edit notification; nothing is changed yet.
    Enable(dialog, IDC_WHEEL_4D_APPLY, false);
}

static void Wheel4DCommand(HWND dialog, int control)
{
    int32_t &para = SettingsBlock.ScrollPara;
    switch (control) {
    case IDC_BACKGROUND_WHEEL: {
        bool on = IsChecked(dialog, IDC_BACKGROUND_WHEEL);
        para = WithBit(para, BackgroundWheel, on);
        Enable(dialog, IDC_SET_WINDOW_ACTIVE, on);
        break;
    }
    case IDC_SET_WINDOW_ACTIVE:
        para = WithBit(para, SetWindowActive, IsChecked(dialog, IDC_SET_WINDOW_ACTIVE));
        break;
    case IDC_PAGE_SCROLL:
        para = ChoosePageScroll(para);
        Enable(dialog, IDC_LINES_UPDOWN, false);
        Enable(dialog, IDC_LINES_EDIT, false);
        break;
    case IDC_SCROLL_LINES:
        para = ChooseScrollLines(para);
        Enable(dialog, IDC_LINES_UPDOWN, true);
        Enable(dialog, IDC_LINES_EDIT, true);
        break;
    case IDC_LINES_EDIT:
        SettingsBlock.ScrollLines = static_cast<int32_t>(GetDlgItemInt(dialog, IDC_LINES_EDIT, nullptr, FALSE));
        break;
    case IDC_WHEEL_4D_APPLY:
        FinishSettingDialog(dialog, FINISH_APPLY);
        Enable(dialog, IDC_WHEEL_4D_APPLY, false);
        return;
    case IDOK:
        FinishSettingDialog(dialog, FINISH_OK);
        return;
    case IDCANCEL:
        FinishSettingDialog(dialog, FINISH_CANCEL);
        return;
    default:
        return;
    }
    Enable(dialog, IDC_WHEEL_4D_APPLY, true);
}

INT_PTR CALLBACK Wheel4DDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        InitWheel4D(dialog);   // answered FALSE: the dialog manager places no focus
    else if (message == WM_COMMAND)
        Wheel4DCommand(dialog, LOWORD(wParam));
    return FALSE;
}

// Dialog 12 ---------------------------------------------------------------------------------

INT_PTR CALLBACK WheelToScrollDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SettingsSnapshot = SettingsBlock;
        SendDlgItemMessageA(dialog, IDC_SPEED_TRACKBAR, TBM_SETRANGE, TRUE, MAKELPARAM(1, 20));
        SendDlgItemMessageA(dialog, IDC_SPEED_TRACKBAR, TBM_SETPOS, TRUE, SettingsBlock.ScrollLines);
        return TRUE;
    case WM_HSCROLL:
        if (reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, IDC_SPEED_TRACKBAR) &&
            TrackbarCodeMovesSpeed(LOWORD(wParam))) {
            SettingsBlock.ScrollLines =
                static_cast<int32_t>(SendDlgItemMessageA(dialog, IDC_SPEED_TRACKBAR, TBM_GETPOS, 0, 0));
            Enable(dialog, IDC_WHEEL_SCROLL_APPLY, true);
        }
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: FinishSettingDialog(dialog, FINISH_OK); break;
        case IDCANCEL: FinishSettingDialog(dialog, FINISH_CANCEL); break;
        case IDC_WHEEL_SCROLL_APPLY:
            FinishSettingDialog(dialog, FINISH_APPLY);
            Enable(dialog, IDC_WHEEL_SCROLL_APPLY, false);
            break;
        }
        return TRUE;
    default:
        return FALSE;
    }
}

// Dialog 13 ---------------------------------------------------------------------------------

void EnableZoomControls(HWND dialog, bool enable)
{
    static const int controls[] = {IDC_ZOOM_SIZE_LABEL, IDC_ZOOM_RATE_LABEL, IDC_ZOOM_RIGHT_USAGE,
                                   IDC_ZOOM_LEFT_USAGE, IDC_ZOOM_USAGE_TITLE, IDC_ZOOM_GROUP,
                                   IDC_ZOOM_SIZE, IDC_ZOOM_RATE};
    for (int control : controls)
        Enable(dialog, control, enable);
}

static void InitZoomIn(HWND dialog)
{
    SettingsSnapshot = SettingsBlock;
    AddStringRange(GetDlgItem(dialog, IDC_ZOOM_SIZE), ModuleInstance, IDS_ZOOM_SIZE_FIRST, ZOOM_SIZE_COUNT);
    SendDlgItemMessageA(dialog, IDC_ZOOM_SIZE, CB_SETCURSEL, SettingsBlock.ZoomSize, 0);
    AddStringRange(GetDlgItem(dialog, IDC_ZOOM_RATE), ModuleInstance, IDS_ZOOM_RATE_FIRST, ZOOM_RATE_COUNT);
    SendDlgItemMessageA(dialog, IDC_ZOOM_RATE, CB_SETCURSEL, ZoomRateIndex(SettingsBlock.ZoomRate), 0);
    if (SettingsBlock.ZoomEnable != 0) {
        CheckDlgButton(dialog, IDC_ZOOM_ENABLE, BST_CHECKED);
    } else {
        CheckDlgButton(dialog, IDC_ZOOM_ENABLE, BST_UNCHECKED);
        EnableZoomControls(dialog, false);
    }
}

static void ZoomInCommand(HWND dialog, int control, int notification)
{
    LRESULT selection;
    switch (control) {
    case IDC_ZOOM_ENABLE: {
        bool on = IsChecked(dialog, IDC_ZOOM_ENABLE);
        SettingsBlock.ZoomEnable = on ? 1 : 0;
        EnableZoomControls(dialog, on);
        Enable(dialog, IDC_ZOOM_APPLY, true);
        break;
    }
    case IDC_ZOOM_SIZE:
    case IDC_ZOOM_RATE:
        if (notification != CBN_SELCHANGE)
            break;
        selection = SendDlgItemMessageA(dialog, control, CB_GETCURSEL, 0, 0);
        if (selection == CB_ERR)
            break;
        if (control == IDC_ZOOM_SIZE)
            SettingsBlock.ZoomSize = static_cast<int32_t>(selection);
        else
            SettingsBlock.ZoomRate = ZoomRateFromIndex(static_cast<int>(selection));
        Enable(dialog, IDC_ZOOM_APPLY, true);
        break;
    case IDOK: FinishSettingDialog(dialog, FINISH_OK); break;
    case IDCANCEL: FinishSettingDialog(dialog, FINISH_CANCEL); break;
    case IDC_ZOOM_APPLY:
        FinishSettingDialog(dialog, FINISH_APPLY);
        Enable(dialog, IDC_ZOOM_APPLY, false);
        break;
    }
}

INT_PTR CALLBACK ZoomInDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        InitZoomIn(dialog);
        return TRUE;
    case WM_COMMAND:
        ZoomInCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}

// Dialog 14 ---------------------------------------------------------------------------------

INT_PTR CALLBACK WebSiteDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextA(dialog, IDC_WEB_SITE, ProductInfo.WebSite);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            GetDlgItemTextA(dialog, IDC_WEB_SITE, ProductInfo.WebSite, sizeof(ProductInfo.WebSite));
            SaveWebSite();
            EndDialog(dialog, 1);
        } else if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 0);
        }
        return TRUE;
    default:
        return FALSE;
    }
}
