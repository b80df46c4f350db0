#include "device/input_report_reader.h"

#include <algorithm>
#include <vector>

namespace ventrio {
namespace {

constexpr uint8_t kEventReportId = 0x06;
constexpr uint8_t kEventMarker = 0x07;
// Room for the four bytes of an event whatever the interface declares.
constexpr size_t kMinimumReportBuffer = 4;

}  // namespace

std::optional<DeviceEventReport> ParseEventReport(std::span<const uint8_t> buffer,
                                                  size_t bytesRead) {
    const auto at = [&](size_t i) -> uint8_t { return i < buffer.size() ? buffer[i] : 0; };
    if (bytesRead == 0 || at(0) != kEventReportId || at(1) != kEventMarker) {
        return std::nullopt;
    }
    return DeviceEventReport{at(2), at(3)};
}

InputReportReader::InputReportReader(DeviceLink& link, DeviceEventSink sink)
    : m_link(link), m_sink(std::move(sink)) {}

InputReportReader::~InputReportReader() {
    Stop();
}

void InputReportReader::Resume() {
    if (m_thread.joinable() || m_stop.load()) {
        return;
    }
    m_event = m_link.ReaderEvent();
    if (!m_event) {
        return;
    }
    m_thread = std::thread([this] { Run(); });
}

void InputReportReader::RequestStop() {
    m_stop.store(true);
    if (m_event) {
        m_event->Set();
    }
}

void InputReportReader::Stop() {
    RequestStop();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void InputReportReader::Run() {
    HidEvent& event = *m_event;
    std::vector<uint8_t> buffer;
    // An input interface whose read failed is left alone until the search opens a new one.
    std::optional<uint64_t> failedGeneration;

    while (!m_stop.load()) {
        event.Reset();
        if (m_stop.load()) {
            break;
        }
        const ReaderView view = m_link.ReaderState();
        if (!view.present || !view.input || failedGeneration == view.generation) {
            event.Wait();
            continue;
        }

        // Zeroed for every read, so that a short report never shows bytes of an earlier one.
        buffer.assign(std::max<size_t>(view.inputLength, kMinimumReportBuffer), 0);
        HidInputInterface& input = *view.input;
        if (!input.StartRead(std::span<uint8_t>(buffer.data(), view.inputLength), event)) {
            failedGeneration = view.generation;
            continue;
        }
        // Starting the read reset the event: a stop or a new interface signalled just before is
        // seen here instead.
        HidReadResult result;
        if (m_stop.load()) {
            input.CancelRead();
            break;
        }
        if (m_link.InputGeneration() != view.generation) {
            result = input.CancelRead();
        } else {
            event.Wait();
            if (m_stop.load()) {
                input.CancelRead();
                break;
            }
            if (m_link.DevicePresent() == 0) {
                input.CancelRead();
                continue;
            }
            result = input.CheckRead();
            if (result.status == HidReadStatus::Pending) {
                // Woken by the search opening another interface: start over on that one.
                result = input.CancelRead();
            }
        }

        if (result.status == HidReadStatus::Completed) {
            const size_t bytes = std::min<size_t>(result.bytes, view.inputLength);
            if (const auto report = ParseEventReport(buffer, bytes)) {
                m_sink(report->code, report->value);
            }
        } else if (result.status == HidReadStatus::Failed) {
            failedGeneration = view.generation;
        }
    }
}

}  // namespace ventrio
