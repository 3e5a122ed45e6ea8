// Drives the running tray program from outside for the main job and demos, as a user or the
// applet would: waits for it, asks it to close, answers its question, opens its menu, tells it
// that settings changed. Prints one line per step; exit code 0 on success, 1 otherwise.
//   trayctl wait [SECONDS]        wait for the main window
//   trayctl gone [SECONDS]        wait until the main window is gone
//   trayctl ask-close             post the menu's "Close" (WM_CLOSE asking first)
//   trayctl question [SECONDS]    wait for the close question and print it
//   trayctl answer yes|no         answer the close question
//   trayctl menu | cancel-menu    open the tray menu at the cursor (right-button release), close it
//   trayctl click-icon            right-click the icon at the right end of the taskbar (virtual
//                                 desktop with shell) and wait for the menu
//   trayctl settings-changed      send the applet's notification
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tray/core/messages.h"

namespace {

const char MainClass[] = "Quillmark_4D_MOUSE";

HWND TrayWindow() { return FindWindowA(MainClass, nullptr); }

bool WaitUntil(bool (*done)(), double seconds)
{
    DWORD end = GetTickCount() + static_cast<DWORD>(seconds * 1000);
    while (!done()) {
        if (static_cast<LONG>(end - GetTickCount()) <= 0)
            return false;
        Sleep(50);
    }
    return true;
}

struct Found {
    DWORD processId;
    const char *className;
    HWND window;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM lParam)
{
    Found *f = reinterpret_cast<Found *>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char cls[64] = "";
    GetClassNameA(window, cls, sizeof(cls));
    if (pid == f->processId && IsWindowVisible(window) && strcmp(cls, f->className) == 0) {
        f->window = window;
        return FALSE;
    }
    return TRUE;
}

HWND TrayProcessWindow(const char *className)
{
    HWND tray = TrayWindow();
    if (!tray)
        return nullptr;
    Found f = {0, className, nullptr};
    GetWindowThreadProcessId(tray, &f.processId);
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&f));
    return f.window;
}

HWND Question() { return TrayProcessWindow("#32770"); }

int Fail(const char *text)
{
    fprintf(stderr, "trayctl: %s\n", text);
    return 1;
}

void PrintText(const char *label, const char *text)
{
    printf("%s \"", label);
    for (const char *p = text; *p; ++p)
        if (*p == '\n')
            printf("\\n");
        else
            putchar(*p);
    printf("\"\n");
}

}  // namespace

int main(int argc, char **argv)
{
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc < 2)
        return Fail("usage: trayctl wait|gone|ask-close|question|answer yes|no|menu|cancel-menu|settings-changed");
    const char *cmd = argv[1];
    double seconds = argc > 2 ? atof(argv[2]) : 15;
    if (strcmp(cmd, "wait") == 0) {
        if (!WaitUntil([] { return TrayWindow() != nullptr; }, seconds))
            return Fail("no tray program window appeared");
        HWND w = TrayWindow();
        printf("main window %#lx, %s\n", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(w)),
               IsWindowVisible(w) ? "visible" : "hidden");
        return 0;
    }
    if (strcmp(cmd, "gone") == 0) {
        if (!WaitUntil([] { return TrayWindow() == nullptr; }, seconds))
            return Fail("the tray program window is still there");
        printf("main window gone\n");
        return 0;
    }
    if (strcmp(cmd, "question") == 0) {
        if (!WaitUntil([] { return Question() != nullptr; }, seconds))
            return Fail("no close question appeared");
        HWND box = Question();
        char caption[256] = "", text[512] = "";
        GetWindowTextA(box, caption, sizeof(caption));
        GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
        PrintText("question caption", caption);
        PrintText("question text", text);
        return 0;
    }
    if (strcmp(cmd, "answer") == 0 && argc > 2) {
        HWND box = Question();
        if (!box)
            return Fail("no close question is shown");
        WPARAM answer = strcmp(argv[2], "yes") == 0 ? IDYES : IDNO;
        PostMessageA(box, WM_COMMAND, answer, 0);
        printf("answered %s\n", answer == IDYES ? "Yes" : "No");
        return 0;
    }
    HWND tray = TrayWindow();
    if (!tray)
        return Fail("the tray program is not running");
    if (strcmp(cmd, "ask-close") == 0) {
        PostMessageA(tray, WM_COMMAND, 1, 0);
        printf("chose \"Close\" from the tray menu\n");
    } else if (strcmp(cmd, "menu") == 0) {
        PostMessageA(tray, WMU_TRAY, 7721, WM_RBUTTONUP);
        if (!WaitUntil([] { return TrayProcessWindow("#32768") != nullptr; }, 5))
            return Fail("the tray menu did not open");
        printf("tray menu open\n");
    } else if (strcmp(cmd, "click-icon") == 0) {
        HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
        RECT r;
        if (!taskbar || !GetWindowRect(taskbar, &r) || r.right <= r.left)
            return Fail("no taskbar; run in a virtual desktop with the shell");
        // Our icon is the only one, at the right end of the taskbar.
        SetCursorPos(r.right - 11, (r.top + r.bottom) / 2);
        INPUT clicks[2] = {};
        clicks[0].type = clicks[1].type = INPUT_MOUSE;
        clicks[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
        clicks[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
        SendInput(2, clicks, sizeof(INPUT));
        if (!WaitUntil([] { return TrayProcessWindow("#32768") != nullptr; }, 5))
            return Fail("right-clicking the icon opened no menu");
        printf("right-clicked the icon: tray menu open\n");
    } else if (strcmp(cmd, "cancel-menu") == 0) {
        HWND menu = TrayProcessWindow("#32768");
        if (!menu)
            return Fail("no tray menu is open");
        PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageA(tray, WM_CANCELMODE, 0, 0);
        printf("tray menu closed\n");
    } else if (strcmp(cmd, "settings-changed") == 0) {
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(tray, WMU_SETTINGS_CHANGED, 0, 0, SMTO_NORMAL, 10000, &result))
            return Fail("the tray program did not answer");
        printf("settings reloaded\n");
    } else {
        return Fail("unknown command; see the comment at the top of tools/trayctl/trayctl.cpp");
    }
    return 0;
}
