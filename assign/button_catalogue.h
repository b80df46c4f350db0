// What a mouse button can be made to do: the function codes, the record field each function keeps
// its parameter in, the menu command that selects it, its label, and the four-byte action word
// that represents it in the device button table.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/localisation.h"
#include "config/config_record.h"

namespace ventrio {

// Button function codes (record field ButtonFunction). 12 and 14 are never produced.
enum ButtonFunction : uint8_t {
    kFunctionClick = 0,
    kFunctionMenu = 1,
    kFunctionScroll = 2,
    kFunctionForward = 3,
    kFunctionBack = 4,
    kFunctionDoubleClick = 5,
    kFunctionDpi = 6,
    kFunctionMultimedia = 7,
    kFunctionBasicCommand = 8,
    kFunctionAdditionalCommand = 9,
    kFunctionSingleKey = 10,
    kFunctionMacro = 11,
    kFunctionDeactivated = 13,
    kFunctionLeftTilt = 15,
    kFunctionRightTilt = 16,
    kFunctionFn = 17,
};

// Menu command ids that select a function.
namespace cmd {
inline constexpr int kClick = 2001;  // 2001 to 2006: functions 0 to 5
inline constexpr int kDoubleClick = 2006;
inline constexpr int kLeftTilt = 2007;
inline constexpr int kRightTilt = 2008;
inline constexpr int kFn = 2009;
inline constexpr int kSingleKey = 2011;
inline constexpr int kMacro = 2012;
inline constexpr int kDeactivated = 2013;
inline constexpr int kDpiFirst = 2020;  // 2020 to 2022: DPI +, DPI -, DPI Loop
inline constexpr int kDpiLast = 2022;
inline constexpr int kAdditionalFirst = 2030;  // 2030 to 2036
inline constexpr int kAdditionalLast = 2036;
inline constexpr int kMultimediaFirst = 2050;  // 2050 to 2057
inline constexpr int kMultimediaLast = 2057;
inline constexpr int kBasicFirst = 2060;  // 2060 to 2069
inline constexpr int kBasicLast = 2069;
}  // namespace cmd

// DpiAction values.
inline constexpr uint8_t kDpiUp = 1;
inline constexpr uint8_t kDpiDown = 2;
inline constexpr uint8_t kDpiLoop = 3;

// One entry of a per-language command list; labels in Language order.
struct CatalogueItem {
    int command;
    uint8_t code;  // MultimediaCode, BasicCommandKey, or the AdditionalCommand index
    std::array<const char*, 4> labels;

    const char* Label(Language language) const { return labels[static_cast<size_t>(language)]; }
};

const std::array<CatalogueItem, 8>& MultimediaCommands();
const std::array<CatalogueItem, 10>& BasicCommands();
const std::array<CatalogueItem, 7>& AdditionalCommands();

// Index into the basic-command list to its key usage; 0 outside 0 to 9.
uint8_t BasicCommandCode(int index);
// Index into the multimedia list to its consumer usage's low byte; 0 outside 0 to 7.
uint8_t MultimediaUsage(int index);

using ActionWord = std::array<uint8_t, 4>;
inline constexpr size_t kDeviceButtonTableSize = 128;
using DeviceButtonTable = std::array<uint8_t, kDeviceButtonTableSize>;

// Button i's four-byte action word from the record's per-button fields.
ActionWord EncodeButtonAction(const ConfigRecord& record, size_t button);

// 32 action words: buttons 0 to 6 in slots 0 to 6 with buttons 3 and 4 swapped, fixed words in
// slots 14 and 15, zeros elsewhere.
DeviceButtonTable BuildDeviceButtonTable(const ConfigRecord& record);

// The label a button shows for a function. `parameter` is the value of the function's parameter
// field (DpiAction, MultimediaCode, BasicCommandKey or AdditionalCommand); `name` is the captured
// key name (function 10) or the macro name (function 11).
std::string ComposeButtonLabel(const Localisation& localisation, uint8_t function, int parameter,
                               std::string_view name = {});

// True when button i holds Click and is the only button that does: its menu must not open.
bool IsLastClickButton(const ConfigRecord& record, size_t button);

// An English name of a function code, for tools and traces ("Click", "Macro", "Unused (12)").
std::string FunctionName(uint8_t function);

}  // namespace ventrio
