#include "applet/button_page.h"

#include <commctrl.h>
#include <prsht.h>

#include "applet/applet_entry.h"
#include "applet/applet_rules.h"
#include "applet/setting_dialogs.h"
#include "shared/function_catalogue.h"
#include "shared/product_info.h"
#include "shared/settings.h"

int32_t DetailMask;
ButtonPageStateRecord ButtonPageState;

void AddStringRange(HWND comboBox, HINSTANCE module, UINT firstId, int count)
{
    if (!comboBox)
        return;
    for (int i = 0; i < count; ++i) {
        char text[TEXT_BUFFER_SIZE];
        if (LoadStringA(module, firstId + i, text, sizeof(text)) <= 0)
            text[0] = '\0';
        SendMessageA(comboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
}

static void MarkSheetChanged(HWND page)
{
    SendMessageA(GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0);
}

// A row the page's template lacks is skipped; its setting keeps its value.
static void FillRow(HWND page, int listId, UINT firstString, int count, int32_t selection)
{
    HWND list = GetDlgItem(page, listId);
    if (!list)
        return;
    AddStringRange(list, ModuleInstance, firstString, count);
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
}

static void EnableDetailButtons(HWND page)
{
    for (int list = IDC_LIST_RIGHT; list <= IDC_LIST_FIFTH; ++list) {
        HWND button = GetDlgItem(page, list + DETAIL_OFFSET);
        if (button)
            EnableWindow(button, (DetailMask & DetailMaskBit(list)) != 0);
    }
}

static void InitButtonPage(HWND page)
{
    ButtonPageState.pageWindow = page;
    FillRow(page, IDC_LIST_WHEEL, IDS_WHEEL_4D, WHEEL_ENTRY_COUNT, SettingsBlock.WheelSetting);
    FillRow(page, IDC_LIST_MIDDLE, IDS_FUNCTION_FIRST, FUNCTION_COUNT, SettingsBlock.MBSetting);
    FillRow(page, IDC_LIST_RIGHT, IDS_FUNCTION_FIRST, FUNCTION_COUNT, SettingsBlock.RBSetting);
    FillRow(page, IDC_LIST_FOURTH, IDS_FUNCTION_FIRST, FUNCTION_COUNT, SettingsBlock.Setting4B);
    FillRow(page, IDC_LIST_FIFTH, IDS_FUNCTION_FIRST, FUNCTION_COUNT, SettingsBlock.Setting5B);
    EnableDetailButtons(page);
}

static void OnListSelection(HWND page, int listId)
{
    LRESULT selection = SendDlgItemMessageA(page, listId, CB_GETCURSEL, 0, 0);
    if (selection == CB_ERR)   // nothing picked: keep the stored value rather than store -1
        return;
    int32_t *setting = RowSetting(SettingsBlock, listId);
    *setting = static_cast<int32_t>(selection);
    if (listId != IDC_LIST_WHEEL) {
        DetailMask = ComputeDetailMask(SettingsBlock);
        EnableWindow(GetDlgItem(page, listId + DETAIL_OFFSET), HasDetailDialog(*setting));
    }
    MarkSheetChanged(page);
}

static void RunSettingDialog(HWND page, int dialogId, DLGPROC procedure)
{
    DialogBoxParamA(ModuleInstance, MAKEINTRESOURCEA(dialogId), page, procedure, 0);
}

static void OnDetailButton(HWND page, int buttonId)
{
    if (buttonId == IDC_DETAIL_WHEEL) {
        if (SettingsBlock.WheelSetting == 0)
            RunSettingDialog(page, IDD_WHEEL_4D, Wheel4DDialogProc);
        else if (SettingsBlock.WheelSetting == 1)
            RunSettingDialog(page, IDD_WHEEL_TO_SCROLL, WheelToScrollDialogProc);
        return;
    }
    LRESULT selection = SendDlgItemMessageA(page, buttonId - DETAIL_OFFSET, CB_GETCURSEL, 0, 0);
    if (selection == FN_ZOOM_IN)
        RunSettingDialog(page, IDD_ZOOM_IN, ZoomInDialogProc);
    else if (selection == FN_WEB_BROWSER)
        RunSettingDialog(page, IDD_WEB_SITE, WebSiteDialogProc);
}

static void OnPageCommand(HWND page, int control, int notification)
{
    if (control >= IDC_LIST_WHEEL && control <= IDC_LIST_FIFTH) {
        if (notification == CBN_SELCHANGE)
            OnListSelection(page, control);
    } else if (control >= IDC_DETAIL_WHEEL && control <= IDC_DETAIL_FIFTH) {
        OnDetailButton(page, control);
    }
}

void SetSheetButtonTexts(HWND hwndPage)
{
    static const char *const captions[] = {"Ok", "Cancel", "Apply", "Help"};
    HWND window = hwndPage;
    for (const char *caption : captions) {
        window = GetWindow(window, GW_HWNDNEXT);
        if (!window)
            return;
        SetWindowTextA(window, caption);
    }
}

static void DrawPolyline(HDC dc, HGDIOBJ pen, const POINT *points, int count)
{
    SelectObject(dc, pen);
    MoveToEx(dc, points[0].x, points[0].y, nullptr);
    for (int i = 1; i < count; ++i)
        LineTo(dc, points[i].x, points[i].y);
}

static void PaintFace(HDC dc, HBITMAP bitmap, int width, int height, const RECT &rc, bool pressed)
{
    LONG l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
    HPEN grey = CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
    HGDIOBJ white = GetStockObject(WHITE_PEN);
    HGDIOBJ black = GetStockObject(BLACK_PEN);
    HGDIOBJ oldPen = SelectObject(dc, white);

    HDC memory = CreateCompatibleDC(dc);
    if (memory) {
        HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
        BitBlt(dc, 1, 1, width, height, memory, 0, 0, SRCCOPY);
        SelectObject(memory, oldBitmap);
        DeleteDC(memory);
    }

    if (!pressed) {
        const POINT light[] = {{l, b - 1}, {l, t}, {r - 1, t}};
        const POINT shade[] = {{r - 2, t + 1}, {r - 2, b - 2}, {l + 1, b - 2}};
        const POINT dark[] = {{r - 1, t + 1}, {r - 1, b - 1}, {l, b - 1}};
        DrawPolyline(dc, white, light, 3);
        DrawPolyline(dc, grey, shade, 3);
        DrawPolyline(dc, black, dark, 3);
    } else {
        const POINT shade[] = {{l + 1, b - 2}, {l + 1, t + 1}, {r - 2, t + 1}};
        const POINT light[] = {{l + 1, b - 2}, {r - 2, b - 2}, {r - 2, t + 1}};
        const POINT frame[] = {{l, t}, {l, b - 1}, {r - 1, b - 1}, {r - 1, t}, {l, t}};
        DrawPolyline(dc, grey, shade, 3);
        DrawPolyline(dc, white, light, 3);
        DrawPolyline(dc, black, frame, 5);
    }
    SelectObject(dc, oldPen);
    if (grey)
        DeleteObject(grey);
}

BOOL PaintDetailButton(const DRAWITEMSTRUCT *item)
{
    int bitmapId = DetailBitmap(static_cast<int>(item->CtlID), DetailMask, (item->itemState & ODS_SELECTED) != 0);
    if (bitmapId == 0)
        return TRUE;
    HBITMAP bitmap = LoadBitmapA(ModuleInstance, MAKEINTRESOURCEA(bitmapId));
    if (ButtonPageState.bitmap)
        DeleteObject(ButtonPageState.bitmap);
    ButtonPageState.bitmap = bitmap;
    if (!bitmap)
        return TRUE;

    BITMAP info = {};
    GetObjectA(bitmap, sizeof(info), &info);
    int width = info.bmWidth + 3, height = info.bmHeight + 3;
    RECT client;
    GetClientRect(item->hwndItem, &client);
    if (client.right - client.left != width || client.bottom - client.top != height) {
        RECT frame;
        GetWindowRect(item->hwndItem, &frame);
        POINT corner = {frame.left, frame.top};
        ScreenToClient(GetParent(item->hwndItem), &corner);
        MoveWindow(item->hwndItem, corner.x, corner.y, width, height, TRUE);
        return FALSE;
    }

    HDC dc = GetDC(item->hwndItem);
    if (!dc)
        return TRUE;
    bool pressed = item->itemAction == ODA_SELECT && (item->itemState & ODS_SELECTED);
    PaintFace(dc, bitmap, info.bmWidth, info.bmHeight, item->rcItem, pressed);
    if (item->itemState & ODS_FOCUS) {
        RECT focus = item->rcItem;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
    ReleaseDC(item->hwndItem, dc);
    return TRUE;
}

INT_PTR CALLBACK ButtonPageProc(HWND hwndPage, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        InitButtonPage(hwndPage);
        return TRUE;
    case WM_COMMAND:
        OnPageCommand(hwndPage, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR *>(lParam)->code == static_cast<UINT>(PSN_APPLY)) {
            SaveSettings();
            NotifyTrayProgram();
        }
        return TRUE;
    case WM_DRAWITEM:
        SetSheetButtonTexts(hwndPage);
        return PaintDetailButton(reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
    case WM_DESTROY:
        if (ButtonPageState.bitmap) {
            DeleteObject(ButtonPageState.bitmap);
            ButtonPageState.bitmap = nullptr;
        }
        ButtonPageState.pageWindow = nullptr;
        return TRUE;
    case WMU_MARK_CHANGED:
        MarkSheetChanged(hwndPage);
        return TRUE;
    default:
        return FALSE;
    }
}
