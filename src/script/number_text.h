#pragma once

#include <cstddef>
#include <cstdint>

#include "script/byte_source.h"

namespace qel_morvak {

// A number's text as the script delimits it, reduced to bounded size:
// value = sign 0.DIGITS x 10^exponent. Correct rounding of any decimal to a
// double never needs more than 768 significant digits, so later ones only
// leave a sticky mark that says whether any of them was non-zero.
struct NumberText {
    static constexpr std::size_t MAX_DIGITS = 780;

    bool negative;
    bool sticky;
    std::size_t digit_count;
    std::int64_t exponent;
    char digits[MAX_DIGITS];
};

// Reads the longest number at the source: optional sign, digits, optional
// "." and digits (one digit at least), then, after a digit only, an optional
// "e"/"E", optional sign and digits (none counts as exponent 0). Leaves the
// first byte that does not fit unread. False when no number starts here.
// Memory is constant and time linear, whatever the length of the text.
bool scan_number(ByteSource& source, NumberText& number);

// The double nearest to the number, ties to even; never a NaN.
double number_value(const NumberText& number);

}  // namespace qel_morvak
