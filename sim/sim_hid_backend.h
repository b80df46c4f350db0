// The HID backend over the simulated mouse: the program reaches the simulator through the same
// seam, and the same mouse search, as the real mouse. Other HID devices can be listed beside it,
// and each step of the search can be made to fail.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/hid.h"
#include "sim/simulated_mouse.h"

namespace ventrio {

struct SimInterfaceFaults {
    bool pathFails = false;
    bool probeFails = false;
    bool attributesFail = false;
    bool preparsedDataFails = false;
    bool capsInvalid = false;
    bool openFails = false;
};

// Another HID interface on the system; it can be probed but not opened for reports.
struct SimForeignInterface {
    std::string path;
    HidAttributes attributes;
    HidCaps caps;
    SimInterfaceFaults faults;
};

class SimHidBackend final : public HidBackend {
  public:
    explicit SimHidBackend(std::shared_ptr<SimulatedMouse> mouse);

    SimulatedMouse& Mouse() { return *m_mouse; }
    const std::shared_ptr<SimulatedMouse>& SharedMouse() const { return m_mouse; }

    // Listed before the mouse's interfaces, in the order added.
    void AddForeignInterface(SimForeignInterface foreign);
    void SetMouseInterfaceFaults(SimInterfaceKind kind, SimInterfaceFaults faults);
    void SetListFails(bool fail) { m_listFails = fail; }
    // Enumeration fails (other than by running out of interfaces) at this index.
    void SetEnumerationFailsAt(std::optional<uint32_t> index) { m_enumerationFailsAt = index; }
    void SetReaderEventFails(bool fail) { m_readerEventFails = fail; }

    std::unique_ptr<HidInterfaceList> ListInterfaces() override;
    std::unique_ptr<HidProbe> OpenProbe(const std::string& path) override;
    std::shared_ptr<HidInputInterface> OpenInputInterface(const std::string& path) override;
    std::unique_ptr<HidCommandInterface> OpenCommandInterface(const std::string& path) override;
    std::shared_ptr<HidEvent> CreateReaderEvent() override;

  private:
    struct Entry {
        std::optional<SimInterfaceKind> kind;  // empty for a foreign interface
        std::string path;
        HidAttributes attributes;
        HidCaps caps;
        SimInterfaceFaults faults;
    };
    std::vector<Entry> PresentInterfaces() const;
    std::optional<Entry> FindPresent(const std::string& path) const;

    std::shared_ptr<SimulatedMouse> m_mouse;
    std::vector<SimForeignInterface> m_foreign;
    std::map<SimInterfaceKind, SimInterfaceFaults> m_mouseFaults;
    bool m_listFails = false;
    std::optional<uint32_t> m_enumerationFailsAt;
    bool m_readerEventFails = false;
};

}  // namespace ventrio
