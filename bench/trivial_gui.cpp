// The yardstick for the tray program's figures: the least a GUI program with a notification
// icon does (a hidden window, one icon, a message loop), with nothing of the product in it.
#include <windows.h>
#include <shellapi.h>

static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.lpszClassName = "TrivialTrayProgram";
    RegisterClassA(&wc);
    HWND window = CreateWindowA(wc.lpszClassName, nullptr, 0, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    NOTIFYICONDATAA data = {NOTIFYICONDATAA_V1_SIZE};
    data.hWnd = window;
    data.uID = 1;
    data.uFlags = NIF_ICON | NIF_TIP;
    data.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    lstrcpyA(data.szTip, "trivial");
    Shell_NotifyIconA(NIM_ADD, &data);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    Shell_NotifyIconA(NIM_DELETE, &data);
    return 0;
}
