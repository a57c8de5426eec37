#include "script/read_script.h"

#include "script/number_text.h"
#include "script/script_pattern.h"

namespace qel_morvak {

namespace {

// Exactly these six bytes, whatever the locale.
bool is_white_space(int byte)
{
    return byte == ' ' || (byte >= '\t' && byte <= '\r');
}

void skip_white_space(ByteSource& source)
{
    while (is_white_space(peek_byte(source))) {
        skip_byte(source);
    }
}

}  // namespace

bool read_script(ByteSource& source, InputPoint& point)
{
    double* const targets[] = {&point.X1, &point.X2};
    int numbers_read = 0;
    NumberText number;

    for (const char* item = SCRIPT_PATTERN; *item != '\0'; ++item) {
        if (*item == ' ') {
            skip_white_space(source);
        } else if (*item == '%') {
            item += 2;  // the "lf" of the conversion
            skip_white_space(source);
            if (!scan_number(source, number)) {
                return false;
            }
            *targets[numbers_read++] = number_value(number);
            if (numbers_read == 2) {
                return true;
            }
        } else {
            if (peek_byte(source) != static_cast<unsigned char>(*item)) {
                return false;
            }
            skip_byte(source);
        }
    }
    return false;
}

bool read_script(std::FILE* script, InputPoint& point)
{
    ByteSource source;
    open_byte_source(source, script);
    return read_script(source, point);
}

}  // namespace qel_morvak
