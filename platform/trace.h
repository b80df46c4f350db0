// The one channel for the program's debug lines. On Windows they go to OutputDebugStringW; natively
// they are dropped unless a sink is installed (ventrioctl --trace, tests).
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <string_view>

namespace ventrio {

using TraceSink = std::function<void(std::string_view text)>;

// Installs the process-wide sink and returns the previous one. An empty sink drops every line.
TraceSink SetTraceSink(TraceSink sink);

// Writes text exactly as given: the program's lines carry their own line breaks (or lack them).
void Trace(std::string_view text);

// printf-style formatting of a debug line.
void TraceF(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Collects everything traced while it lives, then puts the previous sink back.
class TraceCapture {
  public:
    TraceCapture();
    ~TraceCapture();
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    std::string Text() const;
    void Clear();

  private:
    mutable std::mutex m_mutex;
    std::string m_text;
    TraceSink m_previous;
};

}  // namespace ventrio
