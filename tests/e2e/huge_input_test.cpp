// Numbers with 16 MiB of digits: the value must be the correctly rounded
// one, and the program's memory must not grow with the text.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "program.h"
#include "texts.h"

namespace qel_morvak_e2e {
namespace {

constexpr std::size_t HUGE_DIGITS = std::size_t{16} << 20;

// Peak memory may exceed that of a run on the template by this much. A
// reader that kept the digits would need 16 MiB more; the absolute peak
// depends on the C library, a sanitizer or an emulator, its growth does not.
constexpr long GROWTH_LIMIT_KIB = 4096;

// 1 + 2^-53, exactly halfway between 1 and the next double: ties to even
// gives 1, and any non-zero digit after it, however far, gives 1 + 2^-52.
const std::string MIDPOINT_ABOVE_ONE = "1.00000000000000011102230246251565404236316680908203125";

const std::string CORNER_REPORT = report("1.000000e+000, 0.000000e+000", " 1.000000e+000  0.000000e+000",
                                         " 1.000000e+000  0.000000e+000", "-5.000000e-001  4.500000e+000");
const std::string HALF_ZERO_REPORT = report("5.000000e-001, 0.000000e+000", " 5.000000e-001  2.928932e-001",
                                            " 1.000000e+000  0.000000e+000", "-7.071068e-001  5.818019e+000");

// before, then HUGE_DIGITS copies of repeated (none when it is 0), then after.
// The texts are made only when a case runs.
struct Numeral {
    std::string before;
    char repeated;
    std::string after;
};

std::string text_of(const Numeral& numeral)
{
    std::string text = numeral.before;
    if (numeral.repeated != 0) {
        text.append(HUGE_DIGITS, numeral.repeated);
    }
    return text + numeral.after;
}

struct HugeCase {
    const char* name;
    Numeral x1;
    Numeral x2;
    std::string out;
    int status;
};

void PrintTo(const HugeCase& c, std::ostream* os)
{
    *os << c.name;
}

const std::string HUGE_COUNT = std::to_string(HUGE_DIGITS);

class HugeNumbers : public testing::TestWithParam<HugeCase> {
protected:
    static void SetUpTestSuite()
    {
        const ScratchDir dir;
        baseline_kib_ = run_program_measured({dir.write("template.txt", TEMPLATE_SCRIPT)}).peak_rss_kib;
    }

    static long baseline_kib_;
};

long HugeNumbers::baseline_kib_ = 0;

TEST_P(HugeNumbers, AreReadExactlyInBoundedMemory)
{
    const HugeCase& c = GetParam();
    const ScratchDir dir;
    const std::string path = dir.write("point.txt", script_setting(text_of(c.x1), text_of(c.x2)));

    const MeasuredRun measured = run_program_measured({path});
    expect_output(measured.run, c.out, c.status);
    ASSERT_GT(baseline_kib_, 0);
    EXPECT_LT(measured.peak_rss_kib - baseline_kib_, GROWTH_LIMIT_KIB)
        << "peak " << measured.peak_rss_kib << " KiB, template run " << baseline_kib_ << " KiB";
}

INSTANTIATE_TEST_SUITE_P(
    Table, HugeNumbers,
    testing::Values(
        HugeCase{"MidpointFollowedByZerosTiesToEven", {MIDPOINT_ABOVE_ONE, '0', ""}, {"0", 0, ""}, CORNER_REPORT, 0},
        HugeCase{"LastOfTheDigitsDecidesTheRounding", {MIDPOINT_ABOVE_ONE, '0', "1"}, {"0", 0, ""}, OUTSIDE_MESSAGE, 1},
        HugeCase{"LeadingZerosOfTheFraction", {"0.", '0', "5e" + HUGE_COUNT}, {"0.5", 0, ""}, TEMPLATE_REPORT, 0},
        HugeCase{"IntegerDigits", {"5", '0', "e-" + std::to_string(HUGE_DIGITS + 1)}, {"0.5", 0, ""}, TEMPLATE_REPORT, 0},
        HugeCase{"ExponentDigits", {"5e-", '0', "1"}, {"0.5", 0, ""}, TEMPLATE_REPORT, 0},
        HugeCase{"HugeNegativeExponent", {"0.5", 0, ""}, {"1e-", '9', ""}, HALF_ZERO_REPORT, 0},
        HugeCase{"HugePositiveExponent", {"0.5", 0, ""}, {"1e", '9', ""}, OUTSIDE_MESSAGE, 1}),
    [](const testing::TestParamInfo<HugeCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qel_morvak_e2e
