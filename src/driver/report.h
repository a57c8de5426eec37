#pragma once

#include <cstddef>

#include "model/types.h"

namespace qel_morvak {

// The nine lines: the point, then F1 F2 and the gradient in two columns.
inline constexpr std::size_t REPORT_CAPACITY = 192;

// Writes the report into out (at least REPORT_CAPACITY bytes); returns its size.
std::size_t format_report(const InputPoint& point, const SolveResult& result, char* out);

// Writes the report to standard output in one piece.
void print_report(const InputPoint& point, const SolveResult& result);

}  // namespace qel_morvak
