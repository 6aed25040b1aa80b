#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "framework/Stream.h"

namespace fw {

// Reads little-endian integers and stored texts (u16 length + bytes) from a
// stream. A short read marks the reader failed and yields zeros from then
// on, so a format reader can read a whole record and check once.
class ByteReader {
public:
    explicit ByteReader(Stream& stream) : m_stream(stream) {}

    uint8_t u8();
    int8_t i8() { return static_cast<int8_t>(u8()); }
    uint16_t u16();
    int16_t i16() { return static_cast<int16_t>(u16()); }
    uint32_t u32();
    int32_t i32() { return static_cast<int32_t>(u32()); }
    float f32();
    double f64();
    // A stored text; a length that runs past the end of the stream fails
    // without allocating it.
    std::string text();
    // count raw bytes, checked against what the stream still holds.
    std::vector<uint8_t> bytes(size_t count);
    bool bytes(void* buffer, size_t count);
    bool skip(uint64_t count);

    bool failed() const { return m_failed; }
    // True when at least count more bytes can be read: check lengths and
    // counts from a file with this before allocating for them.
    bool has(uint64_t count) const { return !m_failed && m_stream.remaining() >= count; }
    Stream& stream() { return m_stream; }

private:
    bool fill(void* buffer, size_t count);

    Stream& m_stream;
    bool m_failed = false;
};

// Writes little-endian integers and stored texts to a stream.
class ByteWriter {
public:
    explicit ByteWriter(Stream& stream) : m_stream(stream) {}

    void u8(uint8_t v) { put(&v, 1); }
    void i8(int8_t v) { u8(static_cast<uint8_t>(v)); }
    void u16(uint16_t v);
    void i16(int16_t v) { u16(static_cast<uint16_t>(v)); }
    void u32(uint32_t v);
    void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
    void f32(float v);
    void f64(double v);
    // Texts longer than 65535 bytes are cut to that length: the length field has 16 bits.
    void text(const std::string& s);
    void bytes(const void* data, size_t count) { put(data, count); }
    void zeros(size_t count);

    bool failed() const { return m_failed; }
    Stream& stream() { return m_stream; }

private:
    void put(const void* data, size_t count);

    Stream& m_stream;
    bool m_failed = false;
};

// Little-endian access to bytes already in memory.
inline uint16_t loadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t loadU32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}
inline void storeU16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void storeU32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace fw
