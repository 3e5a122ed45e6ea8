// Resource numbers of the tray program, shared by movratray.rc and the code.
#pragma once

// Icons 1 to 8: the mouse with the held buttons drawn red; the icon shown is the held-button
// set (1 left, 2 middle, 4 right) plus 1. Icon 1 is also the main window's class icon.
#define IDI_TRAY_FIRST 1
#define IDI_TRAY_LAST 8

// The notification-area menu: one popup holding "Open" and "Close".
#define IDM_TRAY 1
#define IDM_TRAY_OPEN 0
#define IDM_TRAY_CLOSE 1

// Close confirmation text and caption, both templates.
#define IDS_CLOSE_QUESTION 2
#define IDS_CLOSE_CAPTION 3
