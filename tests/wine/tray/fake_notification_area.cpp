#include "fake_notification_area.h"

#include <cstring>

namespace tt {

namespace {

// What the system's Shell_NotifyIcon sends the tray window with WM_COPYDATA (dwData is the
// operation): this record, then the picture's mask bits and its colour bits.
struct NotifyData {
    LONG window;
    UINT id;
    UINT flags;
    UINT callbackMessage;
    WCHAR tip[128];
    DWORD state;
    DWORD stateMask;
    WCHAR info[256];
    UINT timeoutOrVersion;
    WCHAR infoTitle[64];
    DWORD infoFlags;
    GUID guid;
    UINT width;
    UINT height;
    UINT planes;
    UINT bpp;
};

const char TrayClass[] = "Shell_TrayWnd";
FakeNotificationArea *Current = nullptr;

bool IsRed(const BYTE *p) { return p[2] > 0xC0 && p[1] < 0x40 && p[0] < 0x40; }

}  // namespace

int HeldButtonsInPicture(const BYTE *bgra, UINT width, UINT height)
{
    // Points inside the left, middle and right button of the 32 by 32 picture, scaled.
    struct {
        int x, y, bit;
    } const spots[] = {{10, 9, 1}, {15, 10, 2}, {21, 9, 4}};
    int held = 0;
    for (const auto &s : spots) {
        UINT x = s.x * width / 32, y = s.y * height / 32;
        if (IsRed(bgra + (y * width + x) * 4))
            held |= s.bit;
    }
    return held;
}

FakeNotificationArea::FakeNotificationArea()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = TrayClass;
    RegisterClassA(&wc);
    Current = this;
    window_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TrayClass, nullptr, WS_POPUP, 0, 0, 1, 1, nullptr,
                              nullptr, wc.hInstance, nullptr);
    // Only one window of the class may answer: ours has to be the one the system finds.
    if (window_ && FindWindowExA(nullptr, nullptr, TrayClass, nullptr) != window_) {
        DestroyWindow(window_);
        window_ = nullptr;
    }
}

FakeNotificationArea::~FakeNotificationArea()
{
    if (window_)
        DestroyWindow(window_);
    UnregisterClassA(TrayClass, GetModuleHandleA(nullptr));
    Current = nullptr;
}

size_t FakeNotificationArea::Count(DWORD operation) const
{
    size_t n = 0;
    for (const IconRequest &r : requests_)
        n += r.operation == operation;
    return n;
}

LRESULT CALLBACK FakeNotificationArea::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_COPYDATA || !Current)
        return DefWindowProcA(window, message, wParam, lParam);
    const COPYDATASTRUCT *cds = reinterpret_cast<const COPYDATASTRUCT *>(lParam);
    if (cds->cbData < sizeof(NotifyData))
        return FALSE;
    const NotifyData *data = static_cast<const NotifyData *>(cds->lpData);
    IconRequest r = {};
    r.operation = static_cast<DWORD>(cds->dwData);
    r.owner = reinterpret_cast<HWND>(static_cast<LONG_PTR>(data->window));
    r.id = data->id;
    r.flags = data->flags;
    r.callbackMessage = data->callbackMessage;
    char tip[256] = "";
    WideCharToMultiByte(CP_ACP, 0, data->tip, -1, tip, sizeof(tip), nullptr, nullptr);
    r.tip = tip;
    r.heldButtons = -1;
    if ((data->flags & NIF_ICON) && data->bpp == 32 && data->planes == 1) {
        size_t maskBytes = (data->width * data->height + 15) / 16 * 2;
        size_t colourBytes = size_t(data->width) * data->height * 4;
        if (cds->cbData >= sizeof(NotifyData) + maskBytes + colourBytes)
            r.heldButtons = HeldButtonsInPicture(reinterpret_cast<const BYTE *>(data + 1) + maskBytes, data->width,
                                                 data->height);
    }
    Current->requests_.push_back(r);
    if (Current->onRequest_)
        Current->onRequest_(r);
    return Current->refuse_ ? FALSE : TRUE;
}

}  // namespace tt
