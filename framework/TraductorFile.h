#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Status.h"

namespace fw {

// Translation files ("dix"): a table offset, an optional version, the
// language's flag as a complete BMP file, then the sorted keys, their
// offsets into the text pool, and the pool of zero-terminated texts in
// Windows-1252. The whole file is scrambled with one fixed key.
extern const char* const kDixScrambleKey;

namespace msg {
// A translation file that cannot be opened; the insert is its path.
constexpr int DixCannotOpen = 1012;
// A translation file that is damaged or is not a translation file.
constexpr int DixDamaged = 20;
// A translation file of another version than the program expects.
constexpr int DixVersion = 199;
}  // namespace msg

// The entry key: ((variant × 256 + kind + context) × 65536) + id in 32 bits.
// The context is added to the kind, so (kind 1, context 64) shares its keys
// with kind 65: the files were made that way and stay readable.
int32_t dixKey(uint16_t kind, uint16_t id, uint16_t variant, uint16_t context);

struct DixEntry {
    uint16_t kind = 1;
    uint16_t id = 0;
    uint16_t variant = 0;
    uint16_t context = 0;
    std::string text;  // Windows-1252, no zero byte inside
};

// The contents of one file, unscrambled.
struct DixTable {
    uint16_t version = 0;          // hundredths; 100 for a file without a version field
    std::vector<uint8_t> flagBmp;  // the flag's BMP file bytes
    std::vector<int32_t> keys;     // ascending
    std::vector<uint32_t> offsets; // parallel to keys
    std::string pool;              // texts, each ending with a zero byte

    // Index of the first entry with this key (several may share one).
    std::optional<size_t> find(int32_t key) const;
    const char* textAt(size_t index) const { return pool.c_str() + offsets[index]; }
};

// Parses unscrambled file bytes. Every offset and count is checked against
// the bytes present; on failure `why` says what is wrong, in English.
bool parseDix(const std::vector<uint8_t>& bytes, DixTable& out, std::string& why, bool headerOnly = false);

// Reads a file through the scrambled stream. A failed status carries the
// file's path as its insert; `why` tells the detail.
Status loadDix(const std::filesystem::path& path, DixTable& out, std::string& why, bool headerOnly = false);

// Lays out a file (unscrambled). version 0 writes the old layout without a
// version field (read back as 1.00); flagBmp must be a BMP file.
std::vector<uint8_t> buildDix(std::vector<DixEntry> entries, const std::vector<uint8_t>& flagBmp, uint16_t version);

// Scrambles and writes a file in one atomic replace.
bool writeDix(const std::filesystem::path& path, const std::vector<uint8_t>& plainBytes);

}  // namespace fw
