#include "framework/Stream.h"

#include <algorithm>
#include <cstring>

namespace fw {

size_t MemoryStream::read(void* buffer, size_t count)
{
    size_t avail = m_pos < m_bytes.size() ? m_bytes.size() - m_pos : 0;
    size_t n = std::min(count, avail);
    if (n)
        std::memcpy(buffer, m_bytes.data() + m_pos, n);
    m_pos += n;
    if (n < count)
        setError();
    return n;
}

size_t MemoryStream::write(const void* buffer, size_t count)
{
    if (m_pos + count > m_bytes.size())
        m_bytes.resize(m_pos + count);
    if (count)
        std::memcpy(m_bytes.data() + m_pos, buffer, count);
    m_pos += count;
    return count;
}

bool MemoryStream::seek(uint64_t position)
{
    // Seeking past the end is allowed, as in a file; a later write fills the gap with zeros.
    m_pos = static_cast<size_t>(position);
    return true;
}

}  // namespace fw
