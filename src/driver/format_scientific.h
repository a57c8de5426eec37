#pragma once

#include <string_view>

namespace qel_morvak {

// One number as the report prints it: an optional sign ("-", or a blank in
// the blank-signed form) and a 13-character body "d.dddddde+ddd", or a fixed
// body for infinities and NaNs.
struct ScientificText {
    char chars[16];
    unsigned char size;
};

// The exact decimal value is cut after its 18th significant digit, rounded
// half up to 17 digits and then half up to 7.
ScientificText format_scientific(double value, bool blank_signed);

inline std::string_view text_of(const ScientificText& text)
{
    return {text.chars, text.size};
}

}  // namespace qel_morvak
