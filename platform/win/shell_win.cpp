#include "platform/win/shell_win.h"

#include <windows.h>

#include <shellapi.h>

#include "platform/win/wide_text.h"

namespace ventrio {
namespace {

// ShellExecuteW reports success with a value above 32.
bool Succeeded(HINSTANCE result) {
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace

bool Win32Shell::Open(const std::string& target) {
    return Succeeded(
        ShellExecuteW(nullptr, L"open", Widen(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
}

bool Win32Shell::Launch(const std::filesystem::path& program) {
    return Succeeded(
        ShellExecuteW(nullptr, nullptr, program.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
}

uint16_t Win32Shell::NativeArchitecture() {
    SYSTEM_INFO info{};
    GetNativeSystemInfo(&info);
    return info.wProcessorArchitecture;
}

}  // namespace ventrio
