// The raw entries of the text table; app/text_table.h is the interface the program uses.
#pragma once

#include <array>
#include <vector>

namespace ventrio {

struct CommonText {
    int number;
    const char* text;
};

// Columns in the order English, German, Simplified Chinese, Traditional Chinese; nullptr where a
// language leaves the entry empty.
struct LocalisedText {
    int number;
    std::array<const char*, 4> texts;
};

const std::vector<CommonText>& CommonTexts();
const std::vector<LocalisedText>& LocalisedTexts();

}  // namespace ventrio
