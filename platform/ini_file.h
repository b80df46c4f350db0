// An INI engine with the semantics of the Windows private-profile functions, so that the program
// behaves the same on every platform and with every file encoding.
//
// Semantics kept from Windows: section and key names compare without regard to case and without
// surrounding white space; the first matching section and, inside it, the first matching key win; a new
// section is appended at the end of the file and a new key after the last non-blank line of its
// section; every other line of the file is kept byte for byte; values are read without surrounding
// blanks and without one pair of enclosing quotes, and cut at 1023 characters; the first write
// creates the file.
//
// Encodings: a file is read as UTF-16LE or UTF-8 when it starts with that byte-order mark,
// otherwise as UTF-8 when it is valid UTF-8 and in the ANSI code page when it is not. A new file is
// written as UTF-16LE with a byte-order mark. A rewrite keeps the file's encoding unless a
// character would be lost (or a BOM-less file would turn from plain ASCII into something a Windows
// reader would take for the ANSI code page); such a file is rewritten as UTF-16LE with a byte-order
// mark.
//
// Structure is never injected: no name or value can create, hide or end a line, section or key.
//   - Line breaks (CR, LF) and NUL in section names, keys and values are written as blanks.
//   - A section header is read up to its last "]", so a name holding "]" or "[" round-trips.
//   - A key holding "=" or starting with "[" cannot be written (the write is refused); the
//   program's
//     keys are fixed words, so this only guards against misuse.
//   - A value that a reader would alter (surrounding blanks, or enclosed in a pair of quotes) is
//     written inside double quotes, which the reader removes again, so every value round-trips.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ventrio {

enum class IniEncoding { Utf16Le, Utf8Bom, Utf8, Ascii, Ansi };

// The parsed text of one INI file; every operation works line by line on it.
class IniDocument {
  public:
    static constexpr size_t kMaxValueLength = 1023;

    static IniDocument Parse(std::span<const uint8_t> bytes);
    static IniDocument Empty();
    std::vector<uint8_t> Serialize() const;

    std::optional<std::string> Find(std::string_view section, std::string_view key) const;
    // Each returns whether the document changed (Write also fails on a refused key).
    bool Write(std::string_view section, std::string_view key, std::string_view value);
    bool DeleteKey(std::string_view section, std::string_view key);
    bool DeleteSection(std::string_view section);

    IniEncoding Encoding() const { return m_encoding; }

  private:
    struct SectionRange {
        size_t header;
        size_t end;  // one past the section's last line
    };
    std::optional<SectionRange> FindSection(std::string_view section) const;
    std::optional<size_t> FindKey(const SectionRange& range, std::string_view key) const;

    std::vector<std::string> m_lines;
    IniEncoding m_encoding = IniEncoding::Utf16Le;
    std::string m_newline = "\r\n";
    bool m_finalNewline = true;
};

// The private-profile functions on one file path: each call reads the file and each change
// replaces it atomically.
class IniFile {
  public:
    explicit IniFile(std::filesystem::path path) : m_path(std::move(path)) {}

    const std::filesystem::path& Path() const { return m_path; }

    // The whole file parsed; nullopt when it is missing or cannot be read.
    std::optional<IniDocument> Load() const;

    std::optional<std::string> Find(std::string_view section, std::string_view key) const;
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view fallback = {}) const;
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    bool DeleteKey(std::string_view section, std::string_view key);
    bool DeleteSection(std::string_view section);

    // Several changes in one rewrite of the file, so that they land together or not at all.
    // `edit` returns false to abandon the change; a missing file starts empty. A file that exists
    // but cannot be read is never replaced: the change fails instead of losing its contents.
    bool Edit(const std::function<bool(IniDocument&)>& edit);

  private:
    std::filesystem::path m_path;
};

// The C library's decimal rule (atoi): leading blanks, an optional sign, then digits; anything
// else ends the number and no digits give 0. Saturates instead of overflowing.
long DecimalToLong(std::string_view text);

// Case-insensitive equality of the kind Windows uses for section and key names.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace ventrio
