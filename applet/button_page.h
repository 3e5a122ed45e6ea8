// Button assignment page: the wheel and button rows, their detail buttons, saving on the
// sheet's OK or Apply.
#pragma once
#include <windows.h>

#include <cstdint>

#include "applet/resource.h"

// From a setting dialog to the page: the user confirmed a change, mark the sheet changed.
UINT const WMU_MARK_CHANGED = WMU_MARK_CHANGED_VALUE;

// Bit 1 << (list - 202) set for each button row whose function has a setting dialog.
extern int32_t DetailMask;

struct ButtonPageStateRecord {
    HWND pageWindow;   // owner of the setting dialogs, receiver of WMU_MARK_CHANGED
    HBITMAP bitmap;    // loaded for the latest detail-button paint
};
extern ButtonPageStateRecord ButtonPageState;

INT_PTR CALLBACK ButtonPageProc(HWND hwndPage, UINT message, WPARAM wParam, LPARAM lParam);
void AddStringRange(HWND comboBox, HINSTANCE module, UINT firstId, int count);
void SetSheetButtonTexts(HWND hwndPage);
BOOL PaintDetailButton(const DRAWITEMSTRUCT *item);
