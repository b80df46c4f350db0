#include "app/localisation.h"

#include "app/text_table_data.h"
#include "platform/ini_file.h"

namespace ventrio {
namespace {

const std::string& EmptyText() {
    static const std::string empty;
    return empty;
}

}  // namespace

bool IsLanguage(std::string_view code, std::string_view language) {
    return code == language;
}

Language ListLanguage(std::string_view code) {
    if (IsLanguage(code, "CHS")) {
        return Language::SimplifiedChinese;
    }
    if (IsLanguage(code, "CHT")) {
        return Language::TraditionalChinese;
    }
    if (IsLanguage(code, "DE")) {
        return Language::German;
    }
    return Language::English;
}

std::string LoadLanguageCode(const std::filesystem::path& labelFile) {
    if (labelFile.empty()) {
        return {};
    }
    return IniFile(labelFile).GetString("Skins", "Lan");
}

void TextTable::Load(std::string_view languageCode) {
    m_texts.fill(std::string());
    for (const CommonText& entry : CommonTexts()) {
        m_texts[static_cast<size_t>(entry.number)] = entry.text;
    }
    int column = -1;
    if (IsLanguage(languageCode, "CHS")) {
        column = static_cast<int>(Language::SimplifiedChinese);
    } else if (IsLanguage(languageCode, "CHT")) {
        column = static_cast<int>(Language::TraditionalChinese);
    } else if (IsLanguage(languageCode, "EN")) {
        column = static_cast<int>(Language::English);
    } else if (IsLanguage(languageCode, "DE")) {
        column = static_cast<int>(Language::German);
    }
    if (column < 0) {
        return;
    }
    for (const LocalisedText& entry : LocalisedTexts()) {
        const char* text = entry.texts[static_cast<size_t>(column)];
        if (text != nullptr) {
            m_texts[static_cast<size_t>(entry.number)] = text;
        }
    }
}

const std::string& TextTable::Text(int entry) const {
    if (entry < 0 || entry >= kTextTableSize) {
        return EmptyText();
    }
    return m_texts[static_cast<size_t>(entry)];
}

std::string_view FontFace(std::string_view code) {
    return IsLanguage(code, "CHS") || IsLanguage(code, "CHT") ? "黑体" : "Arial";
}

MainWindowFonts MainWindowFontsFor(std::string_view code) {
    MainWindowFonts fonts;
    fonts.face = FontFace(code);
    if (IsLanguage(code, "CHT")) {
        fonts.mainCharset = 0;
    }
    return fonts;
}

void Localisation::Load(std::string_view languageCode) {
    code = languageCode;
    texts.Load(languageCode);
}

void Localisation::CopyDpiLabelsFromTexts() {
    for (size_t i = 0; i < dpiLabels.size(); ++i) {
        dpiLabels[i] = texts.Text(40 + static_cast<int>(i));
    }
}

Localisation& ProgramLocalisation() {
    static Localisation localisation;
    return localisation;
}

const std::string& Text(int entry) {
    return ProgramLocalisation().texts.Text(entry);
}

}  // namespace ventrio
