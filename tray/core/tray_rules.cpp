#include "tray/core/tray_rules.h"

#include <cstring>

#include "tray/core/messages.h"
#include "tray/driver/driver_rules.h"
#include "tray/resources/resource.h"

namespace {

unsigned FollowButton(unsigned state, uint32_t buttonState, uint32_t down, uint32_t up, unsigned held)
{
    if (buttonState & down)
        return state | held;
    if (buttonState & up)
        return state & ~held;
    return state;
}

}  // namespace

unsigned NextTrayButtonState(unsigned current, uint32_t buttonState)
{
    unsigned state = current;
    state = FollowButton(state, buttonState, BS_LEFT_DOWN, BS_LEFT_UP, TRAY_LEFT_HELD);
    state = FollowButton(state, buttonState, BS_RIGHT_DOWN, BS_RIGHT_UP, TRAY_RIGHT_HELD);
    state = FollowButton(state, buttonState, BS_MIDDLE_DOWN, BS_MIDDLE_UP, TRAY_MIDDLE_HELD);
    return state;
}

int TrayIconResource(unsigned trayButtonState)
{
    return IDI_TRAY_FIRST + static_cast<int>(trayButtonState & 7);
}

void MakeTrayTip(const char *productName, char *tip, size_t tipSize)
{
    if (tipSize == 0)
        return;
    size_t length = strnlen(productName, tipSize - 1);
    memcpy(tip, productName, length);
    tip[length] = '\0';
}

bool BuildImportCommand(const char *shortDirectory, char *out, size_t outSize)
{
    static const char prefix[] = "regedit /s ";
    static const char file[] = "MRegSet.reg";
    if (outSize == 0)
        return false;
    out[0] = '\0';
    size_t dirLength = strlen(shortDirectory);
    if (dirLength == 0)
        return false;
    // A root such as "C:\" already ends with the separator.
    bool separator = shortDirectory[dirLength - 1] != '\\';
    size_t needed = (sizeof(prefix) - 1) + dirLength + (separator ? 1 : 0) + (sizeof(file) - 1) + 1;
    if (needed > outSize)
        return false;
    char *p = out;
    memcpy(p, prefix, sizeof(prefix) - 1);
    p += sizeof(prefix) - 1;
    memcpy(p, shortDirectory, dirLength);
    p += dirLength;
    if (separator)
        *p++ = '\\';
    memcpy(p, file, sizeof(file));
    return true;
}

const char APPLET_COMMAND[] = "rundll32.exe shell32.dll,Control_RunDLL MOVRAPANEL.CPL";

CommandAction CommandActionFor(uint32_t commandId)
{
    switch (commandId) {
    case IDM_TRAY_OPEN:
        return CommandAction::OpenApplet;
    case IDM_TRAY_CLOSE:
        return CommandAction::AskToClose;
    case SYSCOMMAND_RESTORE:
        return CommandAction::Ignore;   // the hidden window is never restored
    default:
        return CommandAction::Default;
    }
}

TrayAction TrayActionFor(uint32_t mouseMessage)
{
    switch (mouseMessage) {
    case MOUSE_LEFT_DOUBLE_CLICK:
        return TrayAction::OpenApplet;
    case MOUSE_RIGHT_UP:
        return TrayAction::ShowMenu;
    default:
        return TrayAction::Ignore;
    }
}

bool CloseAsksFirst(uintptr_t wParam)
{
    return wParam == CLOSE_WITH_CONFIRMATION;
}
