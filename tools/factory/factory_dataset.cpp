#include "tools/factory/factory_dataset.h"

#include "app/localisation.h"
#include "config/config_files.h"
#include "platform/files.h"
#include "platform/ini_file.h"

namespace ventrio {
namespace {

constexpr uint8_t kStageUnits(int dpi) {
    return static_cast<uint8_t>(dpi / 50);
}

// Button functions of the factory buttons and the text entries that label them.
constexpr uint8_t kClick = 0, kMenu = 1, kScroll = 2, kForward = 3, kBack = 4, kDpi = 6;
constexpr uint8_t kDpiUp = 1, kDpiDown = 2;
constexpr int kFactoryLabelTexts[kButtonCount] = {498, 499, 500, 501, 502, 40, 41};
constexpr const char* kLanguages[] = {"EN", "DE", "CHS", "CHT"};
constexpr const char* kProfileName = "Profile 1";

std::string WriteIni(const std::filesystem::path& file,
                     const std::function<void(IniDocument&)>& fill) {
    IniDocument doc = IniDocument::Empty();
    fill(doc);
    const std::vector<uint8_t> bytes = doc.Serialize();
    if (const std::error_code error = WriteFileAtomic(file, bytes)) {
        return PathToUtf8(file) + ": " + error.message();
    }
    return {};
}

void WriteFactoryLabels(IniDocument& doc) {
    for (const char* code : kLanguages) {
        TextTable texts;
        texts.Load(code);
        for (size_t i = 0; i < kButtonCount; ++i) {
            doc.Write(texts.Text(0), "Item" + std::to_string(i + 1),
                      texts.Text(kFactoryLabelTexts[i]));
        }
    }
}

}  // namespace

const std::vector<FactoryField>& FactoryFields() {
    static const std::vector<FactoryField> fields = {
        {rec::kPollingDivisor, {1}, "1000 Hz"},
        {rec::kStageResolution,
         {kStageUnits(400), kStageUnits(800), kStageUnits(1600), kStageUnits(3200),
          kStageUnits(4800), kStageUnits(6400), kStageUnits(10800)},
         "DPI stages"},
        {rec::kStageEnabled, {1, 1, 1, 1, 0, 0, 0}, "the first four stages in the DPI cycle"},
        {rec::kStageColour,
         {0xFF, 0x20, 0x20,   // red
          0xFF, 0x8C, 0x00,   // orange
          0xFF, 0xE0, 0x00,   // yellow
          0x20, 0xE0, 0x40,   // green
          0x00, 0xC8, 0xFF,   // cyan
          0x30, 0x50, 0xFF,   // blue
          0xC0, 0x40, 0xFF},  // violet
         "stage colours"},
        {rec::kLightingMode, {1}, "standard lighting"},
        {rec::kLightingLevel, {4, 3, 3}, "lighting levels of the three modes"},
        {rec::kEnhancePrecision, {1}, "enhanced pointer precision on"},
        {rec::kPageScroll, {0}, "scroll by lines"},
        {rec::kPointerSpeed, {6}, "pointer speed level"},
        {rec::kScrollLines, {3}, "wheel scroll lines"},
        {rec::kDoubleClickSpeed, {6}, "double-click speed level"},
        {rec::kAngleSnap, {0}, "angle snapping off"},
        {rec::kXSensitivity, {5}, "X axis sensitivity"},
        {rec::kYSensitivity, {5}, "Y axis sensitivity"},
        {rec::kButtonFunction, {kClick, kMenu, kScroll, kForward, kBack, kDpi, kDpi}, "buttons"},
        {rec::kDpiAction, {0, 0, 0, 0, 0, kDpiUp, kDpiDown}, "DPI + and DPI - on buttons 6 and 7"},
    };
    return fields;
}

ConfigRecord FactoryRecord() {
    ConfigRecord record;
    for (const FactoryField& field : FactoryFields()) {
        std::copy(field.bytes.begin(), field.bytes.end(), record.bytes.begin() + field.offset);
    }
    return record;
}

std::string WriteFactoryDataSet(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        return PathToUtf8(folder) + ": " + error.message();
    }

    std::vector<uint8_t> configFile{1};
    const ConfigRecord record = FactoryRecord();
    configFile.insert(configFile.end(), record.bytes.begin(), record.bytes.end());
    std::vector<std::string> names = {kFactoryConfigName};
    for (int i = 0; i < 6; ++i) {
        names.push_back(ProfileConfigName(i));
    }
    for (const std::string& name : names) {
        if (const std::error_code written = WriteFileAtomic(folder / name, configFile)) {
            return name + ": " + written.message();
        }
    }

    std::string failure = WriteIni(folder / kBaseLabelName, [](IniDocument& doc) {
        doc.Write("Profile", "ItemCount", "1");
        doc.Write("Profile", "Item0", kProfileName);
        doc.Write("Profile", "CurProfileName", kProfileName);
        WriteFactoryLabels(doc);
    });
    for (int i = 0; i < 6 && failure.empty(); ++i) {
        failure = WriteIni(folder / ProfileLabelName(i), [](IniDocument& doc) {
            doc.Write("Skins", "Lan", "EN");
            WriteFactoryLabels(doc);
        });
    }
    if (failure.empty()) {
        failure = WriteIni(folder / kMacroStoreName, [](IniDocument& doc) {
            doc.Write("MacroName", "MacroCount", "0");
            doc.Write("MacroName", "0", "");
        });
    }
    return failure;
}

}  // namespace ventrio
