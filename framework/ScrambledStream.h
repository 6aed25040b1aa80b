#pragma once
#include <cstdint>
#include <string>

#include "framework/Stream.h"

namespace fw {

// Scores files, directory caches and translation files keep their bytes
// scrambled with a key. The key byte depends only on the file offset, so the
// stream can seek freely; scrambling is its own inverse.
class ScrambledStream : public Stream {
public:
    // An empty key makes every transfer plain.
    ScrambledStream(Stream& inner, std::string key, uint32_t startOffset = 0)
        : m_inner(inner), m_key(std::move(key)), m_start(startOffset) {}

    size_t read(void* buffer, size_t count) override;
    size_t write(const void* buffer, size_t count) override;
    bool seek(uint64_t position) override { return m_inner.seek(position); }
    uint64_t tell() const override { return m_inner.tell(); }
    uint64_t size() const override { return m_inner.size(); }

    // Scrambles count bytes that lie at file offset `offset`, in place.
    static void scramble(uint8_t* bytes, size_t count, uint64_t offset, const std::string& key, uint32_t startOffset = 0);

private:
    Stream& m_inner;
    std::string m_key;
    uint32_t m_start;
};

}  // namespace fw
