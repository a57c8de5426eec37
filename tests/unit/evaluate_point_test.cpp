#include "model/evaluate_point.h"

#include <bit>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

#include <gtest/gtest.h>

namespace qel_morvak {
namespace {

constexpr double INFINITE = std::numeric_limits<double>::infinity();

double from_bits(std::uint64_t bits)
{
    return std::bit_cast<double>(bits);
}

std::string hex(double value)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%016llX",
                  static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(value)));
    return text;
}

// Expected results are written with 17 significant digits, which pick out
// one double each; the compiler converts them.
struct PointCase {
    const char* name;
    double X1;
    double X2;
    double F2;
    double dF2_dX1;
    double dF2_dX2;
};

void PrintTo(const PointCase& c, std::ostream* os)
{
    *os << c.name;
}

std::string case_name(const testing::TestParamInfo<PointCase>& info)
{
    return info.param.name;
}

class EvaluatePoint : public testing::TestWithParam<PointCase> {};

TEST_P(EvaluatePoint, GivesEveryFieldToTheBit)
{
    const PointCase& c = GetParam();
    const SolveResult result = evaluate_point(InputPoint{c.X1, c.X2});
    EXPECT_EQ(hex(result.F1), hex(c.X1));
    EXPECT_EQ(hex(result.F2), hex(c.F2));
    EXPECT_EQ(hex(result.dF1_dX1), hex(1.0));
    EXPECT_EQ(hex(result.dF1_dX2), hex(0.0));
    EXPECT_EQ(hex(result.dF2_dX1), hex(c.dF2_dX1));
    EXPECT_EQ(hex(result.dF2_dX2), hex(c.dF2_dX2));
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, EvaluatePoint,
    testing::Values(
        PointCase{"Centre", 0.5, 0.5, 3.8416876048223001, -1.6583123951776999, 7.6431989494000634},
        PointCase{"OneZero", 1, 0, 0.0, -0.5, 4.5},
        PointCase{"Origin", 0, 0, 1, -INFINITE, 9},
        PointCase{"ZeroOne", 0, 1, 10, -INFINITE, 9},
        PointCase{"OneOne", 1, 1, 6.8377223398316200, -1.5811388300841898, 7.5769750529242295},
        PointCase{"Quarter", 0.25, 0.75, 6.3580589092924944, -2.7838821814150108, 8.1917761408795133},
        PointCase{"NearNotch", 0.96, 0, 0.020204102886728803, -0.51031036307982880, 4.5909184629902793},
        PointCase{"NotchCorner", 1, 0.05, 0.24584054212077047, -0.60207972893961481, 5.2629534065817012},
        PointCase{"HalfZero", 0.5, 0, 0.29289321881345243, -0.70710678118654757, 5.8180194846605362},
        PointCase{"TinyX1", 1e-300, 0.5, 5.5, -1.1726039399558574e+150, 9}),
    case_name);

// g / X1 overflows exactly up to these bounds; a quotient kept wider would
// stay finite.
INSTANTIATE_TEST_SUITE_P(
    Bounds, EvaluatePoint,
    testing::Values(
        PointCase{"OverflowBoundX2Zero", from_bits(0x0004000000000000), 0, 1, -INFINITE, 9},
        PointCase{"AboveOverflowBoundX2Zero", from_bits(0x0004000000000001), 0, 1, -6.7039039649712956e+153, 9},
        PointCase{"OverflowBoundX2One", from_bits(0x0024000000000000), 1, 10, -INFINITE, 9},
        PointCase{"AboveOverflowBoundX2One", from_bits(0x0024000000000001), 1, 10, -6.7039039649712978e+153, 9},
        // 1 + 9 x X2 still rounds to 1 here, so F2 is exactly zero.
        PointCase{"LastZeroF2", 1, from_bits(0x3C6C71C71C71C71D), 0.0, -0.5, 4.5},
        PointCase{"FirstPositiveF2", 1, from_bits(0x3C6C71C71C71C71E), 1.1102230246251568e-16, -0.5, 4.5},
        PointCase{"SubnormalX1", 1e-310, 0, 1, -INFINITE, 9},
        PointCase{"SmallestSubnormalX1", from_bits(1), 1, 10, -INFINITE, 9},
        PointCase{"NegativeZeroX2", 0.5, -0.0, 0.29289321881345243, -0.70710678118654757, 5.8180194846605362}),
    case_name);

// X1 = -0: the root of g / -0 = -infinity is invalid; the NaN must be the
// default one, sign set, whatever the processor's own default NaN is, and
// the product with -0.5 must not flip its sign.
TEST(EvaluatePoint, NegativeZeroX1GivesTheDefaultNaN)
{
    const SolveResult result = evaluate_point(InputPoint{-0.0, 0.5});
    EXPECT_EQ(hex(result.F1), hex(-0.0));
    EXPECT_EQ(hex(result.F2), hex(5.5));
    EXPECT_EQ(hex(result.dF1_dX1), hex(1.0));
    EXPECT_EQ(hex(result.dF1_dX2), hex(0.0));
    EXPECT_EQ(hex(result.dF2_dX1), hex(from_bits(0xFFF8000000000000)));
    EXPECT_EQ(hex(result.dF2_dX2), hex(9.0));
}

}  // namespace
}  // namespace qel_morvak
