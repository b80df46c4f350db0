// ventrio-sim.exe: the program with the simulated mouse in place of the HID backend, for
// demonstrations and end-to-end tests.
#include <windows.h>

#include "app/win/ventrio_app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return ventrio::RunVentrio();
}
