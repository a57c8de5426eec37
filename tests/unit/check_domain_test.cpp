#include "model/check_domain.h"

#include <bit>
#include <cstdint>
#include <limits>
#include <string>

#include <gtest/gtest.h>

namespace qel_morvak {
namespace {

constexpr double INFINITE = std::numeric_limits<double>::infinity();
constexpr double QUIET_NAN = std::numeric_limits<double>::quiet_NaN();

double from_bits(std::uint64_t bits)
{
    return std::bit_cast<double>(bits);
}

TEST(NotchLimit, IsTheDoubleNearestPoint95)
{
    EXPECT_EQ(std::bit_cast<std::uint64_t>(NOTCH_LIMIT), std::uint64_t{0x3FEE666666666666});
}

struct DomainCase {
    const char* name;
    double X1;
    double X2;
    DomainVerdict without_notch;
    DomainVerdict with_notch;
};

void PrintTo(const DomainCase& c, std::ostream* os)
{
    *os << c.name;
}

std::string case_name(const testing::TestParamInfo<DomainCase>& info)
{
    return info.param.name;
}

class CheckDomain : public testing::TestWithParam<DomainCase> {};

TEST_P(CheckDomain, ClassifiesThePointWithAndWithoutNotch)
{
    const DomainCase& c = GetParam();
    EXPECT_EQ(check_domain(InputPoint{c.X1, c.X2}, false), c.without_notch);
    EXPECT_EQ(check_domain(InputPoint{c.X1, c.X2}, true), c.with_notch);
}

constexpr DomainVerdict INSIDE = DomainVerdict::Inside;
constexpr DomainVerdict OUTSIDE = DomainVerdict::OutsideUnitSquare;
constexpr DomainVerdict NOTCH = DomainVerdict::InNotch;

INSTANTIATE_TEST_SUITE_P(
    UnitSquare, CheckDomain,
    testing::Values(DomainCase{"Origin", 0, 0, INSIDE, INSIDE},
                    DomainCase{"OneOne", 1, 1, INSIDE, INSIDE},
                    DomainCase{"ZeroOne", 0, 1, INSIDE, INSIDE},
                    DomainCase{"OneZero", 1, 0, INSIDE, NOTCH},
                    DomainCase{"OneNegativeZero", 1, -0.0, INSIDE, NOTCH},
                    DomainCase{"NegativeZeroX1", -0.0, 0.5, INSIDE, INSIDE},
                    DomainCase{"BothNegativeZero", -0.0, -0.0, INSIDE, INSIDE},
                    DomainCase{"AboveOneX1", from_bits(0x3FF0000000000001), 0, OUTSIDE, OUTSIDE},
                    DomainCase{"AboveOneX2", 0, from_bits(0x3FF0000000000001), OUTSIDE, OUTSIDE},
                    DomainCase{"NegativeSubnormalX1", from_bits(0x8000000000000001), 0.5, OUTSIDE, OUTSIDE},
                    DomainCase{"NegativeSubnormalX2", 0.5, from_bits(0x8000000000000001), OUTSIDE, OUTSIDE},
                    DomainCase{"SmallestSubnormal", from_bits(0x0000000000000001), from_bits(1), INSIDE, INSIDE},
                    DomainCase{"PositiveInfinityX1", INFINITE, 0.5, OUTSIDE, OUTSIDE},
                    DomainCase{"NegativeInfinityX1", -INFINITE, 0.5, OUTSIDE, OUTSIDE},
                    DomainCase{"PositiveInfinityX2", 0.5, INFINITE, OUTSIDE, OUTSIDE},
                    DomainCase{"NegativeInfinityX2", 0.5, -INFINITE, OUTSIDE, OUTSIDE},
                    // Outside the square first: never the notch message.
                    DomainCase{"BeyondSquareAndNotch", 1.5, 0.2, OUTSIDE, OUTSIDE},
                    DomainCase{"NegativeX2InNotchCorner", 1, -0.5, OUTSIDE, OUTSIDE},
                    // A NaN is unordered with every bound and with the limit.
                    DomainCase{"NaNX1", QUIET_NAN, 0.5, INSIDE, INSIDE},
                    DomainCase{"NaNX2", 1, QUIET_NAN, INSIDE, INSIDE},
                    DomainCase{"DefaultNaNBoth", from_bits(0xFFF8000000000000), from_bits(0xFFF8000000000000),
                               INSIDE, INSIDE}),
    case_name);

// D = X1 - X2 is rounded to a double before the comparison.
INSTANTIATE_TEST_SUITE_P(
    Notch, CheckDomain,
    testing::Values(DomainCase{"DifferenceIsTheLimit", 0.95, 0, INSIDE, INSIDE},
                    DomainCase{"NextAboveLimit", from_bits(0x3FEE666666666667), 0, INSIDE, NOTCH},
                    // Exact differences above the limit that round down to it.
                    DomainCase{"OneAndPoint05", 1, 0.05, INSIDE, INSIDE},
                    DomainCase{"Point975AndPoint025", 0.975, 0.025, INSIDE, INSIDE},
                    // An exact tie between the limit and the next double: even.
                    DomainCase{"TieRoundsToLimit", 1, from_bits(0x3FA9999999999998), INSIDE, INSIDE},
                    DomainCase{"BelowTie", 1, from_bits(0x3FA9999999999997), INSIDE, NOTCH},
                    DomainCase{"X1BeyondButDifferenceBelow", 0.96, 0.02, INSIDE, INSIDE},
                    DomainCase{"NearNotch", 0.96, 0, INSIDE, NOTCH}),
    case_name);

TEST(DomainMessage, IsTheVerdictsOwnText)
{
    EXPECT_EQ(domain_message(DomainVerdict::OutsideUnitSquare),
              "\nError: input point is out of domain.\nExpected domain is: X1, X2 in [0.0, 1.0].\n\n");
    EXPECT_EQ(domain_message(DomainVerdict::InNotch),
              "\nError: input point is out of domain.\nExpected domain is: X1, X2 in [0.0, 1.0]; X1 - X2 =< 0.95.\n"
              "Forced undefined behavior in X1 - X2 > 0.95 was requested by -n option.\n\n");
    EXPECT_EQ(domain_message(DomainVerdict::Inside), "");
}

}  // namespace
}  // namespace qel_morvak
