#include "driver/format_scientific.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace qel_morvak {

namespace {

constexpr std::uint64_t SIGN_BIT = 0x8000000000000000u;
constexpr std::uint64_t QUIET_BIT = 0x0008000000000000u;
constexpr std::uint64_t DEFAULT_NAN = 0xFFF8000000000000u;

// Digits of the exact decimal expansion that the two roundings look at.
constexpr int KEPT_DIGITS = 18;

// Digits asked of the standard library's correctly rounded conversion. Its
// first 18 digits are the exact ones cut after the 18th unless its rounding
// carried into them, which leaves every digit after the 18th a zero.
constexpr int PROBE_DIGITS = 32;

// Every double's exact decimal expansion has at most 767 significant digits.
constexpr int EXACT_DIGITS = 767;

// Rounds digits[0..count) half up on digits[count]; true on a carry out of
// the first digit, which leaves a 1 followed by zeros.
bool round_half_up(char* digits, int count)
{
    if (digits[count] < '5') {
        return false;
    }
    for (int i = count - 1; i >= 0; --i) {
        if (digits[i] != '9') {
            ++digits[i];
            return false;
        }
        digits[i] = '0';
    }
    digits[0] = '1';
    return true;
}

// True when the exact decimal expansion has at most PROBE_DIGITS significant
// digits, so that the probe cannot have rounded. With the value m * 2^e, m odd,
// an integer below 10^31 qualifies, and for e < 0 so does m * 5^-e below 2^106
// (10^32 > 2^106), counted with log2(5) < 2.322.
bool fits_probe(double magnitude)
{
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(magnitude);
    const int biased = static_cast<int>(bits >> 52);
    std::uint64_t significand = bits & 0x000FFFFFFFFFFFFFu;
    int exponent = biased - 1075;
    if (biased == 0) {
        exponent = -1074;
    } else {
        significand |= 0x0010000000000000u;
    }
    const int zeros = std::countr_zero(significand);
    significand >>= zeros;
    exponent += zeros;
    if (exponent >= 0) {
        return magnitude < 1e31;
    }
    const int fives_bits = (-exponent * 2322 + 999) / 1000;
    return std::bit_width(significand) + fives_bits <= 106;
}

// Writes the first KEPT_DIGITS exact significant digits of a finite positive
// value into digits and returns the decimal exponent of the first one.
int exact_leading_digits(double magnitude, char* digits)
{
    char text[EXACT_DIGITS + 16];
    std::to_chars_result result = std::to_chars(
        text, text + sizeof text, magnitude, std::chars_format::scientific, PROBE_DIGITS - 1);
    bool carried = true;
    for (int i = KEPT_DIGITS + 1; i <= PROBE_DIGITS; ++i) {
        if (text[i] != '0') {  // text[1] is the decimal point
            carried = false;
            break;
        }
    }
    if (carried && !fits_probe(magnitude)) {
        // A zero tail may be exact or the trace of a carry: ask for every digit.
        result = std::to_chars(
            text, text + sizeof text, magnitude, std::chars_format::scientific, EXACT_DIGITS - 1);
    }
    digits[0] = text[0];
    std::memcpy(digits + 1, text + 2, KEPT_DIGITS - 1);

    // The exponent ends the text: "e", its sign and two or three digits.
    const char* const marker = result.ptr[-4] == 'e' ? result.ptr - 4 : result.ptr - 5;
    int exponent = 0;
    std::from_chars(marker + 2, result.ptr, exponent);
    return marker[1] == '-' ? -exponent : exponent;
}

void write_body(char* out, const char* digits, int exponent)
{
    out[0] = digits[0];
    out[1] = '.';
    std::memcpy(out + 2, digits + 1, 6);
    out[8] = 'e';
    out[9] = exponent < 0 ? '-' : '+';
    const int magnitude = exponent < 0 ? -exponent : exponent;
    out[10] = static_cast<char>('0' + magnitude / 100);
    out[11] = static_cast<char>('0' + magnitude / 10 % 10);
    out[12] = static_cast<char>('0' + magnitude % 10);
}

}  // namespace

ScientificText format_scientific(double value, bool blank_signed)
{
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    ScientificText text{};
    char* out = text.chars;
    if (bits & SIGN_BIT) {
        *out++ = '-';
    } else if (blank_signed) {
        *out++ = ' ';
    }

    const char* fixed_body = nullptr;
    if (std::isnan(value)) {
        if (bits == DEFAULT_NAN) {
            fixed_body = "1.#IND00e+000";
        } else {
            fixed_body = (bits & QUIET_BIT) ? "1.#QNAN0e+000" : "1.#SNAN0e+000";
        }
    } else if (std::isinf(value)) {
        fixed_body = "1.#INF00e+000";
    } else if (value == 0.0) {
        fixed_body = "0.000000e+000";
    }

    if (fixed_body != nullptr) {
        std::memcpy(out, fixed_body, 13);
    } else {
        char digits[KEPT_DIGITS + 1];
        int exponent = exact_leading_digits(std::fabs(value), digits);
        if (round_half_up(digits, 17)) {
            ++exponent;
        }
        if (round_half_up(digits, 7)) {
            ++exponent;
        }
        write_body(out, digits, exponent);
    }
    text.size = static_cast<unsigned char>(out + 13 - text.chars);
    return text;
}

}  // namespace qel_morvak
