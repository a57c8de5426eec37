#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "script/byte_source.h"
#include "script/number_text.h"

namespace qel_morvak {

// One number scanned from bytes in memory: whether a number was read, its
// value and the bytes the scanner left unread.
struct ScannedNumber {
    bool read;
    double value;
    std::string rest;
};

inline ScannedNumber scan_text(std::string_view text)
{
    // Both records are large; keep them off the test's stack.
    const auto source = std::make_unique<ByteSource>();
    const auto number = std::make_unique<NumberText>();
    open_byte_source(*source, reinterpret_cast<const unsigned char*>(text.data()), text.size());

    ScannedNumber scanned{};
    scanned.read = scan_number(*source, *number);
    if (scanned.read) {
        scanned.value = number_value(*number);
    }
    for (int byte = peek_byte(*source); byte != ByteSource::END; byte = peek_byte(*source)) {
        scanned.rest.push_back(static_cast<char>(byte));
        skip_byte(*source);
    }
    return scanned;
}

}  // namespace qel_morvak
