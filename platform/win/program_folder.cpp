#include <windows.h>

#include <vector>

#include "platform/files.h"

namespace ventrio {

std::filesystem::path ExecutableFolder() {
    static const std::filesystem::path folder = [] {
        // Paths longer than MAX_PATH exist; grow the buffer until the name fits.
        std::vector<wchar_t> buffer(1024);
        for (;;) {
            const DWORD length =
                GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
            if (length == 0) {
                return std::filesystem::current_path();
            }
            if (length < buffer.size()) {
                return std::filesystem::path(std::wstring(buffer.data(), length)).parent_path();
            }
            buffer.resize(buffer.size() * 2);
        }
    }();
    return folder;
}

}  // namespace ventrio
