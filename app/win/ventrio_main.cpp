// ventrio.exe: the program with the mouse's own HID backend.
#include <windows.h>

#include "app/win/ventrio_app.h"
#include "platform/win/hid_backend_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return ventrio::RunVentrio(ventrio::CreateSystemHidBackend());
}
