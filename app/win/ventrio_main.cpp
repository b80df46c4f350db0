// ventrio.exe: the program with the mouse's own HID backend.
#include <windows.h>

#include "app/win/ventrio_app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return ventrio::RunVentrio();
}
