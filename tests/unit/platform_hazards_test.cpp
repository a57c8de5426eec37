// Results that some processor, compiler or runtime we ship on got wrong until
// the build pinned its floating-point rules: fused multiply-add on aarch64,
// ARM's positive default NaN, x87 excess precision on 32-bit x86, mingw's
// 80-bit library sqrt. Every case compares bit patterns, so these tests run
// on every platform, under its emulator where there is one.

#include <bit>
#include <cfloat>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "model/check_domain.h"
#include "model/evaluate_point.h"
#include "model/ieee_sqrt.h"
#include "scan_text.h"

// The core library hands its floating-point flags on to whatever links it.
static_assert(FLT_EVAL_METHOD == 0, "double arithmetic must not be evaluated in a wider format");

namespace qel_morvak {
namespace {

std::uint64_t bits_of(double value)
{
    return std::bit_cast<std::uint64_t>(value);
}

double from_bits(std::uint64_t bits)
{
    return std::bit_cast<double>(bits);
}

std::string hex(std::uint64_t bits)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%016llX", static_cast<unsigned long long>(bits));
    return text;
}

constexpr std::uint64_t ONE = 0x3FF0000000000000;
constexpr std::uint64_t HALF = 0x3FE0000000000000;

// Expected results from exact rational arithmetic (Python's fractions), with
// each operation of the evaluation rounded to nearest, ties to even.
struct PointCase {
    const char* name;
    std::uint64_t X1;
    std::uint64_t X2;
    std::uint64_t F2;
    std::uint64_t dF2_dX1;
    std::uint64_t dF2_dX2;
};

void PrintTo(const PointCase& c, std::ostream* os)
{
    *os << c.name;
}

class EvaluationBits : public testing::TestWithParam<PointCase> {};

TEST_P(EvaluationBits, MatchTheRoundedSteps)
{
    const PointCase& c = GetParam();
    const SolveResult result = evaluate_point({from_bits(c.X1), from_bits(c.X2)});
    EXPECT_EQ(hex(bits_of(result.F1)), hex(c.X1));
    EXPECT_EQ(hex(bits_of(result.F2)), hex(c.F2));
    EXPECT_EQ(hex(bits_of(result.dF1_dX1)), hex(ONE));
    EXPECT_EQ(hex(bits_of(result.dF1_dX2)), hex(0));
    EXPECT_EQ(hex(bits_of(result.dF2_dX1)), hex(c.dF2_dX1));
    EXPECT_EQ(hex(bits_of(result.dF2_dX2)), hex(c.dF2_dX2));
}

INSTANTIATE_TEST_SUITE_P(
    Hazards, EvaluationBits,
    testing::Values(
        // X2 x 9 rounds to 2^-53 and 1 + 2^-53 ties to 1, so F2 is +0; a fused
        // multiply-add keeps the exact product, just above 2^-53, and gives
        // g = 1 + 2^-52.
        PointCase{"F2ZeroBound", ONE, 0x3C6C71C71C71C71D, 0x0000000000000000, 0xBFE0000000000000,
                  0x4012000000000000},
        // The next X2: g = 1 + 2^-52 and F2 = 2^-53 x g.
        PointCase{"AboveF2ZeroBound", ONE, 0x3C6C71C71C71C71E, 0x3CA0000000000001, 0xBFE0000000000000,
                  0x4012000000000000},
        // sqrt(g / -0) = sqrt(-infinity): the NaN with the sign bit set, which
        // the product with -0.5 leaves as it is.
        PointCase{"NegativeZeroX1", 0x8000000000000000, HALF, 0x4016000000000000, 0xFFF8000000000000,
                  0x4022000000000000},
        // Worked examples; x87 arithmetic gets some of them wrong, which ones
        // depending on where the compiler spills its registers.
        PointCase{"UpperRightCorner", ONE, ONE, 0x401B59D3E292D256, 0xBFF94C583ADA5B53, 0x401E4ED28C5BAB74},
        PointCase{"NotchBoundary", ONE, 0x3FA999999999999A, 0x3FCF77B3F0384575, 0xBFE3443CB52C2A85,
                  0x40150D43A8668F90},
        PointCase{"Template", HALF, HALF, 0x400EBBC6B6014866, 0xBFFA887293FD6F34, 0x401E92A2BED1FAB5}),
    [](const testing::TestParamInfo<PointCase>& info) { return std::string(info.param.name); });

struct DomainCase {
    const char* name;
    std::uint64_t X1;
    std::uint64_t X2;
    DomainVerdict verdict;
};

void PrintTo(const DomainCase& c, std::ostream* os)
{
    *os << c.name;
}

class NotchDifference : public testing::TestWithParam<DomainCase> {};

TEST_P(NotchDifference, IsRoundedToADoubleBeforeTheComparison)
{
    const DomainCase& c = GetParam();
    EXPECT_EQ(check_domain({from_bits(c.X1), from_bits(c.X2)}, true), c.verdict);
}

// The exact differences lie above NOTCH_LIMIT (0x3FEE666666666666) by at most
// half a unit; a difference held in an x87 register refuses the first three.
INSTANTIATE_TEST_SUITE_P(
    Hazards, NotchDifference,
    testing::Values(DomainCase{"OneAndFiveHundredths", ONE, 0x3FA999999999999A, DomainVerdict::Inside},
                    DomainCase{"NearTheCorner", 0x3FEF333333333333, 0x3F9999999999999A, DomainVerdict::Inside},
                    // Exactly halfway: ties to even gives NOTCH_LIMIT itself.
                    DomainCase{"HalfwayAboveTheLimit", ONE, 0x3FA9999999999998, DomainVerdict::Inside},
                    DomainCase{"NextDoubleAboveTheLimit", ONE, 0x3FA9999999999997, DomainVerdict::InNotch}),
    [](const testing::TestParamInfo<DomainCase>& info) { return std::string(info.param.name); });

struct SqrtCase {
    std::uint64_t x;
    std::uint64_t root;
};

class SqrtSpecialValues : public testing::TestWithParam<SqrtCase> {};

TEST_P(SqrtSpecialValues, KeepSignsAndGiveTheDefaultNaN)
{
    EXPECT_EQ(hex(bits_of(ieee_sqrt(from_bits(GetParam().x)))), hex(GetParam().root));
}

INSTANTIATE_TEST_SUITE_P(
    Hazards, SqrtSpecialValues,
    testing::Values(SqrtCase{0x0000000000000000, 0x0000000000000000}, SqrtCase{0x8000000000000000, 0x8000000000000000},
                    SqrtCase{0x7FF0000000000000, 0x7FF0000000000000}, SqrtCase{0xFFF0000000000000, DEFAULT_NAN_BITS},
                    SqrtCase{0xBFF0000000000000, DEFAULT_NAN_BITS}, SqrtCase{0x8000000000000001, DEFAULT_NAN_BITS},
                    // sqrt(2^-1074) = 2^-537 and sqrt(4) = 2, both exact.
                    SqrtCase{0x0000000000000001, 0x1E60000000000000}, SqrtCase{0x4010000000000000, 0x4000000000000000}));

// An unsigned 128-bit integer built from 64-bit halves, since 32-bit x86 has
// no wider type: enough to square a 55-bit integer exactly.
struct Wide {
    std::uint64_t high;
    std::uint64_t low;
};

bool operator<(const Wide& a, const Wide& b)
{
    return a.high < b.high || (a.high == b.high && a.low < b.low);
}

Wide square(std::uint64_t a)
{
    const std::uint64_t low_half = a & 0xFFFFFFFF;
    const std::uint64_t high_half = a >> 32;
    const std::uint64_t low_product = low_half * low_half;
    const std::uint64_t cross = low_half * high_half;
    const std::uint64_t middle = (low_product >> 32) + 2 * (cross & 0xFFFFFFFF);
    return {high_half * high_half + 2 * (cross >> 32) + (middle >> 32), (middle << 32) | (low_product & 0xFFFFFFFF)};
}

int bit_length(std::uint64_t value)
{
    return 64 - std::countl_zero(value);
}

// value x 2^count, which must fit in 128 bits.
Wide shifted(std::uint64_t value, int count)
{
    if (count == 0) {
        return {0, value};
    }
    if (count >= 64) {
        return {value << (count - 64), 0};
    }
    return {value >> (64 - count), value << count};
}

// significand x 2^exponent, exactly, for a positive finite double.
struct Binary {
    std::uint64_t significand;
    int exponent;
};

Binary decompose(double x)
{
    const std::uint64_t bits = bits_of(x);
    const int biased = static_cast<int>(bits >> 52);
    const std::uint64_t fraction = bits & 0xFFFFFFFFFFFFF;
    if (biased == 0) {
        return {fraction, -1074};
    }
    return {fraction | (std::uint64_t{1} << 52), biased - 1075};
}

// r is the correctly rounded root of x exactly when x lies strictly between
// the squares of the midpoints from r to its two neighbours (a root of a
// double is never itself a midpoint). With r = R x 2^e and R of 53 bits, the
// midpoints are (4R - 2) x 2^(e-2) and (4R + 2) x 2^(e-2), except below a
// power of two, where the lower neighbour is nearer: (4R - 1) x 2^(e-2).
testing::AssertionResult is_correctly_rounded_root(double x, double r)
{
    const std::uint64_t r_bits = bits_of(r);
    if (!(r > 0.0) || r_bits >= 0x7FF0000000000000 || (r_bits >> 52) == 0) {
        return testing::AssertionFailure() << "sqrt(" << hex(bits_of(x)) << ") = " << hex(r_bits);
    }
    const Binary root = decompose(r);
    const Binary value = decompose(x);
    const bool power_of_two = root.significand == (std::uint64_t{1} << 52);
    const Wide lower = square(4 * root.significand - (power_of_two ? 1 : 2));
    const Wide upper = square(4 * root.significand + 2);
    // Both sides are then scaled by 2^(2e - 4).
    const int count = value.exponent - (2 * root.exponent - 4);
    if (count < 0 || bit_length(value.significand) + count > 127) {
        return testing::AssertionFailure() << "sqrt(" << hex(bits_of(x)) << ") = " << hex(r_bits) << " is far off";
    }
    const Wide scaled = shifted(value.significand, count);
    if (lower < scaled && scaled < upper) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "sqrt(" << hex(bits_of(x)) << ") = " << hex(r_bits)
                                       << " is not correctly rounded";
}

// The oracle itself, on roots known by hand: it must accept the right one
// and refuse its neighbours.
TEST(CorrectlyRoundedRoot, OracleTellsTheRootFromItsNeighbours)
{
    const double two = 2.0;
    EXPECT_TRUE(is_correctly_rounded_root(4.0, two));
    EXPECT_FALSE(is_correctly_rounded_root(4.0, from_bits(bits_of(two) + 1)));
    EXPECT_FALSE(is_correctly_rounded_root(4.0, from_bits(bits_of(two) - 1)));
    // sqrt(2) = 1.4142135623730951 (0x3FF6A09E667F3BCD) by Python's decimal.
    EXPECT_TRUE(is_correctly_rounded_root(2.0, from_bits(0x3FF6A09E667F3BCD)));
    EXPECT_FALSE(is_correctly_rounded_root(2.0, from_bits(0x3FF6A09E667F3BCC)));
    EXPECT_FALSE(is_correctly_rounded_root(2.0, from_bits(0x3FF6A09E667F3BCE)));
    // Just below 1 and 4 the roots lie below the power of two, within the
    // nearer half-spacing under it.
    EXPECT_TRUE(is_correctly_rounded_root(from_bits(0x3FEFFFFFFFFFFFFF), from_bits(0x3FEFFFFFFFFFFFFF)));
    EXPECT_FALSE(is_correctly_rounded_root(from_bits(0x3FEFFFFFFFFFFFFF), 1.0));
    EXPECT_TRUE(is_correctly_rounded_root(from_bits(0x400FFFFFFFFFFFFF), from_bits(0x3FFFFFFFFFFFFFFF)));
    EXPECT_FALSE(is_correctly_rounded_root(from_bits(0x400FFFFFFFFFFFFF), 2.0));
    EXPECT_TRUE(is_correctly_rounded_root(from_bits(0x0000000000000001), from_bits(0x1E60000000000000)));
    EXPECT_FALSE(is_correctly_rounded_root(from_bits(0x0000000000000001), from_bits(0x1E60000000000001)));
}

// A library sqrt that works in x87's 80-bit format rounds twice and misses
// about 2 inputs in 10,000; a few hundred thousand catch it every time.
TEST(CorrectlyRoundedRoot, HoldsOnSeededRandomInputs)
{
    std::mt19937_64 random(20240601);
    for (int i = 0; i < 300'000; ++i) {
        std::uint64_t bits = 0;
        switch (i % 4) {
        case 0:  // any positive finite double
            bits = 1 + random() % 0x7FEFFFFFFFFFFFFF;
            break;
        case 1:  // [1, 2)
            bits = 0x3FF0000000000000 | (random() & 0xFFFFFFFFFFFFF);
            break;
        case 2:  // [2, 4)
            bits = 0x4000000000000000 | (random() & 0xFFFFFFFFFFFFF);
            break;
        default:  // subnormal
            bits = 1 + random() % 0xFFFFFFFFFFFFF;
            break;
        }
        const double x = from_bits(bits);
        ASSERT_TRUE(is_correctly_rounded_root(x, ieee_sqrt(x)));
    }
}

struct ReadCase {
    const char* text;
    std::uint64_t bits;
};

void PrintTo(const ReadCase& c, std::ostream* os)
{
    *os << c.text;
}

class ReaderConversion : public testing::TestWithParam<ReadCase> {};

TEST_P(ReaderConversion, GivesTheNearestDouble)
{
    const ScannedNumber scanned = scan_text(GetParam().text);
    ASSERT_TRUE(scanned.read);
    EXPECT_EQ(scanned.rest, "");
    EXPECT_EQ(hex(bits_of(scanned.value)), hex(GetParam().bits));
}

// Expected bits from Python's correctly rounded float() and its exact
// fractions. The first group fits a conversion by one multiplication or
// division in double arithmetic, which an x87 unit rounds twice (to 64 bits,
// then to 53) and gets one unit wrong; the second lies at or next to the
// midpoint of two doubles.
INSTANTIATE_TEST_SUITE_P(
    Hazards, ReaderConversion,
    testing::Values(ReadCase{"982e-8", 0x3EE4981285E98E79}, ReadCase{"7856e-8", 0x3F14981285E98E79},
                    ReadCase{"24123955e-12", 0x3EF94BB9907CB3DF}, ReadCase{"58475990135e-16", 0x3ED886CFC708D7BD},
                    ReadCase{"54995089825819e-10", 0x40B57B824CAEB77F}, ReadCase{"4037674e21", 0x45AA17C574424245},
                    ReadCase{"897143417528e17", 0x45F21E1F6D3931B7}, ReadCase{"449533954143e21", 0x46B629EA8B8D27FD},
                    // 1 + 2^-53, ties to even (1), and either side of it.
                    ReadCase{"1.00000000000000011102230246251565404236316680908203125", 0x3FF0000000000000},
                    ReadCase{"1.00000000000000011102230246251565404236316680908203124999999999999",
                             0x3FF0000000000000},
                    ReadCase{"1.00000000000000011102230246251565404236316680908203125000000000001",
                             0x3FF0000000000001},
                    // 1 + 3 x 2^-53, ties to even (1 + 2^-51).
                    ReadCase{"1.000000000000000333066907387546962127089500427246093750", 0x3FF0000000000002},
                    // 2^63 + 2^10 ties down to 2^63; one more goes up.
                    ReadCase{"9223372036854776832", 0x43E0000000000000},
                    ReadCase{"9223372036854776833", 0x43E0000000000001},
                    ReadCase{"2.2250738585072011e-308", 0x000FFFFFFFFFFFFF},
                    ReadCase{"2.2250738585072012e-308", 0x0010000000000000}));

}  // namespace
}  // namespace qel_morvak
