#include "driver/report.h"

#include <cstring>
#include <string_view>

#include "driver/format_scientific.h"
#include "driver/output.h"

namespace qel_morvak {

namespace {

char* append(char* out, std::string_view text)
{
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

char* append_number(char* out, double value, bool blank_signed)
{
    return append(out, text_of(format_scientific(value, blank_signed)));
}

// "% e % e" with the line end given.
char* append_pair(char* out, double left, double right, std::string_view line_end)
{
    out = append_number(out, left, true);
    out = append(out, " ");
    out = append_number(out, right, true);
    return append(out, line_end);
}

}  // namespace

std::size_t format_report(const InputPoint& point, const SolveResult& result, char* out)
{
    char* const start = out;
    out = append(out, "\nSolving in [");
    out = append_number(out, point.X1, false);
    out = append(out, ", ");
    out = append_number(out, point.X2, false);
    out = append(out, "].\n");
    out = append(out, "\nResult:\n\n");
    out = append(out, "Function: ");
    out = append_pair(out, result.F1, result.F2, "\n");
    out = append(out, "Gradient: ");
    out = append_pair(out, result.dF1_dX1, result.dF1_dX2, "\n");
    out = append(out, "          ");
    out = append_pair(out, result.dF2_dX1, result.dF2_dX2, "\n\n");
    return static_cast<std::size_t>(out - start);
}

void print_report(const InputPoint& point, const SolveResult& result)
{
    char text[REPORT_CAPACITY];
    const std::size_t size = format_report(point, result, text);
    write_output({text, size});
}

}  // namespace qel_morvak
