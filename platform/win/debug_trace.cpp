#include "platform/win/debug_trace.h"

#include <windows.h>

#include "platform/trace.h"
#include "platform/win/wide_text.h"

namespace ventrio {

void InstallDebugOutputTrace() {
    SetTraceSink([](std::string_view text) { OutputDebugStringW(Widen(text).c_str()); });
}

}  // namespace ventrio
