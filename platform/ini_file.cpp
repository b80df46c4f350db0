#include "platform/ini_file.h"

#include <algorithm>
#include <climits>

#include "platform/files.h"
#include "platform/text_encoding.h"

namespace ventrio {
namespace {

// White space around names and values, as the C library's isspace has it: a stray carriage return
// at the end of a line is white space, so a rewrite that turns it into a line ending changes
// nothing a reader sees.
bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Simple case folding for the scripts a name is likely to use: Latin, Greek and Cyrillic.
char32_t FoldCase(char32_t c) {
    if (c < 0x80) {
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    }
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F)) {
        return c + 32;
    }
    if (c >= 0x400 && c <= 0x40F) {
        return c + 80;
    }
    if (c >= 0x100 && c <= 0x17F) {
        const bool oddLowerRange = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) {
            return c;
        }
        if (c == 0x178) {
            return 0xFF;
        }
        if (oddLowerRange) {
            return (c % 2 == 1) ? c + 1 : c;
        }
        return (c % 2 == 0) ? c + 1 : c;
    }
    return c;
}

std::optional<std::string_view> SectionNameOf(std::string_view line) {
    const std::string_view text = Trim(line);
    if (text.empty() || text.front() != '[') {
        return std::nullopt;
    }
    std::string_view rest = text.substr(1);
    const size_t close = rest.rfind(']');
    if (close != std::string_view::npos) {
        rest = rest.substr(0, close);
    }
    return Trim(rest);
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> KeyLineOf(std::string_view line) {
    const std::string_view text = Trim(line);
    if (text.empty() || text.front() == '[') {
        return std::nullopt;
    }
    const size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        return KeyLine{text, {}};
    }
    return KeyLine{Trim(text.substr(0, equals)), Trim(text.substr(equals + 1))};
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// Names and values as they will read back: ill-formed UTF-8 becomes U+FFFD (a file cannot hold it
// in every encoding) and line breaks become blanks.
std::string WithoutLineBreaks(std::string_view text) {
    std::string out = IsValidUtf8(text) ? std::string(text) : Utf16ToUtf8(Utf8ToUtf16(text));
    std::replace_if(
        out.begin(), out.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; }, ' ');
    return out;
}

// The inverse of the reader's trimming and unquoting.
std::string EncodeValue(std::string_view value) {
    std::string clean = WithoutLineBreaks(value);
    const bool altered = Trim(clean) != clean || Unquote(clean) != clean;
    return altered ? "\"" + clean + "\"" : clean;
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (FoldCase(DecodeUtf8(a, i)) != FoldCase(DecodeUtf8(b, j))) {
            return false;
        }
    }
    return i == a.size() && j == b.size();
}

long DecimalToLong(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        value = value > (LLONG_MAX - digit) / 10 ? LLONG_MAX : value * 10 + digit;
    }
    value = negative ? -value : value;
    return static_cast<long>(std::clamp<long long>(value, LONG_MIN, LONG_MAX));
}

IniDocument IniDocument::Empty() {
    return IniDocument{};
}

IniDocument IniDocument::Parse(std::span<const uint8_t> bytes) {
    IniDocument doc;
    std::string text;
    if (bytes.empty()) {
        return doc;  // an empty file is as good as a new one
    }
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        doc.m_encoding = IniEncoding::Utf16Le;
        std::u16string units;
        units.reserve(bytes.size() / 2);
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            units += static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
        }
        text = Utf16ToUtf8(units);
    } else {
        std::string_view raw(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        if (raw.starts_with("\xEF\xBB\xBF")) {
            doc.m_encoding = IniEncoding::Utf8Bom;
            raw.remove_prefix(3);
            text = Utf16ToUtf8(Utf8ToUtf16(raw));
        } else if (IsAscii(raw)) {
            doc.m_encoding = IniEncoding::Ascii;
            text = raw;
        } else if (IsValidUtf8(raw)) {
            doc.m_encoding = IniEncoding::Utf8;
            text = raw;
        } else {
            doc.m_encoding = IniEncoding::Ansi;
            text = CurrentAnsiCodec().Decode(raw);
        }
    }

    const size_t firstBreak = text.find('\n');
    doc.m_newline =
        (firstBreak != std::string::npos && firstBreak > 0 && text[firstBreak - 1] == '\r') ? "\r\n"
        : firstBreak != std::string::npos                                                   ? "\n"
                                          : "\r\n";
    doc.m_finalNewline = !text.empty() && text.back() == '\n';
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        doc.m_lines.push_back(std::move(line));
        start = end + 1;
    }
    return doc;
}

std::vector<uint8_t> IniDocument::Serialize() const {
    std::string text;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        text += m_lines[i];
        if (i + 1 < m_lines.size() || m_finalNewline) {
            text += m_newline;
        }
    }

    IniEncoding encoding = m_encoding;
    std::string narrow;
    if (encoding == IniEncoding::Ascii && !IsAscii(text)) {
        encoding = IniEncoding::Utf16Le;
    } else if (encoding == IniEncoding::Ansi) {
        auto encoded = CurrentAnsiCodec().Encode(text);
        // Bytes that happen to form valid UTF-8 (once the lines that made the file invalid UTF-8
        // are gone) would be read back as UTF-8 and change meaning; such text goes to UTF-16.
        if (encoded && (IsAscii(*encoded) || !IsValidUtf8(*encoded))) {
            narrow = std::move(*encoded);
        } else {
            encoding = IniEncoding::Utf16Le;
        }
    }

    std::string out;
    switch (encoding) {
        case IniEncoding::Utf16Le:
            out = "\xFF\xFE";
            for (const char16_t unit : Utf8ToUtf16(text)) {
                out += static_cast<char>(unit & 0xFF);
                out += static_cast<char>(unit >> 8);
            }
            break;
        case IniEncoding::Utf8Bom:
            out = "\xEF\xBB\xBF" + text;
            break;
        case IniEncoding::Ansi:
            out = std::move(narrow);
            break;
        case IniEncoding::Utf8:
        case IniEncoding::Ascii:
            out = std::move(text);
            break;
    }
    return std::vector<uint8_t>(out.begin(), out.end());
}

std::optional<IniDocument::SectionRange> IniDocument::FindSection(std::string_view section) const {
    const std::string wanted = WithoutLineBreaks(section);
    const std::string_view name = Trim(wanted);
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const auto found = SectionNameOf(m_lines[i]);
        if (found && EqualsIgnoreCase(*found, name)) {
            size_t end = i + 1;
            while (end < m_lines.size() && !SectionNameOf(m_lines[end])) {
                ++end;
            }
            return SectionRange{i, end};
        }
    }
    return std::nullopt;
}

std::optional<size_t> IniDocument::FindKey(const SectionRange& range, std::string_view key) const {
    const std::string wanted = WithoutLineBreaks(key);
    const std::string_view name = Trim(wanted);
    for (size_t i = range.header + 1; i < range.end; ++i) {
        const auto line = KeyLineOf(m_lines[i]);
        if (line && EqualsIgnoreCase(line->key, name)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const {
    const auto range = FindSection(section);
    if (!range) {
        return std::nullopt;
    }
    const auto index = FindKey(*range, key);
    if (!index) {
        return std::nullopt;
    }
    const std::string_view value = Unquote(KeyLineOf(m_lines[*index])->value);
    return std::string(Utf16Prefix(value, kMaxValueLength));
}

bool IniDocument::Write(std::string_view section, std::string_view key, std::string_view value) {
    const std::string cleanKey = WithoutLineBreaks(key);
    const std::string_view trimmedKey = Trim(cleanKey);
    if (trimmedKey.empty() || trimmedKey.front() == '[' ||
        trimmedKey.find('=') != std::string_view::npos) {
        return false;
    }
    const std::string line = std::string(trimmedKey) + "=" + EncodeValue(value);

    m_finalNewline = true;
    const auto range = FindSection(section);
    if (!range) {
        m_lines.push_back("[" + std::string(Trim(WithoutLineBreaks(section))) + "]");
        m_lines.push_back(line);
        return true;
    }
    if (const auto index = FindKey(*range, key)) {
        m_lines[*index] = line;
        return true;
    }
    size_t after = range->header;
    for (size_t i = range->header + 1; i < range->end; ++i) {
        if (!Trim(m_lines[i]).empty()) {
            after = i;
        }
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(after + 1), line);
    return true;
}

bool IniDocument::DeleteKey(std::string_view section, std::string_view key) {
    const auto range = FindSection(section);
    if (!range) {
        return false;
    }
    const auto index = FindKey(*range, key);
    if (!index) {
        return false;
    }
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(*index));
    return true;
}

bool IniDocument::DeleteSection(std::string_view section) {
    const auto range = FindSection(section);
    if (!range) {
        return false;
    }
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(range->header),
                  m_lines.begin() + static_cast<std::ptrdiff_t>(range->end));
    return true;
}

namespace {

std::optional<IniDocument> LoadDocument(const std::filesystem::path& path) {
    const auto bytes = ReadFileBytes(path);
    if (!bytes) {
        return std::nullopt;
    }
    return IniDocument::Parse(*bytes);
}

bool StoreDocument(const std::filesystem::path& path, const IniDocument& doc) {
    const std::vector<uint8_t> bytes = doc.Serialize();
    return !WriteFileAtomic(path, bytes);
}

// A missing file edits as an empty one; an unreadable one is left alone.
std::optional<IniDocument> LoadForEdit(const std::filesystem::path& path) {
    if (auto doc = LoadDocument(path)) {
        return doc;
    }
    if (FileExists(path)) {
        return std::nullopt;
    }
    return IniDocument::Empty();
}

}  // namespace

std::optional<IniDocument> IniFile::Load() const {
    return LoadDocument(m_path);
}

std::optional<std::string> IniFile::Find(std::string_view section, std::string_view key) const {
    const auto doc = LoadDocument(m_path);
    return doc ? doc->Find(section, key) : std::nullopt;
}

std::string IniFile::GetString(std::string_view section, std::string_view key,
                               std::string_view fallback) const {
    auto value = Find(section, key);
    return value ? std::move(*value) : std::string(fallback);
}

bool IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    auto doc = LoadForEdit(m_path);
    return doc && doc->Write(section, key, value) && StoreDocument(m_path, *doc);
}

bool IniFile::Edit(const std::function<bool(IniDocument&)>& edit) {
    auto doc = LoadForEdit(m_path);
    return doc && edit(*doc) && StoreDocument(m_path, *doc);
}

bool IniFile::DeleteKey(std::string_view section, std::string_view key) {
    auto doc = LoadDocument(m_path);
    if (!doc || !doc->DeleteKey(section, key)) {
        return true;  // nothing to remove is not a failure
    }
    return StoreDocument(m_path, *doc);
}

bool IniFile::DeleteSection(std::string_view section) {
    auto doc = LoadDocument(m_path);
    if (!doc || !doc->DeleteSection(section)) {
        return true;
    }
    return StoreDocument(m_path, *doc);
}

}  // namespace ventrio
