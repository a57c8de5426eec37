#pragma once

#include <string_view>

namespace qel_morvak {

// Standard output is a text stream: each line feed becomes the platform's
// line end. Nothing is ever written to standard error.
void write_output(std::string_view text);

// Writes out what is buffered; false when any of the output was lost
// (a closed descriptor, a full disk).
bool finish_output();

}  // namespace qel_morvak
