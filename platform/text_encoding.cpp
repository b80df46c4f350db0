#include "platform/text_encoding.h"

#include <array>

namespace ventrio {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Code points of bytes 0x80..0x9F in Windows-1252.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

const AnsiCodec* g_ansiCodec = nullptr;

}  // namespace

char32_t DecodeUtf8(std::string_view text, size_t& pos) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    int extra = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        cp = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        cp = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        cp = lead & 0x07;
        minimum = 0x10000;
    } else {
        ++pos;
        return kReplacement;
    }
    size_t i = pos + 1;
    for (int k = 0; k < extra; ++k, ++i) {
        if (i >= text.size() || (byte(i) & 0xC0) != 0x80) {
            pos = i;
            return kReplacement;
        }
        cp = (cp << 6) | (byte(i) & 0x3F);
    }
    pos = i;
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return kReplacement;
    }
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (size_t pos = 0; pos < utf8.size();) {
        const char32_t cp = DecodeUtf8(utf8, pos);
        if (cp >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (size_t i = 0; i < utf16.size(); ++i) {
        const char16_t unit = utf16[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (utf16[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            AppendUtf8(out, kReplacement);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

bool IsValidUtf8(std::string_view bytes) {
    for (size_t pos = 0; pos < bytes.size();) {
        const size_t start = pos;
        const char32_t cp = DecodeUtf8(bytes, pos);
        // A real U+FFFD is three bytes long; anything else decoding to it was ill-formed.
        if (cp == kReplacement && pos - start != 3) {
            return false;
        }
        if (cp == kReplacement && bytes.substr(start, 3) != "\xEF\xBF\xBD") {
            return false;
        }
    }
    return true;
}

size_t Utf16Length(std::string_view utf8) {
    size_t units = 0;
    for (size_t pos = 0; pos < utf8.size();) {
        units += DecodeUtf8(utf8, pos) >= 0x10000 ? 2 : 1;
    }
    return units;
}

std::string_view Utf16Prefix(std::string_view utf8, size_t units) {
    size_t pos = 0;
    size_t used = 0;
    while (pos < utf8.size()) {
        size_t next = pos;
        const size_t width = DecodeUtf8(utf8, next) >= 0x10000 ? 2 : 1;
        if (used + width > units) {
            break;
        }
        used += width;
        pos = next;
    }
    return utf8.substr(0, pos);
}

std::string Windows1252Codec::Decode(std::string_view bytes) const {
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        AppendUtf8(out, b >= 0x80 && b <= 0x9F ? kCp1252High[b - 0x80] : char32_t{b});
    }
    return out;
}

std::optional<std::string> Windows1252Codec::Encode(std::string_view utf8) const {
    std::string out;
    out.reserve(utf8.size());
    for (size_t pos = 0; pos < utf8.size();) {
        const size_t start = pos;
        const char32_t cp = DecodeUtf8(utf8, pos);
        if (cp == kReplacement && utf8.substr(start, pos - start) != "\xEF\xBF\xBD") {
            return std::nullopt;
        }
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += static_cast<char>(cp);
            continue;
        }
        bool found = false;
        for (size_t i = 0; i < kCp1252High.size(); ++i) {
            if (kCp1252High[i] == cp) {
                out += static_cast<char>(0x80 + i);
                found = true;
                break;
            }
        }
        if (!found) {
            return std::nullopt;
        }
    }
    return out;
}

const AnsiCodec& CurrentAnsiCodec() {
    static const Windows1252Codec fallback;
    return g_ansiCodec != nullptr ? *g_ansiCodec : fallback;
}

void SetAnsiCodec(const AnsiCodec* codec) {
    g_ansiCodec = codec;
}

}  // namespace ventrio
