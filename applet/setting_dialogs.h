// Setting dialogs opened from the button page's detail buttons: Wheel 4D, Wheel To Scroll,
// Zoom In and Web Site Setting.
#pragma once
#include <windows.h>

#include "shared/settings_rules.h"

// The settings as they were when dialog 11, 12 or 13 opened; Cancel puts them back.
extern SettingsBlockRecord SettingsSnapshot;

enum SettingDialogAction { FINISH_OK = 1, FINISH_CANCEL = 2, FINISH_APPLY = 3 };
int FinishSettingDialog(HWND dialog, int action);
void EnableZoomControls(HWND dialog, bool enable);

INT_PTR CALLBACK Wheel4DDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK WheelToScrollDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ZoomInDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK WebSiteDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
