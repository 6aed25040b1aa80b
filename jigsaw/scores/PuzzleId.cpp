#include "jigsaw/scores/PuzzleId.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "framework/FileStream.h"
#include "jigsaw/document/Entry.h"

namespace qv {

PuzzleId PuzzleId::FromStream(fw::Stream& stream, uint64_t offset, uint64_t length)
{
    PuzzleId id;
    if (length == 0 || !stream.seek(offset))
        return id;
    uint8_t buffer[8192];
    uint64_t index = 0;
    while (index < length) {
        size_t want = static_cast<size_t>(std::min<uint64_t>(sizeof buffer, length - index));
        size_t got = stream.read(buffer, want);
        for (size_t i = 0; i < got; ++i, ++index)
            id.words[index & 3] += buffer[i];
        if (got < want)
            break;
    }
    return id;
}

PuzzleId PuzzleId::FromFile(const std::filesystem::path& puzzleFile)
{
    Entry entry;
    if (puzzleFile.empty() || !entry.readFile(puzzleFile).ok())
        return {};
    fw::FileStream file(puzzleFile, fw::FileStream::Mode::Read);
    if (!file.isOpen() || entry.directory.pictureOffset == 0)
        return {};
    return FromStream(file, entry.directory.pictureOffset, entry.directory.pictureLength);
}

std::string PuzzleId::ToText() const
{
    char buf[48];
    std::snprintf(buf, sizeof buf, "%X-%X-%X-%X", static_cast<unsigned>(words[0]), static_cast<unsigned>(words[1]),
                  static_cast<unsigned>(words[2]), static_cast<unsigned>(words[3]));
    return buf;
}

std::optional<PuzzleId> PuzzleId::Parse(std::string_view text)
{
    PuzzleId id;
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    for (int w = 0; w < 4; ++w) {
        if (w > 0) {
            if (i >= text.size() || text[i] != '-')
                return std::nullopt;
            ++i;
        }
        size_t start = i;
        uint64_t v = 0;
        for (; i < text.size() && std::isxdigit(static_cast<unsigned char>(text[i])); ++i) {
            char c = text[i];
            v = v * 16 + static_cast<uint64_t>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
            if (v > 0xFFFFFFFFu)
                return std::nullopt;
        }
        if (i == start)
            return std::nullopt;
        id.words[w] = static_cast<uint32_t>(v);
    }
    return id;
}

}  // namespace qv
