#include "jigsaw/scores/BitScatter.h"

namespace qv {

namespace {
constexpr int64_t kTable[9] = {47, 5, 29, 13, 17, 103, 31, 43, 11};
}

std::vector<uint8_t> BitScatter::Fold(std::string_view text, size_t length)
{
    std::vector<uint8_t> out(length, 0);
    if (length == 0)
        return out;
    for (size_t i = 0; i < text.size(); ++i)
        out[i % length] ^= static_cast<uint8_t>(text[i]);
    return out;
}

std::vector<uint32_t> BitScatter::Places(size_t bytes, int32_t seed)
{
    const int64_t bits = static_cast<int64_t>(bytes) * 8;
    std::vector<uint32_t> places;
    std::vector<bool> taken(static_cast<size_t>(bits), false);
    places.reserve(static_cast<size_t>(bits));
    for (int64_t c = 0; c < bits; ++c) {
        const int64_t t = kTable[c % 9];
        int64_t p = (c & 1) ? t * seed : seed / t;
        p %= bits;
        if (p < 0)
            p += bits;
        while (taken[static_cast<size_t>(p)])
            p = p + 1 == bits ? 0 : p + 1;
        taken[static_cast<size_t>(p)] = true;
        places.push_back(static_cast<uint32_t>(p));
    }
    return places;
}

std::vector<uint8_t> BitScatter::Scatter(const std::vector<uint8_t>& source, int32_t seed)
{
    std::vector<uint8_t> out(source.size(), 0);
    std::vector<uint32_t> places = Places(source.size(), seed);
    for (size_t c = 0; c < places.size(); ++c) {
        bool bit = (source[c >> 3] >> (c & 7)) & 1;
        if (!bit)
            out[places[c] >> 3] |= static_cast<uint8_t>(1u << (places[c] & 7));
    }
    return out;
}

std::vector<uint8_t> BitScatter::Gather(const std::vector<uint8_t>& scattered, int32_t seed)
{
    std::vector<uint8_t> out(scattered.size(), 0);
    std::vector<uint32_t> places = Places(scattered.size(), seed);
    for (size_t c = 0; c < places.size(); ++c) {
        bool bit = (scattered[places[c] >> 3] >> (places[c] & 7)) & 1;
        if (!bit)
            out[c >> 3] |= static_cast<uint8_t>(1u << (c & 7));
    }
    return out;
}

int32_t BitScatter::Tame(int32_t seed)
{
    while (static_cast<int32_t>(static_cast<uint32_t>(seed) * 111u) < 0)
        seed /= 2;
    return seed;
}

int32_t BitScatter::SignedSum(std::string_view text)
{
    int32_t sum = 0;
    for (char ch : text)
        sum = wrapAdd(sum, static_cast<int8_t>(ch));
    return sum;
}

std::string BitScatter::ToHex(const std::vector<uint8_t>& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string s;
    for (uint8_t b : bytes) {
        s += digits[b >> 4];
        s += digits[b & 15];
    }
    return s;
}

std::vector<uint8_t> BitScatter::FromHex(std::string_view digits)
{
    auto value = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    };
    std::vector<uint8_t> out;
    if (digits.size() % 2)
        return out;
    for (size_t i = 0; i < digits.size(); i += 2) {
        int hi = value(digits[i]), lo = value(digits[i + 1]);
        if (hi < 0 || lo < 0)
            return {};
        out.push_back(static_cast<uint8_t>(hi * 16 + lo));
    }
    return out;
}

}  // namespace qv
