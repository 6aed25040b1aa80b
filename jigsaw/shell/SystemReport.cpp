#include "jigsaw/shell/SystemReport.h"

#include <cstdio>
#include <vector>

#include "framework/FileStream.h"

namespace qv {

namespace {
const char* const kCrLf = "\r\n";

// The settings file's lines as they are, whatever their line ends.
std::vector<std::string> fileLines(const std::filesystem::path& path)
{
    std::vector<std::string> lines;
    fw::FileStream in;
    if (!in.open(path, fw::FileStream::Mode::Read))
        return lines;
    std::string text(static_cast<size_t>(in.size()), '\0');
    text.resize(in.read(text.data(), text.size()));
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}
}  // namespace

bool ByteSums(const std::filesystem::path& file, std::array<uint32_t, 256>& sums)
{
    sums.fill(0);
    fw::FileStream in;
    if (!in.open(file, fw::FileStream::Mode::Read))
        return false;
    std::vector<uint8_t> block(64 * 1024);  // a multiple of 256 keeps the positions
    for (;;) {
        const size_t n = in.read(block.data(), block.size());
        for (size_t i = 0; i < n; ++i)
            sums[i & 0xFF] += block[i];
        if (n < block.size())
            break;
    }
    return true;
}

std::string FormatByteSums(const std::array<uint32_t, 256>& sums)
{
    std::string out;
    char cell[16];
    for (size_t i = 0; i < sums.size(); ++i) {
        std::snprintf(cell, sizeof cell, "%9u", static_cast<unsigned>(sums[i]));
        out += cell;
        if (i % 10 == 9 || i + 1 == sums.size())
            out += kCrLf;
    }
    return out;
}

std::string BuildSystemReport(const SystemFacts& f)
{
    std::string r = "Pgm:" + f.program;
    r += "\r\nWinVersion:" + f.windowSystem;
    r += "\r\nSysInfo-Processor:" + f.processor;
    r += "\r\nBmpWMain: bitspixel=" + std::to_string(f.bitsPerPixel);
    r += "\r\nplanes=" + std::to_string(f.planes);
    r += "\r\nwidthbytes=" + std::to_string(f.widthBytes);
    if (f.maskBits >= 0)
        r += "\r\nBmpMask=" + std::to_string(f.maskBits);
    for (const auto& [name, value] : f.capabilities)
        r += kCrLf + name + ":" + value;
    if (!f.xMaskScreen.empty()) {
        r += "\r\nXMaskScreen:" + f.xMaskScreen;
        r += "\r\nLShift:" + f.lShift;
    }
    r += "\r\nProgram dump:\r\n" + std::string(20, '-') + kCrLf;
    std::array<uint32_t, 256> sums{};
    ByteSums(f.programFile, sums);
    r += FormatByteSums(sums);
    r += std::string(30, '-');
    r += "\r\nqvrk.ini \r\n\r\n";
    for (const std::string& line : fileLines(f.settingsFile))
        r += line + kCrLf;
    return r;
}

}  // namespace qv
