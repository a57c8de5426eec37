#include "driver/output.h"

#include <cstdio>

namespace qel_morvak {

void write_output(std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
}

bool finish_output()
{
    const bool flushed = std::fflush(stdout) == 0;
    return flushed && std::ferror(stdout) == 0;
}

}  // namespace qel_morvak
