// The INI engine against arbitrary files and arbitrary names and values: no crash, and every
// accepted write reads back as written, with no other section or key disturbed.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/ini_file.h"
#include "platform/text_encoding.h"

using ventrio::IniDocument;

namespace {

std::string Take(const uint8_t*& data, size_t& size) {
    const size_t length = size > 0 ? data[0] % 24 : 0;
    const size_t skip = size > 0 ? 1 : 0;
    const size_t available = size - skip;
    const size_t used = length < available ? length : available;
    std::string out(reinterpret_cast<const char*>(data + skip), used);
    data += skip + used;
    size -= skip + used;
    return out;
}

std::string Trimmed(std::string text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// What a value reads back as: ill-formed UTF-8 replaced, line breaks as blanks.
std::string WithoutBreaks(std::string text) {
    if (!ventrio::IsValidUtf8(text)) {
        text = ventrio::Utf16ToUtf8(ventrio::Utf8ToUtf16(text));
    }
    for (char& c : text) {
        if (c == '\r' || c == '\n' || c == '\0') {
            c = ' ';
        }
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string section = Take(data, size);
    std::string key = Take(data, size);
    std::string value = Take(data, size);
    const uint8_t op = size > 0 ? data[0] : 0;

    IniDocument doc = IniDocument::Parse({data, size});
    (void)doc.Find(section, key);
    const IniDocument reparsed = IniDocument::Parse(doc.Serialize());
    (void)reparsed;

    // A witness written first must survive whatever the fuzzed write does.
    doc.Write("Witness Section", "WitnessKey", "witness value");
    switch (op % 3) {
        case 0:
            if (doc.Write(section, key, value)) {
                const auto back = IniDocument::Parse(doc.Serialize()).Find(section, key);
                if (!back || *back != WithoutBreaks(value)) {
                    __builtin_trap();
                }
            }
            break;
        case 1:
            doc.DeleteKey(section, key);
            break;
        case 2:
            doc.DeleteSection(section);
            break;
    }
    const auto witness = IniDocument::Parse(doc.Serialize()).Find("Witness Section", "WitnessKey");
    const bool witnessTouched =
        ventrio::EqualsIgnoreCase(Trimmed(WithoutBreaks(section)), "Witness Section");
    if (!witnessTouched && witness != "witness value") {
        __builtin_trap();
    }
    return 0;
}
