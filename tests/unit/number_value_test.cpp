#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "scan_text.h"

namespace qel_morvak {
namespace {

std::uint64_t bits_of(double value)
{
    return std::bit_cast<std::uint64_t>(value);
}

std::string hex(std::uint64_t bits)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%016llX", static_cast<unsigned long long>(bits));
    return text;
}

// The whole text must be one number; its value's bit pattern.
std::uint64_t value_bits(const std::string& text)
{
    const ScannedNumber scanned = scan_text(text + ";");
    EXPECT_TRUE(scanned.read) << text.substr(0, 80);
    EXPECT_EQ(scanned.rest, ";") << text.substr(0, 80);
    return bits_of(scanned.value);
}

// Exact decimal digits of factor x base^exponent, by schoolbook multiplication.
std::string power_digits(unsigned base, int exponent, std::string_view factor = "1")
{
    std::string reversed(factor.rbegin(), factor.rend());
    for (int i = 0; i < exponent; ++i) {
        unsigned carry = 0;
        for (char& digit : reversed) {
            const unsigned product = static_cast<unsigned>(digit - '0') * base + carry;
            digit = static_cast<char>('0' + product % 10);
            carry = product / 10;
        }
        for (; carry != 0; carry /= 10) {
            reversed.push_back(static_cast<char>('0' + carry % 10));
        }
    }
    return {reversed.rbegin(), reversed.rend()};
}

struct ValueCase {
    std::string text;
    std::uint64_t bits;
};

void PrintTo(const ValueCase& c, std::ostream* os)
{
    *os << '"' << c.text.substr(0, 60) << (c.text.size() > 60 ? "..." : "") << '"';
}

class NumberValue : public testing::TestWithParam<ValueCase> {};

TEST_P(NumberValue, IsTheNearestDouble)
{
    EXPECT_EQ(hex(value_bits(GetParam().text)), hex(GetParam().bits));
}

// Expected bit patterns from Python's correctly rounded float() and exact
// decimal arithmetic.
INSTANTIATE_TEST_SUITE_P(
    Short, NumberValue,
    testing::Values(ValueCase{"0.1", 0x3FB999999999999A}, ValueCase{"1.5E-3", 0x3F589374BC6A7EFA},
                    ValueCase{"123456789012345678901234567890", 0x45F8EE90FF6C373E},
                    ValueCase{"1e400", 0x7FF0000000000000}, ValueCase{"-1e400", 0xFFF0000000000000},
                    ValueCase{"1e-400", 0x0000000000000000}, ValueCase{"-1e-400", 0x8000000000000000},
                    ValueCase{"0e999999", 0x0000000000000000}, ValueCase{"-0e-999999", 0x8000000000000000},
                    ValueCase{"4.9406564584124654e-324", 0x0000000000000001},
                    ValueCase{"-4.9406564584124654e-324", 0x8000000000000001},
                    // Just below and just above half the smallest subnormal.
                    ValueCase{"2.4703282292062327e-324", 0x0000000000000000},
                    ValueCase{"2.4703282292062328e-324", 0x0000000000000001},
                    ValueCase{"2.2250738585072011e-308", 0x000FFFFFFFFFFFFF},
                    ValueCase{"2.2250738585072014e-308", 0x0010000000000000},
                    ValueCase{"1e-310", 0x000012688B70E62B},
                    ValueCase{"1.7976931348623157e308", 0x7FEFFFFFFFFFFFFF},
                    ValueCase{"1.7976931348623158e308", 0x7FEFFFFFFFFFFFFF},
                    ValueCase{"1.7976931348623159e308", 0x7FF0000000000000},
                    // 2^53 + 1 and 2^53 + 3 lie halfway: ties to even.
                    ValueCase{"9007199254740993", 0x4340000000000000},
                    ValueCase{"9007199254740995", 0x4340000000000002},
                    ValueCase{"9007199254740993.0000000000000000000000001", 0x4340000000000001}));

// 1 + 2^-53, halfway between 1 and the next double.
const std::string ONE_MIDPOINT = "1.00000000000000011102230246251565404236316680908203125";

// 2^1024 - 2^970, halfway between the largest double and 2^1024.
const std::string OVERFLOW_MIDPOINT =
    "179769313486231580793728971405303415079934132710037826936173778980444968292764750946649017977587207096"
    "330286416692887910946555547851940402630657488671505820681908902000708383676273854845817711531764475730"
    "270069855571366959622842914819860834936475292719074168444365510704342711559699508093042880177904174497792";

std::string zeros(std::size_t count)
{
    return std::string(count, '0');
}

INSTANTIATE_TEST_SUITE_P(
    Long, NumberValue,
    testing::Values(ValueCase{ONE_MIDPOINT, 0x3FF0000000000000},
                    ValueCase{ONE_MIDPOINT + zeros(2000), 0x3FF0000000000000},
                    ValueCase{ONE_MIDPOINT + zeros(2000) + "1", 0x3FF0000000000001},
                    ValueCase{"-" + ONE_MIDPOINT + zeros(100000) + "1e0", 0xBFF0000000000001},
                    // The exact midpoint rounds to even, which is 2^1024: infinite.
                    ValueCase{OVERFLOW_MIDPOINT, 0x7FF0000000000000},
                    ValueCase{OVERFLOW_MIDPOINT + "." + zeros(900) + "1", 0x7FF0000000000000},
                    ValueCase{OVERFLOW_MIDPOINT.substr(0, 308) + "1", 0x7FEFFFFFFFFFFFFF},
                    ValueCase{"-" + OVERFLOW_MIDPOINT.substr(0, 308) + "1", 0xFFEFFFFFFFFFFFFF},
                    // 2^-1075 (752 digits) rounds to even, which is zero;
                    // 3 x 2^-1075 to even, which is 2 x 2^-1074.
                    ValueCase{power_digits(5, 1075) + "e-1075", 0x0000000000000000},
                    ValueCase{"-" + power_digits(5, 1075) + "e-1075", 0x8000000000000000},
                    ValueCase{power_digits(5, 1075) + zeros(3000) + "1e-4076", 0x0000000000000001},
                    ValueCase{"0." + zeros(323) + power_digits(5, 1075) + zeros(1) + "1", 0x0000000000000001},
                    ValueCase{power_digits(5, 1075, "3") + "e-1075", 0x0000000000000002},
                    // Digits and exponent that cancel: 1 in every case.
                    ValueCase{"0." + zeros(1'000'000) + "1e1000001", 0x3FF0000000000000},
                    ValueCase{"1" + zeros(1'000'000) + "e-1000000", 0x3FF0000000000000},
                    ValueCase{zeros(5000) + "1" + zeros(5000) + "." + zeros(5000) + "e-5000", 0x3FF0000000000000},
                    ValueCase{"0." + zeros(400) + "1" + zeros(400) + "e401", 0x3FF0000000000000},
                    ValueCase{"1e" + zeros(100000) + "0", 0x3FF0000000000000},
                    ValueCase{"1e+" + zeros(100000) + "5", 0x40F86A0000000000}));

// A non-zero digit anywhere after the kept ones still lifts the exact
// midpoint above its tie; zeros there do not. The position of the decimal
// point and the exponent move the same digits around.
TEST(NumberValue, DroppedDigitsRoundAsTheyWould)
{
    const std::string midpoint_digits = "100000000000000011102230246251565404236316680908203125";
    for (std::size_t total = 770; total <= 800; ++total) {
        const std::string padded = midpoint_digits + zeros(total - 1 - midpoint_digits.size());
        const std::string lifted = padded + "1";
        const std::string flat = padded + "0";
        const std::string exponent = "e-" + std::to_string(total - 1);
        SCOPED_TRACE(total);
        EXPECT_EQ(hex(value_bits(lifted + exponent)), hex(0x3FF0000000000001));
        EXPECT_EQ(hex(value_bits(flat + exponent)), hex(0x3FF0000000000000));
        EXPECT_EQ(hex(value_bits(lifted.substr(0, 1) + "." + lifted.substr(1))), hex(0x3FF0000000000001));
        EXPECT_EQ(hex(value_bits(flat.substr(0, 1) + "." + flat.substr(1))), hex(0x3FF0000000000000));
        EXPECT_EQ(hex(value_bits("0.000" + lifted + "e4")), hex(0x3FF0000000000001));
        EXPECT_EQ(hex(value_bits("0.000" + flat + "e4")), hex(0x3FF0000000000000));
    }
}

class ExponentSaturation : public testing::TestWithParam<ValueCase> {};

TEST_P(ExponentSaturation, GivesZeroOrInfinity)
{
    EXPECT_EQ(hex(value_bits(GetParam().text)), hex(GetParam().bits));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ExponentSaturation,
    testing::Values(ValueCase{"1e9223372036854775807", 0x7FF0000000000000},
                    ValueCase{"1e9223372036854775808", 0x7FF0000000000000},
                    ValueCase{"1e-9223372036854775808", 0x0000000000000000},
                    ValueCase{"1e-9223372036854775809", 0x0000000000000000},
                    ValueCase{"-1e99999999999999999999999999", 0xFFF0000000000000},
                    ValueCase{"-1e-99999999999999999999999999", 0x8000000000000000},
                    ValueCase{"1e" + std::string(100000, '9'), 0x7FF0000000000000},
                    ValueCase{"1e-" + std::string(100000, '9'), 0x0000000000000000},
                    ValueCase{"0e" + std::string(100000, '9'), 0x0000000000000000},
                    ValueCase{"-0e" + std::string(100000, '9'), 0x8000000000000000},
                    ValueCase{"0." + zeros(100000) + "1e99999999999999999999", 0x7FF0000000000000},
                    ValueCase{"1" + zeros(100000) + "e-99999999999999999999", 0x0000000000000000},
                    // Far below the range of the scaled digits, yet 1 in total.
                    ValueCase{"0." + zeros(200000) + "1e200001", 0x3FF0000000000000},
                    ValueCase{"1" + zeros(200000) + "e-200000", 0x3FF0000000000000}));

// Midpoints between neighbouring doubles are exact in a long double with
// 64 or more significand bits, and glibc prints them exactly.
TEST(NumberValue, RoundsRandomMidpointsToEvenAndDroppedDigitsAway)
{
    if constexpr (std::numeric_limits<long double>::digits < 54) {
        GTEST_SKIP() << "long double cannot hold a midpoint";
    }
    std::mt19937_64 random(1075);
    for (int i = 0; i < 3000; ++i) {
        const std::uint64_t low_bits = random() % 0x7FEFFFFFFFFFFFFF;
        const double low = std::bit_cast<double>(low_bits);
        const double high = std::bit_cast<double>(low_bits + 1);
        const long double midpoint = (static_cast<long double>(low) + high) / 2;
        char text[1000];
        std::snprintf(text, sizeof text, "%.820Le", midpoint);
        char* const marker = std::strchr(text, 'e');
        const std::string exponent = marker;
        std::string digits(text, marker);
        while (digits.back() == '0') {
            digits.pop_back();
        }
        const std::uint64_t even = (low_bits & 1) == 0 ? low_bits : low_bits + 1;
        SCOPED_TRACE(text);
        ASSERT_EQ(hex(value_bits(digits + exponent)), hex(even));
        ASSERT_EQ(hex(value_bits(digits + zeros(i % 1000) + "1" + exponent)), hex(low_bits + 1));
        // Just below the midpoint: the last digit one lower, then nines.
        std::string lowered = digits;
        --lowered.back();
        ASSERT_EQ(hex(value_bits(lowered + std::string(i % 1000 + 1, '9') + exponent)), hex(low_bits));
        ASSERT_EQ(hex(value_bits("-" + digits + zeros(i % 1000) + "1" + exponent)),
                  hex(0x8000000000000000 | (low_bits + 1)));
    }
}

// Random decimal texts, short and long, compared bit for bit with glibc's
// correctly rounding strtod.
TEST(NumberValue, MatchesStrtodOnRandomDecimalTexts)
{
    std::mt19937_64 random(2024);
    const auto below = [&random](std::uint64_t bound) { return random() % bound; };
    std::string text;
    for (int i = 0; i < 100'000; ++i) {
        text.clear();
        const std::uint64_t sign = below(3);
        if (sign != 0) {
            text.push_back(sign == 1 ? '-' : '+');
        }
        // Mostly 17 digits or fewer, sometimes hundreds.
        const std::uint64_t length_bound = below(20) == 0 ? 900 : 20;
        const std::uint64_t integer_digits = below(length_bound);
        const std::uint64_t fraction_digits = below(length_bound);
        for (std::uint64_t k = 0; k < integer_digits; ++k) {
            text.push_back(static_cast<char>('0' + below(10)));
        }
        if (integer_digits == 0 || below(2) == 0) {
            text.push_back('.');
            for (std::uint64_t k = 0; k < fraction_digits || (integer_digits == 0 && k == 0); ++k) {
                text.push_back(static_cast<char>('0' + below(10)));
            }
        }
        if (below(3) != 0) {
            text.push_back(below(2) == 0 ? 'e' : 'E');
            const std::uint64_t exponent_sign = below(3);
            if (exponent_sign != 0) {
                text.push_back(exponent_sign == 1 ? '-' : '+');
            }
            text += std::to_string(below(below(4) == 0 ? 1200 : 330));
        }
        char* end = nullptr;
        const double expected = std::strtod(text.c_str(), &end);
        ASSERT_EQ(static_cast<std::size_t>(end - text.c_str()), text.size()) << text;
        ASSERT_EQ(hex(value_bits(text)), hex(bits_of(expected))) << text;
    }
}

}  // namespace
}  // namespace qel_morvak
