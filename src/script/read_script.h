#pragma once

#include <cstdio>

#include "model/types.h"
#include "script/byte_source.h"

namespace qel_morvak {

// Matches SCRIPT_PATTERN against the script and fills X1 and X2. Succeeds as
// soon as the second number is stored; nothing after it is looked at.
bool read_script(std::FILE* script, InputPoint& point);

bool read_script(ByteSource& source, InputPoint& point);

}  // namespace qel_morvak
