#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace qv {

// The 256 byte sums of a file: read in blocks of 256 bytes, every byte is
// added to the counter of its position in the block. A file that cannot be
// read gives all zeros and false.
bool ByteSums(const std::filesystem::path& file, std::array<uint32_t, 256>& sums);
// The sums in decimal, each right-aligned in 9 characters, ten a line,
// lines ended by CR LF.
std::string FormatByteSums(const std::array<uint32_t, 256>& sums);

// What the diagnostic report tells about the machine; the window gathers it.
struct SystemFacts {
    std::string program;        // name and version
    std::string windowSystem;   // stands where the window system's version is asked for
    std::string processor;
    int bitsPerPixel = 0;       // of a bitmap made for the play window
    int planes = 1;
    int widthBytes = 0;
    int maskBits = -1;          // bits a pixel of the open puzzle's mask sheet; -1 no puzzle
    std::vector<std::pair<std::string, std::string>> capabilities;  // name, value, in order
    std::string xMaskScreen;    // three values; empty leaves both display lines out
    std::string lShift;
    std::filesystem::path programFile;
    std::filesystem::path settingsFile;
};

// The plain-text report for the clipboard, lines separated by CR LF.
std::string BuildSystemReport(const SystemFacts& facts);

}  // namespace qv
