#include "driver/open_script.h"

namespace qel_morvak {

std::FILE* open_script(const char* path)
{
    std::FILE* script = std::fopen(path, "rt");
    if (script == nullptr) {
        return nullptr;
    }
    const int first = std::getc(script);
    if (first == EOF) {
        if (std::ferror(script)) {
            std::fclose(script);
            return nullptr;
        }
    } else {
        std::ungetc(first, script);
    }
    return script;
}

}  // namespace qel_morvak
