#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The pieces both signatures are made of: a fold of a text into a few bytes
// and a seeded scattering of bits that only the same seed gathers back.
class BitScatter {
public:
    // Byte i of the text XOR-ed into position i mod length of a zeroed buffer.
    static std::vector<uint8_t> Fold(std::string_view text, size_t length);
    // Every source bit, inverted, to its own place of the destination. Places
    // are computed in 64 bits with a non-negative remainder, so every seed
    // (also negative or large ones) gives a defined result; where the 32-bit
    // products did not overflow the places are the same as ever.
    static std::vector<uint8_t> Scatter(const std::vector<uint8_t>& source, int32_t seed);
    // The inverse of Scatter with the same seed.
    static std::vector<uint8_t> Gather(const std::vector<uint8_t>& scattered, int32_t seed);
    // Halves the seed until seed x 111 (in 32 bits) is not negative.
    static int32_t Tame(int32_t seed);
    // Sum of the bytes as signed values, wrapping at 32 bits.
    static int32_t SignedSum(std::string_view text);

    static std::string ToHex(const std::vector<uint8_t>& bytes);
    // Two lowercase or uppercase digits per byte; empty on any other character or an odd count.
    static std::vector<uint8_t> FromHex(std::string_view digits);

private:
    static std::vector<uint32_t> Places(size_t bytes, int32_t seed);
};

// 32-bit arithmetic that wraps like the signature sums always did.
inline int32_t wrapAdd(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

}  // namespace qv
