#include "framework/ByteIO.h"

#include <algorithm>
#include <cstring>

namespace fw {

bool ByteReader::fill(void* buffer, size_t count)
{
    if (m_failed || m_stream.read(buffer, count) != count) {
        m_failed = true;
        std::memset(buffer, 0, count);
        return false;
    }
    return true;
}

uint8_t ByteReader::u8()
{
    uint8_t b = 0;
    fill(&b, 1);
    return b;
}

uint16_t ByteReader::u16()
{
    uint8_t b[2];
    fill(b, 2);
    return loadU16(b);
}

uint32_t ByteReader::u32()
{
    uint8_t b[4];
    fill(b, 4);
    return loadU32(b);
}

float ByteReader::f32()
{
    uint32_t bits = u32();
    float v;
    std::memcpy(&v, &bits, 4);
    return v;
}

double ByteReader::f64()
{
    uint64_t lo = u32();
    uint64_t hi = u32();
    uint64_t bits = lo | (hi << 32);
    double v;
    std::memcpy(&v, &bits, 8);
    return v;
}

std::string ByteReader::text()
{
    uint16_t n = u16();
    if (!has(n)) {
        m_failed = true;
        return {};
    }
    std::string s(n, '\0');
    fill(s.data(), n);
    return s;
}

std::vector<uint8_t> ByteReader::bytes(size_t count)
{
    if (!has(count)) {
        m_failed = true;
        return {};
    }
    std::vector<uint8_t> v(count);
    fill(v.data(), count);
    return v;
}

bool ByteReader::bytes(void* buffer, size_t count)
{
    return fill(buffer, count);
}

bool ByteReader::skip(uint64_t count)
{
    if (!has(count) || !m_stream.seek(m_stream.tell() + count)) {
        m_failed = true;
        return false;
    }
    return true;
}

void ByteWriter::put(const void* data, size_t count)
{
    if (m_stream.write(data, count) != count)
        m_failed = true;
}

void ByteWriter::u16(uint16_t v)
{
    uint8_t b[2];
    storeU16(b, v);
    put(b, 2);
}

void ByteWriter::u32(uint32_t v)
{
    uint8_t b[4];
    storeU32(b, v);
    put(b, 4);
}

void ByteWriter::f32(float v)
{
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    u32(bits);
}

void ByteWriter::f64(double v)
{
    uint64_t bits;
    std::memcpy(&bits, &v, 8);
    u32(static_cast<uint32_t>(bits));
    u32(static_cast<uint32_t>(bits >> 32));
}

void ByteWriter::text(const std::string& s)
{
    size_t n = std::min<size_t>(s.size(), 0xFFFF);
    u16(static_cast<uint16_t>(n));
    put(s.data(), n);
}

void ByteWriter::zeros(size_t count)
{
    static const uint8_t zero[64] = {};
    while (count) {
        size_t n = std::min(count, sizeof zero);
        put(zero, n);
        count -= n;
    }
}

}  // namespace fw
