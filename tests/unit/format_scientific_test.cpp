#include "driver/format_scientific.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include <gtest/gtest.h>

namespace qel_morvak {
namespace {

std::string plain(double value)
{
    return std::string(text_of(format_scientific(value, false)));
}

std::string blank_signed(double value)
{
    return std::string(text_of(format_scientific(value, true)));
}

struct FormatCase {
    std::uint64_t bits;
    const char* plain;
    const char* blank_signed;
};

void PrintTo(const FormatCase& c, std::ostream* os)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%016llX", static_cast<unsigned long long>(c.bits));
    *os << text;
}

class FormatScientificTable : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatScientificTable, PrintsBothForms)
{
    const FormatCase& c = GetParam();
    const double value = std::bit_cast<double>(c.bits);
    EXPECT_EQ(plain(value), c.plain);
    EXPECT_EQ(blank_signed(value), c.blank_signed);
}

// Expected texts come from the exact decimal expansion (Python's decimal),
// cut after the 18th digit and rounded half up twice.
INSTANTIATE_TEST_SUITE_P(
    SpecialValues, FormatScientificTable,
    testing::Values(
        FormatCase{0x0000000000000000, "0.000000e+000", " 0.000000e+000"},
        FormatCase{0x8000000000000000, "-0.000000e+000", "-0.000000e+000"},
        FormatCase{0x7FF0000000000000, "1.#INF00e+000", " 1.#INF00e+000"},
        FormatCase{0xFFF0000000000000, "-1.#INF00e+000", "-1.#INF00e+000"},
        // Only the invalid-operation NaN itself is "IND".
        FormatCase{0xFFF8000000000000, "-1.#IND00e+000", "-1.#IND00e+000"},
        FormatCase{0x7FF8000000000000, "1.#QNAN0e+000", " 1.#QNAN0e+000"},
        FormatCase{0xFFF8000000000001, "-1.#QNAN0e+000", "-1.#QNAN0e+000"},
        FormatCase{0xFFFC000000000000, "-1.#QNAN0e+000", "-1.#QNAN0e+000"},
        FormatCase{0x7FFFFFFFFFFFFFFF, "1.#QNAN0e+000", " 1.#QNAN0e+000"},
        FormatCase{0xFFFFFFFFFFFFFFFF, "-1.#QNAN0e+000", "-1.#QNAN0e+000"},
        FormatCase{0x7FF0000000000001, "1.#SNAN0e+000", " 1.#SNAN0e+000"},
        FormatCase{0xFFF0000000000001, "-1.#SNAN0e+000", "-1.#SNAN0e+000"},
        FormatCase{0x7FF7FFFFFFFFFFFF, "1.#SNAN0e+000", " 1.#SNAN0e+000"},
        FormatCase{0xFFF4000000000000, "-1.#SNAN0e+000", "-1.#SNAN0e+000"}));

INSTANTIATE_TEST_SUITE_P(
    FiniteValues, FormatScientificTable,
    testing::Values(
        // 0.50390625: the 8th digit is a 5 with nothing after it; half up,
        // where ties to even would print 5.039062.
        FormatCase{0x3FE0200000000000, "5.039063e-001", " 5.039063e-001"},
        FormatCase{0xBFE0200000000000, "-5.039063e-001", "-5.039063e-001"},
        // 0.99999996: the rounding to 7 digits carries into a new leading digit.
        FormatCase{0x3FEFFFFFEA86711E, "1.000000e+000", " 1.000000e+000"},
        FormatCase{0xBFEFFFFFEA86711E, "-1.000000e+000", "-1.000000e+000"},
        FormatCase{0x0000000000000001, "4.940656e-324", " 4.940656e-324"},
        FormatCase{0x8000000000000001, "-4.940656e-324", "-4.940656e-324"},
        FormatCase{0x7FEFFFFFFFFFFFFF, "1.797693e+308", " 1.797693e+308"},
        FormatCase{0xFFEFFFFFFFFFFFFF, "-1.797693e+308", "-1.797693e+308"},
        FormatCase{0x0010000000000000, "2.225074e-308", " 2.225074e-308"},
        FormatCase{0x000FFFFFFFFFFFFF, "2.225074e-308", " 2.225074e-308"},
        FormatCase{0x01A56E1FC2F8F359, "1.000000e-300", " 1.000000e-300"},
        FormatCase{0x3FE0000000000000, "5.000000e-001", " 5.000000e-001"},
        FormatCase{0x3FF0000000000000, "1.000000e+000", " 1.000000e+000"},
        FormatCase{0x4024000000000000, "1.000000e+001", " 1.000000e+001"},
        FormatCase{0x3EE4F8B588E368F1, "1.000000e-005", " 1.000000e-005"},
        FormatCase{0x3FB999999999999A, "1.000000e-001", " 1.000000e-001"},
        FormatCase{0x3FEFFFFFFFFFFFFF, "1.000000e+000", " 1.000000e+000"},
        FormatCase{0xBFFA887293FD6F34, "-1.658312e+000", "-1.658312e+000"},
        // 1e22 is exact: its expansion ends long before the 18th digit.
        FormatCase{0x4480F0CF064DD592, "1.000000e+022", " 1.000000e+022"},
        // Digits 8 to 17 are 4999999999 and the 18th is 5 or more: the
        // 17-digit rounding carries into the 8th digit, which then rounds
        // up; rounding the exact value once would round down.
        // 123.45675 = 123.4567499999999965...
        FormatCase{0x405EDD3B645A1CAC, "1.234568e+002", " 1.234568e+002"},
        FormatCase{0xC05EDD3B645A1CAC, "-1.234568e+002", "-1.234568e+002"},
        // 3.234302499999999951...e-253
        FormatCase{0x0B82F850EB402635, "3.234303e-253", " 3.234303e-253"},
        // 8.954050499999999972...e-24
        FormatCase{0x3B25A649EFB49FD9, "8.954051e-024", " 8.954051e-024"},
        // Digits 8 to 17 are 4999999999, the 18th is 4 and the 19th 5 or
        // more: cutting after the 18th digit rounds down, rounding on all
        // later digits first would round up.
        // 5.661367499999999946...e+262
        FormatCase{0x767CC431096BC5A3, "5.661367e+262", " 5.661367e+262"},
        // 2.455421499999999948...e+40
        FormatCase{0x48520A2272BF90BD, "2.455421e+040", " 2.455421e+040"},
        // 9.999999499999999993...e+242: the 17-digit rounding carries up to
        // the 8th digit and the 7-digit one through the exponent.
        FormatCase{0x7262BF07918A3F06, "1.000000e+243", " 1.000000e+243"},
        FormatCase{0xF262BF07918A3F06, "-1.000000e+243", "-1.000000e+243"},
        // 9.999999499999999951...e-110
        FormatCase{0x294E0FB43618B882, "1.000000e-109", " 1.000000e-109"},
        // 1.70278609345224433999999999999999161...e+39: digits 19 to 33 are
        // nines, so a rounding to 32 digits carries into the 18th.
        FormatCase{0x48140422B0C505F2, "1.702786e+039", " 1.702786e+039"},
        FormatCase{0xC8140422B0C505F2, "-1.702786e+039", "-1.702786e+039"}));

// The reference takes the exact digits from glibc's printf, which converts
// exactly, and rounds with integers rather than digit strings.
std::string reference_format(double value, bool blank)
{
    const bool negative = std::signbit(value);
    const double magnitude = std::fabs(value);
    char text[800];
    std::snprintf(text, sizeof text, "%.40e", magnitude);
    // 41 correctly rounded digits whose 19th to 41st are all zero are either
    // exact or carried into the 18th; only the exact expansion tells.
    bool zero_tail = true;
    for (int i = 19; i <= 41; ++i) {
        zero_tail = zero_tail && text[i] == '0';
    }
    if (zero_tail) {
        std::snprintf(text, sizeof text, "%.766e", magnitude);
    }
    std::uint64_t first_18 = static_cast<std::uint64_t>(text[0] - '0');
    for (int i = 2; i <= 18; ++i) {
        first_18 = first_18 * 10 + static_cast<std::uint64_t>(text[i] - '0');
    }
    int exponent = std::atoi(std::strchr(text, 'e') + 1);

    std::uint64_t first_17 = (first_18 + 5) / 10;
    if (first_17 == 100'000'000'000'000'000u) {
        first_17 /= 10;
        ++exponent;
    }
    std::uint64_t first_7 = (first_17 + 5'000'000'000u) / 10'000'000'000u;
    if (first_7 == 10'000'000u) {
        first_7 /= 10;
        ++exponent;
    }
    char result[32];
    std::snprintf(result, sizeof result, "%s%llu.%06llue%c%03d", negative ? "-" : (blank ? " " : ""),
                  static_cast<unsigned long long>(first_7 / 1'000'000),
                  static_cast<unsigned long long>(first_7 % 1'000'000), exponent < 0 ? '-' : '+',
                  std::abs(exponent));
    return result;
}

std::string hex_of(double value)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%016llX",
                  static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(value)));
    return text;
}

TEST(FormatScientific, ReferenceAgreesWithKnownTexts)
{
    EXPECT_EQ(reference_format(0.50390625, false), "5.039063e-001");
    EXPECT_EQ(reference_format(std::bit_cast<double>(std::uint64_t{0x48140422B0C505F2}), true),
              " 1.702786e+039");
    EXPECT_EQ(reference_format(-std::bit_cast<double>(std::uint64_t{1}), true), "-4.940656e-324");
}

TEST(FormatScientific, MatchesExactReferenceOnRandomBitPatterns)
{
    std::mt19937_64 random(20240611);
    int compared = 0;
    for (int i = 0; i < 200'000; ++i) {
        const double value = std::bit_cast<double>(random());
        if (!std::isfinite(value) || value == 0.0) {
            continue;
        }
        ++compared;
        const bool blank = (i & 1) != 0;
        ASSERT_EQ(text_of(format_scientific(value, blank)), reference_format(value, blank)) << hex_of(value);
    }
    EXPECT_GT(compared, 199'000);
}

// Random bit patterns rarely come near a rounding boundary of the 7-digit
// form, so these start from the double nearest d.dddddd5 x 10^E and take
// its neighbours too.
TEST(FormatScientific, MatchesExactReferenceNearSevenDigitTies)
{
    std::mt19937_64 random(7);
    std::uniform_int_distribution<int> mantissa(1'000'000, 9'999'999);
    std::uniform_int_distribution<int> exponent(-330, 308);
    for (int i = 0; i < 20'000; ++i) {
        char text[40];
        std::snprintf(text, sizeof text, "%d5e%d", mantissa(random), exponent(random));
        const double tie = std::strtod(text, nullptr);
        const std::uint64_t bits = std::bit_cast<std::uint64_t>(tie);
        for (std::uint64_t neighbour = bits - 2; neighbour != bits + 3; ++neighbour) {
            const double value = std::bit_cast<double>(neighbour);
            if (!std::isfinite(value) || value == 0.0) {
                continue;
            }
            ASSERT_EQ(plain(value), reference_format(value, false)) << text << " " << hex_of(value);
        }
    }
}

}  // namespace
}  // namespace qel_morvak
