#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace fw {

// A byte stream with a position: the one abstraction every file format of
// the games reads and writes through (files, memory buffers, scrambled files).
class Stream {
public:
    virtual ~Stream() = default;

    // Both return the number of bytes moved; a short count sets the error.
    virtual size_t read(void* buffer, size_t count) = 0;
    virtual size_t write(const void* buffer, size_t count) = 0;
    virtual bool seek(uint64_t position) = 0;
    virtual uint64_t tell() const = 0;
    virtual uint64_t size() const = 0;

    bool error() const { return m_error; }
    void clearError() { m_error = false; }
    uint64_t remaining() const
    {
        uint64_t pos = tell(), total = size();
        return pos < total ? total - pos : 0;
    }

protected:
    void setError() { m_error = true; }

private:
    bool m_error = false;
};

// A growable buffer in memory. Reading and writing share one position, as in
// a file; writing past the end grows the buffer.
class MemoryStream : public Stream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<uint8_t> bytes) : m_bytes(std::move(bytes)) {}
    MemoryStream(const void* data, size_t count)
        : m_bytes(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + count) {}

    size_t read(void* buffer, size_t count) override;
    size_t write(const void* buffer, size_t count) override;
    bool seek(uint64_t position) override;
    uint64_t tell() const override { return m_pos; }
    uint64_t size() const override { return m_bytes.size(); }

    const std::vector<uint8_t>& bytes() const { return m_bytes; }
    std::vector<uint8_t> take() { m_pos = 0; return std::move(m_bytes); }

private:
    std::vector<uint8_t> m_bytes;
    size_t m_pos = 0;
};

}  // namespace fw
