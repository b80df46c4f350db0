// The interface language: the language code, the text table it selects, the DPI labels and the
// font faces that go with it.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace ventrio {

// The four languages in the column order of every per-language list of the program.
enum class Language { English = 0, German = 1, SimplifiedChinese = 2, TraditionalChinese = 3 };

inline constexpr int kTextTableSize = 590;

// Exact, case-sensitive comparison of the code with "CHS", "CHT", "DE" or "EN".
bool IsLanguage(std::string_view code, std::string_view language);

// The per-language lists and dialog texts: "CHS", "CHT" and "DE" pick theirs, every other code
// (the empty one and unknown ones included) English.
Language ListLanguage(std::string_view code);

// The code stored under key "Lan" of section "Skins" of a label file; empty when missing.
std::string LoadLanguageCode(const std::filesystem::path& labelFile);

class TextTable {
  public:
    // Fills the entries common to every language, then those of the code's language; an unknown
    // code leaves every other entry empty.
    void Load(std::string_view languageCode);
    // The entry in the loaded language; empty for an entry the language leaves out.
    const std::string& Text(int entry) const;

  private:
    std::array<std::string, kTextTableSize> m_texts;
};

// Face names the windows choose by language: "黑体" for the Chinese codes, "Arial" otherwise.
std::string_view FontFace(std::string_view code);

// The two fonts of the main window: both 13 units high, swiss family, default pitch.
struct MainWindowFonts {
    std::string_view face;
    int height = 13;
    int mainWeight = 400;
    int mainCharset = 1;    // DEFAULT_CHARSET; ANSI_CHARSET (0) for "CHT"
    int secondWeight = 0;   // any weight
    int secondCharset = 1;  // DEFAULT_CHARSET
    int pitchAndFamily = 0x20;
};
MainWindowFonts MainWindowFontsFor(std::string_view code);

// The process-wide language state, filled once at start-up.
struct Localisation {
    std::string code;
    TextTable texts;
    // The labels of the three DPI actions; start-up overwrites them with texts 40 to 42.
    std::array<std::string, 3> dpiLabels = {"DPI +", "DPI -", "DPI Loop"};

    void Load(std::string_view languageCode);
    void CopyDpiLabelsFromTexts();
};

Localisation& ProgramLocalisation();
// Entry `entry` of the program's text table.
const std::string& Text(int entry);

}  // namespace ventrio
