#include "script/number_text.h"

namespace qel_morvak {

namespace {

// Both counts stay far from the int64 range, so their sum cannot overflow.
constexpr std::int64_t COUNT_CAP = 1'000'000'000'000'000'000;

bool is_digit(int byte)
{
    return byte >= '0' && byte <= '9';
}

void keep_digit(NumberText& number, int byte)
{
    if (number.digit_count < NumberText::MAX_DIGITS) {
        number.digits[number.digit_count++] = static_cast<char>(byte);
    } else if (byte != '0') {
        number.sticky = true;
    }
}

void count_up(std::int64_t& count)
{
    if (count < COUNT_CAP) {
        ++count;
    }
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
    std::int64_t leading_fraction_zeros = 0;
    bool saw_digit = false;

    int byte = peek_byte(source);
    if (byte == '+' || byte == '-') {
        number.negative = byte == '-';
        skip_byte(source);
        byte = peek_byte(source);
    }
    for (; is_digit(byte); byte = peek_byte(source)) {
        saw_digit = true;
        if (number.digit_count > 0 || byte != '0') {
            keep_digit(number, byte);
            count_up(point_shift);
        }
        skip_byte(source);
    }
    if (byte == '.') {
        skip_byte(source);
        byte = peek_byte(source);
        for (; is_digit(byte); byte = peek_byte(source)) {
            saw_digit = true;
            if (number.digit_count > 0 || byte != '0') {
                keep_digit(number, byte);
            } else {
                count_up(leading_fraction_zeros);
            }
            skip_byte(source);
        }
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
    number.exponent = point_shift - leading_fraction_zeros + written_exponent;
    return true;
}

}  // namespace qel_morvak
