/* Numbers of the applet's messages, dialogs, controls, strings, bitmaps and icons.
   Shared by the resource script and the code, so plain #defines the resource compiler reads. */
#ifndef MOVRA_APPLET_RESOURCE_H
#define MOVRA_APPLET_RESOURCE_H

/* Icons */
#define IDI_APPLET              11   /* a mouse: the Control Panel entry */
#define IDI_WHEEL               12
#define IDI_MOUSE_LEFT          13
#define IDI_MOUSE_RIGHT         14
#define IDI_MOUSE_MIDDLE        15
#define IDI_MOUSE_UPPER_SIDE    16
#define IDI_MOUSE_LOWER_SIDE    17
#define IDI_ZOOM                20   /* a magnifier over a page */

/* Bitmaps of the detail buttons */
#define IDB_DETAIL_RAISED       101
#define IDB_DETAIL_PRESSED      102
#define IDB_DETAIL_GREYED       103

/* Dialogs: button page layouts by mouse model, information page, setting dialogs */
#define IDD_BUTTONS_TWO         1    /* right button only (two-button mouse) */
#define IDD_BUTTONS_THREE       2    /* middle and right */
#define IDD_BUTTONS_WHEEL       3    /* wheel, middle and right */
#define IDD_BUTTONS_FIVE        4    /* wheel and four buttons */
#define IDD_INFO                10
#define IDD_WHEEL_4D            11
#define IDD_WHEEL_TO_SCROLL     12
#define IDD_ZOOM_IN             13
#define IDD_WEB_SITE            14

/* Button page: lists; the detail button of a list is the list plus 10 */
#define IDC_LIST_WHEEL          201
#define IDC_LIST_RIGHT          202
#define IDC_LIST_MIDDLE         203
#define IDC_LIST_FOURTH         204
#define IDC_LIST_FIFTH          205
#define IDC_DETAIL_WHEEL        211
#define IDC_DETAIL_RIGHT        212
#define IDC_DETAIL_MIDDLE       213
#define IDC_DETAIL_FOURTH       214
#define IDC_DETAIL_FIFTH        215
#define DETAIL_OFFSET           10

/* Dialog 11, Wheel 4D */
#define IDC_BACKGROUND_WHEEL    221
#define IDC_SET_WINDOW_ACTIVE   222
#define IDC_PAGE_SCROLL         223
#define IDC_SCROLL_LINES        224
#define IDC_LINES_EDIT          225
#define IDC_LINES_UPDOWN        226
#define IDC_WHEEL_4D_APPLY      227

/* Dialog 12, Wheel To Scroll */
#define IDC_SPEED_TRACKBAR      251
#define IDC_WHEEL_SCROLL_APPLY  252

/* Dialog 13, Zoom In */
#define IDC_ZOOM_ENABLE         301
#define IDC_ZOOM_SIZE           302
#define IDC_ZOOM_RATE           303
#define IDC_ZOOM_SIZE_LABEL     304
#define IDC_ZOOM_RATE_LABEL     305
#define IDC_ZOOM_RIGHT_USAGE    306
#define IDC_ZOOM_LEFT_USAGE     307
#define IDC_ZOOM_USAGE_TITLE    308
#define IDC_ZOOM_GROUP          309
#define IDC_ZOOM_APPLY          310

/* Dialog 14, Web Site Setting */
#define IDC_WEB_SITE            320

/* Information page */
#define IDC_INFO_PRODUCT        400
#define IDC_INFO_DESIGNED_BY    401
#define IDC_INFO_PRESS_BUTTON   402
#define IDC_INFO_COMPANY_PAGE   403

/* Strings */
#define IDS_WHEEL_4D            1000
#define IDS_WHEEL_TO_SCROLL     1001
#define IDS_FUNCTION_FIRST      1010   /* 1010 + FunctionCode, 50 names */
#define IDS_ZOOM_SIZE_FIRST     1100   /* 6 lens sizes */
#define IDS_ZOOM_RATE_FIRST     1120   /* 7 factors, X2 to X8 */
#define IDS_APPLET_NAME         1200
#define IDS_APPLET_INFO         1201
#define IDS_SHEET_CAPTION       1202
#define IDS_DESIGNED_BY         1203
#define IDS_PRESS_BUTTON        1204

#define WHEEL_ENTRY_COUNT       2
#define ZOOM_SIZE_COUNT         6
#define ZOOM_RATE_COUNT         7

/* Private message from a setting dialog to the button page: mark the sheet changed */
#define WMU_MARK_CHANGED_VALUE  1025   /* WM_USER + 1 */

#endif
