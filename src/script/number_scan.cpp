#include "script/number_text.h"

#include <algorithm>

namespace qel_morvak {

namespace {

// The point's shift and the written exponent both stay within this bound, far
// from the int64 range, so their sum cannot overflow.
constexpr std::int64_t COUNT_CAP = 1'000'000'000'000'000'000;

bool is_digit(int byte)
{
    return byte >= '0' && byte <= '9';
}

// Saturates, like the exponent: past COUNT_CAP every value is zero or infinite.
void shift_point(std::int64_t& point_shift, int step)
{
    if (point_shift > -COUNT_CAP && point_shift < COUNT_CAP) {
        point_shift += step;
    }
}

// Past the kept digits only how many there are and whether one is non-zero
// matter. A number may run to gigabytes, so they are taken straight from the
// buffer, up to its end or the first byte that is not a digit.
void pass_over_dropped_digits(ByteSource& source, NumberText& number, std::int64_t& point_shift, bool in_fraction)
{
    const unsigned char* const start = source.next;
    const unsigned char* const end = source.end;
    const unsigned char* next = start;
    bool non_zero = false;
    for (; next != end && is_digit(*next); ++next) {
        non_zero |= *next != '0';
    }
    number.sticky = number.sticky || non_zero;
    if (!in_fraction) {
        point_shift = std::min(point_shift + (next - start), COUNT_CAP);
    }
    source.next = next;
}

// Reads a run of digits of the integer part or of the fraction, keeping
// value = 0.DIGITS x 10^point_shift: each significant digit of the integer
// part raises point_shift, each leading zero of the fraction lowers it, and
// leading zeros of the integer part are dropped. True when the run had a digit.
bool scan_digit_run(ByteSource& source, NumberText& number, std::int64_t& point_shift, bool in_fraction)
{
    bool saw_digit = false;
    for (int byte = peek_byte(source); is_digit(byte); byte = peek_byte(source)) {
        saw_digit = true;
        if (number.digit_count == NumberText::MAX_DIGITS) {
            pass_over_dropped_digits(source, number, point_shift, in_fraction);
            continue;
        }
        if (number.digit_count > 0 || byte != '0') {
            number.digits[number.digit_count++] = static_cast<char>(byte);
            if (!in_fraction) {
                shift_point(point_shift, 1);
            }
        } else if (in_fraction) {
            shift_point(point_shift, -1);
        }
        skip_byte(source);
    }
    return saw_digit;
}

// Exponent digits saturate: past COUNT_CAP every value is zero or infinite.
// The digits are taken straight from the buffer, since an exponent may run
// to gigabytes; leading zeros and digits past saturation change nothing and
// are passed over without arithmetic.
std::int64_t scan_exponent_digits(ByteSource& source)
{
    std::int64_t value = 0;
    while (is_digit(peek_byte(source))) {
        const unsigned char* next = source.next;
        const unsigned char* const end = source.end;
        if (value == 0) {
            while (next != end && *next == '0') {
                ++next;
            }
        }
        for (; next != end && is_digit(*next) && value < COUNT_CAP; ++next) {
            value = value < COUNT_CAP / 10 ? value * 10 + (*next - '0') : COUNT_CAP;
        }
        while (next != end && is_digit(*next)) {
            ++next;
        }
        source.next = next;
    }
    return value;
}

}  // namespace

bool scan_number(ByteSource& source, NumberText& number)
{
    number.negative = false;
    number.sticky = false;
    number.digit_count = 0;
    // value = 0.DIGITS x 10^(point_shift + written exponent)
    std::int64_t point_shift = 0;

    int byte = peek_byte(source);
    if (byte == '+' || byte == '-') {
        number.negative = byte == '-';
        skip_byte(source);
    }
    bool saw_digit = scan_digit_run(source, number, point_shift, false);
    byte = peek_byte(source);
    if (byte == '.') {
        skip_byte(source);
        saw_digit = scan_digit_run(source, number, point_shift, true) || saw_digit;
        byte = peek_byte(source);
    }
    if (!saw_digit) {
        return false;
    }

    std::int64_t written_exponent = 0;
    if (byte == 'e' || byte == 'E') {
        // The marker and its sign stay read even when no digit follows.
        skip_byte(source);
        byte = peek_byte(source);
        bool exponent_negative = false;
        if (byte == '+' || byte == '-') {
            exponent_negative = byte == '-';
            skip_byte(source);
        }
        written_exponent = scan_exponent_digits(source);
        if (exponent_negative) {
            written_exponent = -written_exponent;
        }
    }
    number.exponent = point_shift + written_exponent;
    return true;
}

}  // namespace qel_morvak
