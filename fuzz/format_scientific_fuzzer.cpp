// format_scientific on arbitrary 64-bit patterns, in both forms. The text
// must have the exact shape of the format, and a finite value's digits must
// agree with a reference built from glibc's exact expansion: every double's
// decimal expansion has at most 767 significant digits, so "%.766e" prints
// it whole, without rounding. The reference then rounds in integers.

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "driver/format_scientific.h"

namespace {

using namespace qel_morvak;

[[noreturn]] void finding(const char* what, std::uint64_t bits, std::string_view text)
{
    std::fprintf(stderr, "%s: 0x%016llx gives \"%.*s\"\n", what, static_cast<unsigned long long>(bits),
                 static_cast<int>(text.size()), text.data());
    std::abort();
}

// The body of the format for a finite value other than zero: cut after 18
// significant digits, rounded half up to 17, then half up to 7.
std::string reference_body(double magnitude)
{
    char exact[800];
    std::snprintf(exact, sizeof exact, "%.766e", magnitude);
    std::uint64_t first18 = static_cast<std::uint64_t>(exact[0] - '0');
    for (int i = 2; i < 19; ++i) {
        first18 = first18 * 10 + static_cast<std::uint64_t>(exact[i] - '0');
    }
    int exponent = std::atoi(std::strchr(exact, 'e') + 1);

    const std::uint64_t first17 = (first18 + 5) / 10;  // 10^17 after a carry
    std::uint64_t first7 = (first17 + 5'000'000'000) / 10'000'000'000;
    if (first7 == 10'000'000) {
        first7 = 1'000'000;
        ++exponent;
    }
    char body[32];
    std::snprintf(body, sizeof body, "%c.%06de%c%03d", static_cast<char>('0' + first7 / 1'000'000),
                  static_cast<int>(first7 % 1'000'000), exponent < 0 ? '-' : '+', std::abs(exponent));
    return body;
}

std::string expected_body(double value, std::uint64_t bits)
{
    if (std::isnan(value)) {
        if (bits == 0xFFF8000000000000u) {
            return "1.#IND00e+000";
        }
        return (bits & 0x0008000000000000u) ? "1.#QNAN0e+000" : "1.#SNAN0e+000";
    }
    if (std::isinf(value)) {
        return "1.#INF00e+000";
    }
    if (value == 0.0) {
        return "0.000000e+000";
    }
    return reference_body(std::fabs(value));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, data, size < sizeof bits ? size : sizeof bits);
    const double value = std::bit_cast<double>(bits);
    const bool negative = (bits >> 63) != 0;
    const std::string body = expected_body(value, bits);

    for (const bool blank_signed : {false, true}) {
        const ScientificText formatted = format_scientific(value, blank_signed);
        const std::string_view text = text_of(formatted);
        std::string_view rest = text;
        if (negative || blank_signed) {
            if (rest.empty() || rest.front() != (negative ? '-' : ' ')) {
                finding("wrong sign", bits, text);
            }
            rest.remove_prefix(1);
        }
        if (rest != body) {
            finding("body differs from the reference", bits, text);
        }
    }
    return 0;
}
