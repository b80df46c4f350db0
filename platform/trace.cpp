#include "platform/trace.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace ventrio {
namespace {

std::mutex& SinkMutex() {
    static std::mutex mutex;
    return mutex;
}

TraceSink& Sink() {
    static TraceSink sink;
    return sink;
}

}  // namespace

TraceSink SetTraceSink(TraceSink sink) {
    std::lock_guard lock(SinkMutex());
    TraceSink previous = std::move(Sink());
    Sink() = std::move(sink);
    return previous;
}

void Trace(std::string_view text) {
    std::lock_guard lock(SinkMutex());
    if (Sink()) {
        Sink()(text);
    }
}

void TraceF(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length > 0) {
        std::vector<char> buffer(static_cast<size_t>(length) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, args);
        Trace(std::string_view(buffer.data(), static_cast<size_t>(length)));
    }
    va_end(args);
}

TraceCapture::TraceCapture() {
    m_previous = SetTraceSink([this](std::string_view text) {
        std::lock_guard lock(m_mutex);
        m_text.append(text);
    });
}

TraceCapture::~TraceCapture() {
    SetTraceSink(std::move(m_previous));
}

std::string TraceCapture::Text() const {
    std::lock_guard lock(m_mutex);
    return m_text;
}

void TraceCapture::Clear() {
    std::lock_guard lock(m_mutex);
    m_text.clear();
}

}  // namespace ventrio
