#pragma once

#include <cstddef>
#include <cstdio>

namespace qel_morvak {

// Reads a script forward with one byte of look-ahead, either from an open
// file through a fixed buffer or from bytes already in memory. A read error
// counts as the end of the input.
struct ByteSource {
    static constexpr std::size_t CAPACITY = 16384;
    static constexpr int END = -1;

    std::FILE* file;
    const unsigned char* next;
    const unsigned char* end;
    unsigned char buffer[CAPACITY];
};

void open_byte_source(ByteSource& source, std::FILE* file);
void open_byte_source(ByteSource& source, const unsigned char* bytes, std::size_t size);

// Refills the buffer when it is empty; END once the input is exhausted.
int refill_byte_source(ByteSource& source);

inline int peek_byte(ByteSource& source)
{
    if (source.next != source.end) {
        return *source.next;
    }
    return refill_byte_source(source);
}

inline void skip_byte(ByteSource& source)
{
    ++source.next;
}

}  // namespace qel_morvak
