// A whole run on arbitrary script bytes, with and without "-n": the steps of
// the program's run sequence, in process. The output must be the report or
// exactly one of the messages, and the report must show what the model
// guarantees for a point of the unit square. The option only ever adds a
// refusal: where it lets a point through, the run is the same without it.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "driver/messages.h"
#include "driver/report.h"
#include "model/check_domain.h"
#include "model/evaluate_point.h"
#include "model/types.h"
#include "script/byte_source.h"
#include "script/read_script.h"

namespace {

using namespace qel_morvak;

constexpr std::string_view FORMAT = "\nError: invalid input file format.\n\n";
constexpr std::string_view OUTSIDE =
    "\nError: input point is out of domain.\nExpected domain is: X1, X2 in [0.0, 1.0].\n\n";
constexpr std::string_view NOTCH =
    "\nError: input point is out of domain.\nExpected domain is: X1, X2 in [0.0, 1.0]; X1 - X2 =< 0.95.\n"
    "Forced undefined behavior in X1 - X2 > 0.95 was requested by -n option.\n\n";

[[noreturn]] void finding(const char* what, std::string_view output)
{
    std::fprintf(stderr, "%s:\n%.*s\n", what, static_cast<int>(output.size()), output.data());
    std::abort();
}

std::string run(const std::uint8_t* data, std::size_t size, bool notch)
{
    ByteSource source;
    open_byte_source(source, data, size);
    InputPoint point{};
    if (!read_script(source, point)) {
        return std::string(INVALID_FORMAT_MESSAGE);
    }
    const DomainVerdict verdict = check_domain(point, notch);
    if (verdict != DomainVerdict::Inside) {
        return std::string(domain_message(verdict));
    }
    const SolveResult result = evaluate_point(point);
    // Exactly the promised capacity, so that a longer report is an overflow.
    const std::unique_ptr<char[]> text(new char[REPORT_CAPACITY]);
    const std::size_t length = format_report(point, result, text.get());
    return std::string(text.get(), length);
}

// Takes an expected piece off the front of the text.
bool take(std::string_view& text, std::string_view piece)
{
    if (text.substr(0, piece.size()) != piece) {
        return false;
    }
    text.remove_prefix(piece.size());
    return true;
}

bool is_digit(char c)
{
    return c >= '0' && c <= '9';
}

// A body "d.dddddde+ddd" or "d.dddddde-ddd", taken off the front.
bool take_body(std::string_view& text, std::string_view& body)
{
    if (text.size() < 13) {
        return false;
    }
    body = text.substr(0, 13);
    for (const std::size_t i : {0, 2, 3, 4, 5, 6, 7, 10, 11, 12}) {
        if (!is_digit(body[i])) {
            return false;
        }
    }
    if (body[1] != '.' || body[8] != 'e' || (body[9] != '+' && body[9] != '-')) {
        return false;
    }
    text.remove_prefix(13);
    return true;
}

// A coordinate of the unit square: zero of either sign, or a positive value
// up to 1 (1.000000e+000 also where a value below 1 rounds up to it).
bool take_coordinate(std::string_view& text, std::string_view& shown)
{
    const std::string_view start = text;
    std::string_view body;
    if (take(text, "-0.000000e+000")) {
        shown = start.substr(0, 14);
        return true;
    }
    if (!take_body(text, body)) {
        return false;
    }
    shown = start.substr(0, 13);
    return body == "0.000000e+000" || body == "1.000000e+000" || (body[0] != '0' && body[9] == '-');
}

void check_report(std::string_view output)
{
    std::string_view text = output;
    std::string_view x1;
    std::string_view x2;
    std::string_view body;
    const bool shaped =
        take(text, "\nSolving in [") && take_coordinate(text, x1) && take(text, ", ") && take_coordinate(text, x2) &&
        take(text, "].\n\nResult:\n\nFunction: ") &&
        // F1 is X1 itself, in the blank-signed form.
        (x1.front() == '-' ? take(text, x1) : take(text, " ") && take(text, x1)) &&
        // F2 lies in [0, 10].
        take(text, "  ") && take_body(text, body) && (body[9] == '-' || body == "1.000000e+001" ||
                                                      body.substr(9) == "+000" || body == "0.000000e+000") &&
        take(text, "\nGradient:  1.000000e+000  0.000000e+000\n          -") &&
        // dF2/dX1: at most -0.5, negative infinity, or the default NaN at X1 = -0.
        ((x1.front() == '-' && take(text, "1.#IND00e+000")) || take(text, "1.#INF00e+000") ||
         (take_body(text, body) && (body[9] == '+' || body.substr(9) == "-001"))) &&
        // dF2/dX2 lies in [4.5, 9].
        take(text, "  ") && take_body(text, body) && body[0] >= '4' && body[0] <= '9' && body.substr(9) == "+000" &&
        take(text, "\n\n") && text.empty();
    if (!shaped) {
        finding("not a report of a point in the unit square", output);
    }
}

bool is_report(std::string_view output)
{
    return output != FORMAT && output != OUTSIDE && output != NOTCH;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string plain = run(data, size, false);
    const std::string notched = run(data, size, true);

    if (plain == NOTCH) {
        finding("notch refusal without the option", plain);
    }
    if (is_report(plain)) {
        check_report(plain);
    }
    if (is_report(notched)) {
        check_report(notched);
    }
    if (notched != plain && !(notched == NOTCH && is_report(plain))) {
        finding("the option changed more than a refusal", notched);
    }
    return 0;
}
