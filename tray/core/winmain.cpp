#include "tray/core/tray_program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return RunTrayProgram(instance);
}
