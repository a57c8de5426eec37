#pragma once

#include <string_view>

#include "model/types.h"

namespace qel_morvak {

// The double nearest 0.95 (0x3FEE666666666666), a little below 0.95 itself.
inline constexpr double NOTCH_LIMIT = 0.95;

// The unit square first, then (with notch) the corner X1 - X2 > NOTCH_LIMIT.
// A NaN coordinate compares false everywhere and is Inside.
DomainVerdict check_domain(const InputPoint& point, bool notch);

// The refusal's message; empty for Inside.
std::string_view domain_message(DomainVerdict verdict);

}  // namespace qel_morvak
