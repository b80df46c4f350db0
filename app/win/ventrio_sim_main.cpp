// ventrio-sim.exe: the program with the simulated mouse in place of the HID backend, for
// demonstrations and end-to-end tests.
#include <windows.h>

#include <memory>

#include "app/win/ventrio_app.h"
#include "app/win/ventrio_dlg.h"
#include "platform/win/device_broadcast.h"
#include "sim/sim_hid_backend.h"
#include "sim/simulated_mouse.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    auto mouse = std::make_shared<ventrio::SimulatedMouse>();
    // Windows announces a real mouse's interfaces coming and going; the simulated one is
    // announced the same way, so the program follows it through its usual handler.
    mouse->SetPlugListener([](bool plugged, const std::vector<std::string>& paths) {
        for (const std::string& path : paths) {
            ventrio::SendDeviceInterfaceBroadcast(ventrio::MainWindowHandle(), plugged, path);
        }
    });
    return ventrio::RunVentrio(std::make_unique<ventrio::SimHidBackend>(mouse));
}
