#include "driver/report.h"

#include <bit>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/evaluate_point.h"

namespace qel_morvak {
namespace {

// Formats into a buffer with room to spare and checks that nothing was
// written past the report.
std::string report_text(const InputPoint& point, const SolveResult& result)
{
    constexpr char UNTOUCHED = '\x7F';
    std::vector<char> buffer(REPORT_CAPACITY + 64, UNTOUCHED);
    const std::size_t size = format_report(point, result, buffer.data());
    EXPECT_LE(size, REPORT_CAPACITY);
    for (std::size_t i = size; i < buffer.size(); ++i) {
        EXPECT_EQ(buffer[i], UNTOUCHED) << "byte " << i;
    }
    return std::string(buffer.data(), size);
}

std::string report_of(double X1, double X2)
{
    const InputPoint point{X1, X2};
    return report_text(point, evaluate_point(point));
}

struct ReportCase {
    const char* name;
    double X1;
    double X2;
    const char* report;
};

void PrintTo(const ReportCase& c, std::ostream* os)
{
    *os << c.name;
}

std::string case_name(const testing::TestParamInfo<ReportCase>& info)
{
    return info.param.name;
}

class FormatReport : public testing::TestWithParam<ReportCase> {};

TEST_P(FormatReport, IsTheWholeReportByteForByte)
{
    const ReportCase& c = GetParam();
    EXPECT_EQ(report_of(c.X1, c.X2), c.report);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FormatReport,
    testing::Values(ReportCase{"Template", 0.5, 0.5,
                               "\n"
                               "Solving in [5.000000e-001, 5.000000e-001].\n"
                               "\n"
                               "Result:\n"
                               "\n"
                               "Function:  5.000000e-001  3.841688e+000\n"
                               "Gradient:  1.000000e+000  0.000000e+000\n"
                               "          -1.658312e+000  7.643199e+000\n"
                               "\n"},
                    ReportCase{"ZeroX1", 0, 0.5,
                               "\n"
                               "Solving in [0.000000e+000, 5.000000e-001].\n"
                               "\n"
                               "Result:\n"
                               "\n"
                               "Function:  0.000000e+000  5.500000e+000\n"
                               "Gradient:  1.000000e+000  0.000000e+000\n"
                               "          -1.#INF00e+000  9.000000e+000\n"
                               "\n"},
                    ReportCase{"NegativeZeroX1", -0.0, 0.5,
                               "\n"
                               "Solving in [-0.000000e+000, 5.000000e-001].\n"
                               "\n"
                               "Result:\n"
                               "\n"
                               "Function: -0.000000e+000  5.500000e+000\n"
                               "Gradient:  1.000000e+000  0.000000e+000\n"
                               "          -1.#IND00e+000  9.000000e+000\n"
                               "\n"},
                    ReportCase{"OneZero", 1, 0,
                               "\n"
                               "Solving in [1.000000e+000, 0.000000e+000].\n"
                               "\n"
                               "Result:\n"
                               "\n"
                               "Function:  1.000000e+000  0.000000e+000\n"
                               "Gradient:  1.000000e+000  0.000000e+000\n"
                               "          -5.000000e-001  4.500000e+000\n"
                               "\n"},
                    ReportCase{"TinyX1", 1e-300, 0.5,
                               "\n"
                               "Solving in [1.000000e-300, 5.000000e-001].\n"
                               "\n"
                               "Result:\n"
                               "\n"
                               "Function:  1.000000e-300  5.500000e+000\n"
                               "Gradient:  1.000000e+000  0.000000e+000\n"
                               "          -1.172604e+150  9.000000e+000\n"
                               "\n"}),
    case_name);

TEST(FormatReport, RoundsTheInputsHalfUp)
{
    const std::string half_up = report_of(0.50390625, 0.99999996);
    EXPECT_EQ(half_up.substr(0, 44), "\nSolving in [5.039063e-001, 1.000000e+000].\n");
    EXPECT_NE(half_up.find("\nFunction:  5.039063e-001 "), std::string::npos) << half_up;
}

// Every number signed and every body of full width: the longest report.
TEST(FormatReport, LongestReportFitsItsCapacity)
{
    const double nan = std::bit_cast<double>(std::uint64_t{0xFFF8000000000000});
    const double infinite = std::numeric_limits<double>::infinity();
    const InputPoint point{-1e-300, -infinite};
    const SolveResult result{-0.0, nan, -1.5, -infinite, -2.5e-100, std::bit_cast<double>(std::uint64_t{0xFFF0000000000001})};
    EXPECT_EQ(report_text(point, result),
              "\n"
              "Solving in [-1.000000e-300, -1.#INF00e+000].\n"
              "\n"
              "Result:\n"
              "\n"
              "Function: -0.000000e+000 -1.#IND00e+000\n"
              "Gradient: -1.500000e+000 -1.#INF00e+000\n"
              "          -2.500000e-100 -1.#SNAN0e+000\n"
              "\n");
}

}  // namespace
}  // namespace qel_morvak
