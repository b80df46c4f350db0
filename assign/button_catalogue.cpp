#include "assign/button_catalogue.h"

namespace ventrio {
namespace {

constexpr size_t Field(size_t base, size_t button) {
    return base + button;
}

// The device key codes of the mouse buttons in the action words of functions 0 to 4.
constexpr uint8_t kLeft = 0xF0, kRight = 0xF1, kMiddle = 0xF2, kBackward = 0xF3, kForwardKey = 0xF4;

constexpr ActionWord kAdditionalWords[] = {
    {0x03, 0x00, 0x94, 0x01},  // consumer 0x0194: local machine browser
    {0x03, 0x00, 0x23, 0x02},  // consumer 0x0223: home
    {0x03, 0x00, 0x21, 0x02},  // consumer 0x0221: search
    {0x00, 0x04, 0x2C, 0x1B},  // Left Alt + Space, X: maximize
    {0x00, 0x04, 0x2C, 0x11},  // Left Alt + Space, N: minimize
    {0x00, 0x00, 0xE3, 0x07},  // Left Windows + D: show desktop
    {0x00, 0x00, 0xE3, 0x15},  // Left Windows + R: run
};

bool AnyOfFirstSixStagesEnabled(const ConfigRecord& record) {
    for (size_t stage = 1; stage <= 6; ++stage) {
        if (record[rec::StageEnabled(stage)] != 0) {
            return true;
        }
    }
    return false;
}

template <size_t N>
const CatalogueItem* FindByCode(const std::array<CatalogueItem, N>& items, int code) {
    for (const CatalogueItem& item : items) {
        if (item.code == code) {
            return &item;
        }
    }
    return nullptr;
}

}  // namespace

const std::array<CatalogueItem, 8>& MultimediaCommands() {
    static const std::array<CatalogueItem, 8> items = {{
        {2050, 0x83, {"Open Media Player", "Mediaplayer öffnen", "多媒体播放器", "開啟媒體播放器"}},
        {2051, 0xB5, {"Next Track", "Nächster Titel", "下一首", "下一首"}},
        {2052, 0xB6, {"Previous Track", "Vorheriger Titel", "上一首", "上一首"}},
        {2053, 0xB7, {"Stop", "Stopp", "停止", "停止"}},
        {2054, 0xCD, {"Play/Pause", "Play/Pause", "播放/暂停", "播放/暫停"}},
        {2055, 0xE2, {"Mute", "Stumm", "静音", "靜音"}},
        {2056, 0xE9, {"Volume Up", "Lautstärke +", "音量+", "提高音量"}},
        {2057, 0xEA, {"Volume Down", "Lautstärke -", "音量-", "降低音量"}},
    }};
    return items;
}

const std::array<CatalogueItem, 10>& BasicCommands() {
    static const std::array<CatalogueItem, 10> items = {{
        {2060, 0x11, {"New", "Neu", "新建", "新建"}},
        {2061, 0x1B, {"Cut", "Ausschneiden", "剪切", "剪下"}},
        {2062, 0x06, {"Copy", "Kopieren", "复制", "複製"}},
        {2063, 0x19, {"Paste", "Einfügen", "粘贴", "貼上"}},
        {2064, 0x16, {"Save", "Speichern", "保存", "儲存"}},
        {2065, 0x13, {"Print", "Drucken", "打印", "列印"}},
        {2066, 0x09, {"Find", "Suchen", "查找", "尋找"}},
        {2067, 0x1C, {"Redo", "Wiederherstellen", "重复", "重做"}},
        {2068, 0x1D, {"Undo", "Rückgängig machen", "撤销", "復原"}},
        {2069, 0x04, {"Select All", "Alles auswählen", "全选", "選擇全部"}},
    }};
    return items;
}

const std::array<CatalogueItem, 7>& AdditionalCommands() {
    static const std::array<CatalogueItem, 7> items = {{
        {2030, 0, {"My computer", "Arbeitsplatz", "我的电脑", "我的電腦"}},
        {2031, 1, {"Web Home", "Web: Startseite", "浏览器-主页", "首頁"}},
        {2032, 2, {"Search Computer", "Computer durchsuchen", "搜索", "搜尋程式及檔案"}},
        {2033, 3, {"Maximize", "Maximieren", "最大化", "最大化"}},
        {2034, 4, {"Minimize", "Minimieren", "最小化", "最小化"}},
        {2035, 5, {"Show desktop", "Desktop anzeigen", "显示桌面", "顯示桌面"}},
        {2036, 6, {"Run", "Ausführen", "运行", "運行"}},
    }};
    return items;
}

uint8_t BasicCommandCode(int index) {
    return index >= 0 && index < 10 ? BasicCommands()[static_cast<size_t>(index)].code : 0;
}

uint8_t MultimediaUsage(int index) {
    return index >= 0 && index < 8 ? MultimediaCommands()[static_cast<size_t>(index)].code : 0;
}

ActionWord EncodeButtonAction(const ConfigRecord& r, size_t button) {
    // Only buttons 0 to 6 have fields; any other index would read a neighbouring field or past
    // the record.
    if (button >= kButtonCount) {
        return {0, 0, 0, 0};
    }
    switch (r[Field(rec::kButtonFunction, button)]) {
        case kFunctionClick:
            return {0x01, 0x00, kLeft, 0x00};
        case kFunctionMenu:
            return {0x01, 0x00, kRight, 0x00};
        case kFunctionScroll:
            return {0x01, 0x00, kMiddle, 0x00};
        case kFunctionForward:
            return {0x01, 0x00, kForwardKey, 0x00};
        case kFunctionBack:
            return {0x01, 0x00, kBackward, 0x00};
        case kFunctionDoubleClick:
            return {0x0A, 0xF0, 0x1E, 0x02};
        case kFunctionDpi:
            // With no stage among the first six in the cycle there is nothing to switch to.
            if (!AnyOfFirstSixStagesEnabled(r)) {
                return {0, 0, 0, 0};
            }
            return {0x07, 0x00, r[Field(rec::kDpiAction, button)], 0x00};
        case kFunctionMultimedia: {
            const uint8_t code = r[Field(rec::kMultimediaCode, button)];
            // The only usage above 0xFF in the list, 0x0183, carries its high byte.
            return {0x03, 0x00, code, static_cast<uint8_t>(code == 0x83 ? 0x01 : 0x00)};
        }
        case kFunctionBasicCommand:
            return {0x00, 0x00, 0xE0, r[Field(rec::kBasicCommandKey, button)]};
        case kFunctionAdditionalCommand: {
            const uint8_t index = r[Field(rec::kAdditionalCommand, button)];
            return index < std::size(kAdditionalWords) ? kAdditionalWords[index]
                                                       : ActionWord{0, 0, 0, 0};
        }
        case kFunctionSingleKey:
            return {0x00, 0x00, r[Field(rec::kKeyCode, button)], 0x00};
        case kFunctionMacro:
            return {0x09, r[Field(rec::kMacroRunMode, button)],
                    static_cast<uint8_t>(r[Field(rec::kMacroIndex, button)] + 1), 0x00};
        default:
            return {0, 0, 0, 0};
    }
}

DeviceButtonTable BuildDeviceButtonTable(const ConfigRecord& record) {
    DeviceButtonTable table{};
    const auto put = [&table](size_t slot, const ActionWord& word) {
        std::copy(word.begin(), word.end(), table.begin() + 4 * slot);
    };
    for (size_t button = 0; button < kButtonCount; ++button) {
        // The mouse keeps its forward and back buttons in each other's slots.
        const size_t slot = button == 3 ? 4 : button == 4 ? 3 : button;
        put(slot, EncodeButtonAction(record, button));
    }
    put(14, {0x01, 0x00, 0xF7, 0x00});
    put(15, {0x01, 0x00, 0xF8, 0x00});
    return table;
}

std::string ComposeButtonLabel(const Localisation& localisation, uint8_t function, int parameter,
                               std::string_view name) {
    const TextTable& texts = localisation.texts;
    const Language language = ListLanguage(localisation.code);
    const auto listLabel = [&](const CatalogueItem* item) {
        return item != nullptr ? std::string(item->Label(language)) : std::string();
    };
    switch (function) {
        case kFunctionClick:
            return texts.Text(498);
        case kFunctionMenu:
            return texts.Text(499);
        case kFunctionScroll:
            return texts.Text(500);
        case kFunctionForward:
            return texts.Text(501);
        case kFunctionBack:
            return texts.Text(502);
        case kFunctionDoubleClick:
            return texts.Text(519);
        case kFunctionDpi:
            return parameter >= 1 && parameter <= 3
                       ? localisation.dpiLabels[static_cast<size_t>(parameter - 1)]
                       : std::string();
        case kFunctionMultimedia:
            return listLabel(FindByCode(MultimediaCommands(), parameter));
        case kFunctionBasicCommand:
            return listLabel(FindByCode(BasicCommands(), parameter));
        case kFunctionAdditionalCommand:
            return listLabel(FindByCode(AdditionalCommands(), parameter));
        case kFunctionSingleKey:
            return texts.Text(512) + "-" + std::string(name);
        case kFunctionMacro:
            return texts.Text(515) + ":" + std::string(name);
        case kFunctionDeactivated:
            return texts.Text(516);
        case kFunctionLeftTilt:
            return texts.Text(517);
        case kFunctionRightTilt:
            return texts.Text(518);
        case kFunctionFn:
            return "Fn";
        default:
            return {};
    }
}

bool IsLastClickButton(const ConfigRecord& record, size_t button) {
    if (button >= kButtonCount || record[Field(rec::kButtonFunction, button)] != kFunctionClick) {
        return false;
    }
    int clicks = 0;
    for (size_t i = 0; i < kButtonCount; ++i) {
        clicks += record[Field(rec::kButtonFunction, i)] == kFunctionClick ? 1 : 0;
    }
    return clicks == 1;
}

std::string FunctionName(uint8_t function) {
    switch (function) {
        case kFunctionClick:
            return "Click";
        case kFunctionMenu:
            return "Menu";
        case kFunctionScroll:
            return "Scroll";
        case kFunctionForward:
            return "Forward";
        case kFunctionBack:
            return "Back";
        case kFunctionDoubleClick:
            return "Double-click";
        case kFunctionDpi:
            return "DPI switching";
        case kFunctionMultimedia:
            return "Multimedia command";
        case kFunctionBasicCommand:
            return "Basic command";
        case kFunctionAdditionalCommand:
            return "Additional command";
        case kFunctionSingleKey:
            return "Single key";
        case kFunctionMacro:
            return "Macro";
        case kFunctionDeactivated:
            return "Deactivated";
        case kFunctionLeftTilt:
            return "Left tilt scroll";
        case kFunctionRightTilt:
            return "Right tilt scroll";
        case kFunctionFn:
            return "Fn";
        default:
            return "Unused (" + std::to_string(function) + ")";
    }
}

}  // namespace ventrio
