#include "jigsaw/document/PuzzleFileWriter.h"

#include <algorithm>

#include "framework/AtomicFile.h"
#include "framework/ByteIO.h"
#include "jigsaw/document/Entry.h"
#include "jigsaw/document/Puz.h"

namespace qv {

namespace {

constexpr size_t kStoredPaletteEntries = 235;

void writePalette(fw::ByteWriter& w, const std::vector<uint32_t>& palette)
{
    const size_t stored = std::min(palette.size(), kStoredPaletteEntries);
    w.u16(static_cast<uint16_t>(std::min<size_t>(palette.size(), 0xFFFF)));
    for (size_t i = 0; i < stored; ++i) {
        uint32_t p = palette[i];
        w.u8(static_cast<uint8_t>(p));        // blue
        w.u8(static_cast<uint8_t>(p >> 8));   // green
        w.u8(static_cast<uint8_t>(p >> 16));  // red
        w.u8(0);
    }
    w.zeros(PuzzleDirectory::PaletteBlockBytes - 2 - stored * 4);
}

}  // namespace

PuzzleFileContent PuzzleFileContent::fromDocument(const Puz& puz)
{
    PuzzleFileContent c;
    c.requiredVersion = puz.requiredVersion;
    c.title = puz.entry.title;
    int16_t count = 0;
    while (count < 5 && puz.rows[count] != 0)
        ++count;
    c.sizeCount = count;
    c.header = puz.BuildHeader(false);
    c.opaque = puz.entry.opaque;
    return c;
}

bool writePuzzleFile(fw::Stream& out, const PuzzleFileContent& c)
{
    fw::ByteWriter w(out);
    w.i16(Entry::WrittenVersion);
    w.i16(c.requiredVersion);
    w.text(c.title);
    w.i16(c.sizeCount);
    w.u8(0);
    w.bytes("PUZZ", 4);
    w.text(c.header);
    w.zeros(32);
    w.bytes(c.opaque.data(), c.opaque.size());
    const uint64_t directoryPosition = out.tell();
    w.zeros(PuzzleDirectory::Bytes);
    PuzzleDirectory d;
    if (!c.thumbnailBmp.empty()) {
        d.thumbnailOffset = static_cast<uint32_t>(out.tell());
        w.bytes(c.thumbnailBmp.data(), c.thumbnailBmp.size());
    }
    d.pictureOffset = static_cast<uint32_t>(out.tell());
    writePalette(w, c.palette);
    w.bytes(c.jpeg.data(), c.jpeg.size());
    d.pictureLength = static_cast<uint32_t>(c.jpeg.size());
    d.pictureKind = 2;
    const uint64_t end = out.tell();
    if (end > 0xFFFFFFFFu || !out.seek(directoryPosition))
        return false;
    w.u32(d.thumbnailOffset);
    w.u32(d.pictureOffset);
    w.u32(d.pictureLength);
    w.u8(d.pictureKind);
    w.u32(d.cacheOffset);
    w.u32(d.secondPictureOffset);
    return !w.failed() && out.seek(end);
}

fw::Status writePuzzleFile(const std::filesystem::path& path, const PuzzleFileContent& content)
{
    int why = 0;
    bool ok = fw::replaceFile(path, [&](fw::Stream& out) { return writePuzzleFile(out, content); }, &why);
    if (ok)
        return {};
    return fw::isNoRoomError(why) ? fw::Status(fw::msg::DiskFull, path.string())
                                  : fw::Status(msg::BadFile, path.string()).because(why);
}

}  // namespace qv
