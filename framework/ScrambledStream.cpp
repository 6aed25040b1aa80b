#include "framework/ScrambledStream.h"

#include <vector>

namespace fw {

void ScrambledStream::scramble(uint8_t* bytes, size_t count, uint64_t offset, const std::string& key,
                               uint32_t startOffset)
{
    const size_t n = key.size();
    if (n == 0)
        return;
    for (size_t i = 0; i < count; ++i) {
        uint64_t p = offset + i;
        if (p < startOffset)
            continue;
        uint64_t slot = p < 1024 ? (p >> 4) : (p >> 10);
        bytes[i] ^= static_cast<uint8_t>(key[slot % n]) ^ 0x80;
    }
}

size_t ScrambledStream::read(void* buffer, size_t count)
{
    uint64_t at = m_inner.tell();
    size_t got = m_inner.read(buffer, count);
    scramble(static_cast<uint8_t*>(buffer), got, at, m_key, m_start);
    if (got < count)
        setError();
    return got;
}

size_t ScrambledStream::write(const void* buffer, size_t count)
{
    // The caller's buffer is const here, so scramble a copy rather than
    // scrambling in place and back.
    std::vector<uint8_t> copy(static_cast<const uint8_t*>(buffer), static_cast<const uint8_t*>(buffer) + count);
    scramble(copy.data(), count, m_inner.tell(), m_key, m_start);
    size_t put = m_inner.write(copy.data(), count);
    if (put < count)
        setError();
    return put;
}

}  // namespace fw
