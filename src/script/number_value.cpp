#include <charconv>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <system_error>

#include "script/number_text.h"

namespace qel_morvak {

namespace {

// 0.D x 10^k with at most 781 digits is zero below 10^-330 and infinite above
// 10^309; clamping far outside that keeps the exponent text short.
constexpr std::int64_t EXPONENT_CLAMP = 100000;

char* write_exponent(char* out, std::int64_t exponent)
{
    if (exponent < 0) {
        *out++ = '-';
        exponent = -exponent;
    }
    char reversed[8];
    int length = 0;
    do {
        reversed[length++] = static_cast<char>('0' + exponent % 10);
        exponent /= 10;
    } while (exponent != 0);
    while (length > 0) {
        *out++ = reversed[--length];
    }
    return out;
}

}  // namespace

double number_value(const NumberText& number)
{
    if (number.digit_count == 0) {
        return number.negative ? -0.0 : 0.0;
    }
    std::int64_t exponent = number.exponent;
    if (exponent > EXPONENT_CLAMP) {
        exponent = EXPONENT_CLAMP;
    } else if (exponent < -EXPONENT_CLAMP) {
        exponent = -EXPONENT_CLAMP;
    }

    char text[NumberText::MAX_DIGITS + 16];
    char* out = text;
    if (number.negative) {
        *out++ = '-';
    }
    *out++ = '0';
    *out++ = '.';
    std::memcpy(out, number.digits, number.digit_count);
    out += number.digit_count;
    if (number.sticky) {
        // Any non-zero digit past the kept ones rounds the same as a final 1.
        *out++ = '1';
    }
    *out++ = 'e';
    out = write_exponent(out, exponent);

#if defined(__i386__) && defined(__GLIBC__)
    // The C++ library for 32-bit x86 is built for the x87 unit, and its
    // from_chars converts a short text by one multiplication in x87
    // registers, which rounds twice. glibc's strtod works in integers; it
    // overflows to an infinity and underflows to a subnormal or a zero, sign
    // kept, and the program never leaves the "C" locale, whose point is ".".
    *out = '\0';
    return std::strtod(text, nullptr);
#else
    double value = 0.0;
    const std::from_chars_result result = std::from_chars(text, out, value);
    if (result.ec == std::errc::result_out_of_range) {
        // The digits are not all zero, so the exponent tells which end it hit.
        value = exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        return number.negative ? -value : value;
    }
    return value;
#endif
}

}  // namespace qel_morvak
