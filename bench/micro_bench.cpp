// Micro-benchmarks of the steps of one run, each on its own. The whole run,
// from exec to exit, is measured by bench/startup.sh.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

#include "driver/format_scientific.h"
#include "driver/report.h"
#include "model/evaluate_point.h"
#include "script/byte_source.h"
#include "script/read_script.h"

namespace {

using namespace qel_morvak;

constexpr std::string_view TEMPLATE =
    "#QELMORVAK\n"
    "\n"
    "SETUP\n"
    "  INPUT = X1 X2\n"
    "  OUTPUT = F1 F2\n"
    "BEGIN\n"
    "  SET X1 = 0.5\n"
    "  SET X2 = 0.5\n"
    "  SOLVE F1 F2\n"
    "RETURN\n";

// Values with a short exact expansion (0.5, 1) take another path through the
// digit generation than those with a long one; the extremes test the exponent.
struct NamedValue {
    const char* name;
    double value;
};

constexpr NamedValue VALUES[] = {
    {"half", 0.5},
    {"one", 1.0},
    {"F2_of_template", 3.8416876048223001},
    {"dF2_dX1_of_template", -1.6583123951776999},
    {"tie_129_over_256", 0.50390625},
    {"tiny", 1e-300},
    {"smallest_subnormal", std::numeric_limits<double>::denorm_min()},
    {"largest_finite", std::numeric_limits<double>::max()},
};

void format_scientific_value(benchmark::State& state)
{
    const NamedValue& named = VALUES[state.range(0)];
    state.SetLabel(named.name);
    double value = named.value;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        ScientificText text = format_scientific(value, true);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(format_scientific_value)->DenseRange(0, std::size(VALUES) - 1);

void read_script_from_memory(benchmark::State& state)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(TEMPLATE.data());
    static ByteSource source;
    open_byte_source(source, bytes, TEMPLATE.size());
    InputPoint expected{};
    if (!read_script(source, expected) || expected.X1 != 0.5 || expected.X2 != 0.5) {
        state.SkipWithError("the template does not read as X1 = X2 = 0.5");
        return;
    }
    for (auto _ : state) {
        open_byte_source(source, bytes, TEMPLATE.size());
        InputPoint point{};
        const bool read = read_script(source, point);
        benchmark::DoNotOptimize(read);
        benchmark::DoNotOptimize(point);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * TEMPLATE.size());
}
BENCHMARK(read_script_from_memory);

void evaluate_point_template(benchmark::State& state)
{
    InputPoint point{0.5, 0.5};
    for (auto _ : state) {
        benchmark::DoNotOptimize(point);
        SolveResult result = evaluate_point(point);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(evaluate_point_template);

// The eight numbers and the text around them, without the write.
void format_report_template(benchmark::State& state)
{
    InputPoint point{0.5, 0.5};
    const SolveResult result = evaluate_point(point);
    char text[REPORT_CAPACITY];
    for (auto _ : state) {
        benchmark::DoNotOptimize(point);
        const std::size_t size = format_report(point, result, text);
        benchmark::DoNotOptimize(size);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(format_report_template);

}  // namespace
