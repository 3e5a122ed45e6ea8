// Exits with DetectOsKind(): the test runs it under each Windows version Wine can report.
#include "tray/driver/driver_channel.h"

int main() { return DetectOsKind(); }
