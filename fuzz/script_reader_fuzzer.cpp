// The script reader on arbitrary bytes. read_script must succeed with two
// values that are not NaNs or fail, and read a file as it reads memory.
// Every number in the bytes is also delimited with scan_number and checked
// against glibc's strtod: where it stops, and, for texts of up to
// STRTOD_LIMIT bytes, the value bit for bit.

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "model/types.h"
#include "script/byte_source.h"
#include "script/number_text.h"
#include "script/read_script.h"

namespace {

using namespace qel_morvak;

constexpr std::size_t STRTOD_LIMIT = 10000;

[[noreturn]] void finding(const char* what, const unsigned char* text, std::size_t size)
{
    std::fprintf(stderr, "%s: \"%.*s\"\n", what, static_cast<int>(std::min<std::size_t>(size, 300)),
                 reinterpret_cast<const char*>(text));
    std::abort();
}

bool is_white_space(int byte)
{
    return byte == ' ' || (byte >= '\t' && byte <= '\r');
}

bool is_digit(int byte)
{
    return byte >= '0' && byte <= '9';
}

bool is_exponent_marker(int byte)
{
    return byte == 'e' || byte == 'E';
}

// Where strtod's reading of the bytes at start says a script number ends:
// strtod stops before an exponent marker without digits, which the script
// keeps with its sign, and it reads hexadecimal forms, of which the script
// takes the "0" alone. 0 when no number starts here.
std::size_t expected_length(const std::string& window)
{
    std::size_t sign = window[0] == '+' || window[0] == '-' ? 1 : 0;
    const char first = window[sign];
    if (!is_digit(first) && first != '.') {
        return 0;  // strtod may read infinity or NaN here; the script never does
    }
    char* end = nullptr;
    std::strtod(window.c_str(), &end);
    std::size_t length = static_cast<std::size_t>(end - window.c_str());
    if (first == '0' && (window[sign + 1] == 'x' || window[sign + 1] == 'X') && length > sign + 1) {
        return sign + 1;
    }
    if (length == 0) {
        return 0;
    }
    if (std::find_if(window.begin(), window.begin() + static_cast<std::ptrdiff_t>(length), is_exponent_marker) ==
            window.begin() + static_cast<std::ptrdiff_t>(length) &&
        is_exponent_marker(window[length])) {
        ++length;
        if (window[length] == '+' || window[length] == '-') {
            ++length;
        }
    }
    return length;
}

void check_numbers(const unsigned char* data, std::size_t size)
{
    ByteSource source;
    open_byte_source(source, data, size);
    NumberText number;
    for (;;) {
        while (is_white_space(peek_byte(source))) {
            skip_byte(source);
        }
        if (peek_byte(source) == ByteSource::END) {
            return;
        }
        const unsigned char* const start = source.next;
        const bool scanned = scan_number(source, number);
        const std::size_t length = static_cast<std::size_t>(source.next - start);
        const std::size_t available = static_cast<std::size_t>(data + size - start);

        // A window long enough for strtod to see past the scanner's end.
        const std::size_t window_size = std::min(available, STRTOD_LIMIT + 3);
        if (length <= STRTOD_LIMIT) {
            const std::string window(reinterpret_cast<const char*>(start), window_size);
            const std::size_t expected = expected_length(window);
            if (scanned != (expected != 0) || (scanned && length != expected)) {
                finding("number delimited unlike strtod", start, window_size);
            }
        }
        if (scanned) {
            if (number.digit_count > NumberText::MAX_DIGITS) {
                finding("digit count beyond its bound", start, window_size);
            }
            const double value = number_value(number);
            if (std::isnan(value)) {
                finding("number read as a NaN", start, window_size);
            }
            if (length <= STRTOD_LIMIT) {
                const std::string text(reinterpret_cast<const char*>(start), length);
                const double reference = std::strtod(text.c_str(), nullptr);
                if (std::bit_cast<std::uint64_t>(value) != std::bit_cast<std::uint64_t>(reference)) {
                    finding("value differs from strtod", start, length);
                }
            }
        } else if (source.next == start) {
            skip_byte(source);
        }
    }
}

void check_script(const unsigned char* data, std::size_t size)
{
    ByteSource source;
    open_byte_source(source, data, size);
    InputPoint from_memory{};
    const bool read_from_memory = read_script(source, from_memory);
    if (read_from_memory && (std::isnan(from_memory.X1) || std::isnan(from_memory.X2))) {
        finding("script read as a NaN", data, size);
    }
    if (size == 0) {
        return;
    }
    // The file path goes through the refill of the fixed buffer instead.
    std::FILE* file = fmemopen(const_cast<unsigned char*>(data), size, "rb");
    if (file == nullptr) {
        return;
    }
    InputPoint from_file{};
    const bool read_from_file = read_script(file, from_file);
    std::fclose(file);
    if (read_from_file != read_from_memory ||
        (read_from_file && (std::bit_cast<std::uint64_t>(from_file.X1) != std::bit_cast<std::uint64_t>(from_memory.X1) ||
                            std::bit_cast<std::uint64_t>(from_file.X2) != std::bit_cast<std::uint64_t>(from_memory.X2)))) {
        finding("file and memory read differently", data, size);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    check_numbers(data, size);
    check_script(data, size);
    return 0;
}
