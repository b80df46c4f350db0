// Conversions between the program's UTF-8 strings and the encodings found in files and at the
// Windows API boundary.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ventrio {

// Ill-formed input becomes U+FFFD; nothing is dropped silently.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);
bool IsValidUtf8(std::string_view bytes);

// Number of UTF-16 code units the text takes (the unit Windows counts characters in).
size_t Utf16Length(std::string_view utf8);
// The longest prefix of at most `units` UTF-16 code units that does not split a character.
std::string_view Utf16Prefix(std::string_view utf8, size_t units);

// The system's ANSI code page, used for files that carry no byte-order mark and are not UTF-8.
class AnsiCodec {
  public:
    virtual ~AnsiCodec() = default;
    virtual std::string Decode(std::string_view bytes) const = 0;
    // nullopt when a character has no representation in the code page.
    virtual std::optional<std::string> Encode(std::string_view utf8) const = 0;
};

// Windows-1252, the default: the five bytes the code page leaves undefined map to the C1 controls
// of the same value, as Windows does, so that every byte survives a round trip.
class Windows1252Codec final : public AnsiCodec {
  public:
    std::string Decode(std::string_view bytes) const override;
    std::optional<std::string> Encode(std::string_view utf8) const override;
};

// The codec the INI engine uses; the Windows build installs the system code page at start-up.
const AnsiCodec& CurrentAnsiCodec();
void SetAnsiCodec(const AnsiCodec* codec);  // nullptr restores Windows-1252

// Decodes one code point from `text` at `pos`, advancing it; ill-formed bytes give U+FFFD.
char32_t DecodeUtf8(std::string_view text, size_t& pos);
void AppendUtf8(std::string& out, char32_t codePoint);

}  // namespace ventrio
