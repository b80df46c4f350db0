#include "platform/win/ansi_codec_win.h"

#include <windows.h>

#include "platform/win/wide_text.h"

namespace ventrio {

std::string SystemAnsiCodec::Decode(std::string_view bytes) const {
    if (bytes.empty()) {
        return {};
    }
    const int size = static_cast<int>(bytes.size());
    const int units = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    if (units <= 0) {
        return Windows1252Codec().Decode(bytes);
    }
    std::wstring wide(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, wide.data(), units);
    return Narrow(wide);
}

std::optional<std::string> SystemAnsiCodec::Encode(std::string_view utf8) const {
    if (utf8.empty()) {
        return std::string();
    }
    const std::wstring wide = Widen(utf8);
    const int units = static_cast<int>(wide.size());
    // No best-fit replacements: a character the code page lacks must make the caller choose
    // another encoding, not turn into a look-alike.
    BOOL lost = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), units, nullptr,
                                         0, nullptr, &lost);
    if (size <= 0 || lost) {
        return std::nullopt;
    }
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), units, bytes.data(), size,
                        nullptr, &lost);
    if (lost) {
        return std::nullopt;
    }
    return bytes;
}

void InstallSystemAnsiCodec() {
    static const SystemAnsiCodec codec;
    SetAnsiCodec(&codec);
}

}  // namespace ventrio
