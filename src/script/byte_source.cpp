#include "script/byte_source.h"

namespace qel_morvak {

void open_byte_source(ByteSource& source, std::FILE* file)
{
    source.file = file;
    source.next = source.buffer;
    source.end = source.buffer;
}

void open_byte_source(ByteSource& source, const unsigned char* bytes, std::size_t size)
{
    source.file = nullptr;
    source.next = bytes;
    source.end = bytes + size;
}

int refill_byte_source(ByteSource& source)
{
    if (source.file == nullptr) {
        return ByteSource::END;
    }
    const std::size_t count = std::fread(source.buffer, 1, ByteSource::CAPACITY, source.file);
    if (count == 0) {
        // Once at the end or after an error, never read again.
        source.file = nullptr;
        return ByteSource::END;
    }
    source.next = source.buffer;
    source.end = source.buffer + count;
    return *source.next;
}

}  // namespace qel_morvak
