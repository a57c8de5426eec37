#pragma once

#include <cstdio>

namespace qel_morvak {

// Opens the script for reading in text mode. Null when it cannot be read at
// all: missing, forbidden, an empty path, or a directory (which some C
// libraries open and only refuse at the first read).
std::FILE* open_script(const char* path);

}  // namespace qel_morvak
