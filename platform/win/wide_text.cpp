#include "platform/win/wide_text.h"

#include "platform/text_encoding.h"

namespace ventrio {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

std::wstring Widen(std::string_view utf8) {
    const std::u16string units = Utf8ToUtf16(utf8);
    return std::wstring(units.begin(), units.end());
}

std::string Narrow(std::wstring_view utf16) {
    return Utf16ToUtf8(
        std::u16string_view(reinterpret_cast<const char16_t*>(utf16.data()), utf16.size()));
}

}  // namespace ventrio
