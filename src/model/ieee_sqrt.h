#pragma once

#include <cstdint>

namespace qel_morvak {

// The invalid-operation NaN every platform must print: quiet, sign bit set,
// empty payload. Processors disagree on it (ARM's default NaN is positive),
// so it is produced by our own code.
inline constexpr std::uint64_t DEFAULT_NAN_BITS = 0xFFF8000000000000u;

double default_nan();

// Correctly rounded square root whose invalid result is DEFAULT_NAN_BITS.
double ieee_sqrt(double x);

}  // namespace qel_morvak
