#include "tray/core/tray_program.h"

#include "shared/product_info.h"
#include "shared/settings.h"
#include "tray/actions/button_dispatch.h"
#include "tray/core/messages.h"
#include "tray/core/program_state.h"
#include "tray/core/tray_icon.h"
#include "tray/core/tray_rules.h"
#include "tray/driver/driver_protocol.h"
#include "tray/driver/driver_channel.h"
#include "tray/resources/resource.h"
#include "tray/scrolling/auto_scroll.h"
#include "tray/scrolling/wheel_scroll.h"

#define PRODUCT_KEY_PATH "SOFTWARE\\Quillmark4D\\1.1"

static_assert(sizeof(void *) != 4 || sizeof(WNDCLASSEXA) == 48, "class record as the oldest systems take it");
static_assert(SYSCOMMAND_RESTORE == SC_RESTORE && MOUSE_LEFT_DOUBLE_CLICK == WM_LBUTTONDBLCLK &&
                  MOUSE_RIGHT_UP == WM_RBUTTONUP,
              "the decision code names the system's values");

int const CLOSE_TEXT_SIZE = 256;

int RegisterWindowClasses(HINSTANCE instance)
{
    WNDCLASSEXA indicator = {sizeof(indicator)};
    indicator.style = CS_SAVEBITS;
    // The auto-scroll indicator keeps its region handle in its window data.
    indicator.lpfnWndProc = DefWindowProcA;
    indicator.cbWndExtra = 4;
    indicator.hInstance = instance;
    indicator.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    indicator.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    indicator.lpszClassName = AUTOSCROLL_ICON_CLASS;
    if (!RegisterClassExA(&indicator))
        return 0;

    WNDCLASSEXA main = {sizeof(main)};
    main.style = CS_SAVEBITS;
    main.lpfnWndProc = MainWindowProc;
    main.cbWndExtra = 24;
    main.hInstance = instance;
    main.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TRAY_FIRST));
    main.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    main.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    main.lpszClassName = MAIN_WINDOW_CLASS;
    if (!RegisterClassExA(&main)) {
        UnregisterClassA(AUTOSCROLL_ICON_CLASS, instance);
        return 0;
    }
    // The tray tip needs the product name before the window exists.
    LoadProductInfo();
    return 1;
}

void UnregisterWindowClasses()
{
    UnregisterClassA(AUTOSCROLL_ICON_CLASS, ProgramInstance);
    UnregisterClassA(MAIN_WINDOW_CLASS, ProgramInstance);
}

int FirstRunImport()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, PRODUCT_KEY_PATH, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        RegCloseKey(key);
        return 1;   // this user has been set up before
    }
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, PRODUCT_KEY_PATH, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    // One byte more than is read, so a stored text without its terminator still ends.
    char directory[MAX_PATH + 1] = "";
    DWORD size = MAX_PATH;
    LONG read = RegQueryValueExA(key, "Path", nullptr, nullptr, reinterpret_cast<BYTE *>(directory), &size);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS)
        return 0;
    // Without a short path there is nothing sound to run: start with the defaults, and the
    // next start tries again.
    char shortDirectory[MAX_PATH];
    DWORD length = GetShortPathNameA(directory, shortDirectory, sizeof(shortDirectory));
    if (length == 0 || length >= sizeof(shortDirectory))
        return 1;
    char command[MAX_PATH];
    if (BuildImportCommand(shortDirectory, command, sizeof(command)))
        WinExec(command, SW_SHOWNORMAL);
    return 1;
}

void OpenControlPanelApplet()
{
    char directory[MAX_PATH] = "";
    GetWindowsDirectoryA(directory, sizeof(directory));
    SetCurrentDirectoryA(directory);
    WinExec(APPLET_COMMAND, SW_SHOWNORMAL);
}

int ConfirmClose(HWND window)
{
    char text[CLOSE_TEXT_SIZE] = "";
    LoadStringA(ProgramInstance, IDS_CLOSE_QUESTION, text, sizeof(text));
    ExpandTemplate(text, sizeof(text));
    char caption[CLOSE_TEXT_SIZE] = "";
    LoadStringA(ProgramInstance, IDS_CLOSE_CAPTION, caption, sizeof(caption));
    ExpandTemplate(caption, sizeof(caption));
    return MessageBoxA(window, text, caption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES;
}

void ShutDown(HWND window)
{
    CloseDriverChannel();
    RemoveTrayIcon(window);
    RestoreUserCursors(false);
}

static LRESULT OnCreate(HWND window)
{
    MainWindow = window;   // before the channel opens: the reader posts here
    DeviceHandle = INVALID_HANDLE_VALUE;
    UsbHandle = INVALID_HANDLE_VALUE;
    TrayButtonState = 0;
    LoadSettings();
    if (OpenDriverChannel() && AddTrayIcon(window))
        return 0;
    DestroyWindow(window);
    return -1;
}

static LRESULT OnCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (CommandActionFor(LOWORD(wParam))) {
    case CommandAction::OpenApplet:
        OpenControlPanelApplet();
        return 0;
    case CommandAction::AskToClose:
        PostMessageA(window, WM_CLOSE, CLOSE_WITH_CONFIRMATION, 0);
        return 0;
    case CommandAction::Ignore:
        return 0;
    case CommandAction::Default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static void OnTray(HWND window, LPARAM lParam)
{
    switch (TrayActionFor(static_cast<uint32_t>(lParam))) {
    case TrayAction::OpenApplet:
        OpenControlPanelApplet();
        break;
    case TrayAction::ShowMenu:
        ShowTrayMenu(window);
        break;
    case TrayAction::Ignore:
        break;
    }
}

static void OnClose(HWND window, WPARAM wParam)
{
    if (CloseAsksFirst(wParam) && ConfirmClose(window))
        return;
    ShutDown(window);
    DestroyWindow(window);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(window);
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_CLOSE:
        OnClose(window, wParam);
        return 0;
    case WM_COMMAND:
    case WM_SYSCOMMAND:
        return OnCommand(window, message, wParam, lParam);
    case WM_LBUTTONDBLCLK:
    case WMU_OPEN_PANEL:
        OpenControlPanelApplet();
        return 0;
    case WMU_TRAY:
        OnTray(window, lParam);
        return 0;
    case WMU_SETTINGS_CHANGED:
        LoadSettings();
        LoadProductInfo();
        PushDriverSettings();
        return 0;
    case WMU_BUTTON_EVENT:
        UpdateTrayIcon(wParam);
        DispatchButtonEvent(wParam, lParam);
        return 0;
    case WMU_WHEEL_EVENT:
        OnWheelEvent(wParam, lParam);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

int RunTrayProgram(HINSTANCE instance)
{
    ProgramInstance = instance;
    HWND running = FindWindowA(MAIN_WINDOW_CLASS, nullptr);
    if (running) {
        PostMessageA(running, WMU_OPEN_PANEL, 0, 0);
        return 0;
    }
    if (!FirstRunImport())
        return 0;
    OsKind = DetectOsKind();
    if (OsKind == 0)
        return 0;
    if (!RegisterWindowClasses(instance))
        return 0;
    HWND window = CreateWindowExA(0, MAIN_WINDOW_CLASS, nullptr, 0, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (!window) {
        UnregisterWindowClasses();
        return 0;
    }
    MainWindow = window;
    ShowWindow(window, SW_HIDE);
    MSG msg = {};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    UnregisterWindowClasses();
    return static_cast<int>(msg.wParam);
}
