#pragma once

#include "model/types.h"

namespace qel_morvak {

// F1, F2 of the two-variable ZDT1 problem and their exact partial
// derivatives. The order of operations fixes every result to the last bit.
SolveResult evaluate_point(const InputPoint& point);

}  // namespace qel_morvak
