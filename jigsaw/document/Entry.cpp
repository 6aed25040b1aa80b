#include "jigsaw/document/Entry.h"

#include <cstring>

#include "framework/ByteIO.h"
#include "framework/FileStream.h"
#include "jigsaw/document/HeaderString.h"

namespace qv {

fw::Status Entry::readFile(const std::filesystem::path& file)
{
    fw::FileStream stream(file, fw::FileStream::Mode::Read);
    if (!stream.isOpen()) {
        clear();
        path = file;
        return fw::Status(msg::CannotOpen, file.filename().string()).because(stream.openErrno());
    }
    return read(stream, file);
}

fw::Status Entry::read(fw::Stream& stream, const std::filesystem::path& file)
{
    clear();
    path = file;
    const fw::Status bad(msg::BadFile, file.string());
    fw::ByteReader in(stream);
    madeByVersion = in.i16();
    requiredVersion = in.i16();
    if (madeByVersion >= 199)
        title = in.text();
    sizeCount = in.i16();
    reserved = in.u8();
    if (in.failed())
        return bad;
    if (requiredVersion > NewestReadable) {
        tooNew = true;
        sizeCount = 1;
        return fw::Status(msg::TooNew);
    }
    char magic[4] = {};
    in.bytes(magic, 4);
    if (in.failed() || std::memcmp(magic, "PUZZ", 4) != 0)
        return bad;
    header = in.text();
    in.skip(32);
    in.bytes(opaque.data(), opaque.size());
    directoryPosition = stream.tell();
    directory.thumbnailOffset = in.u32();
    directory.pictureOffset = in.u32();
    directory.pictureLength = in.u32();
    directory.pictureKind = in.u8();
    directory.cacheOffset = in.u32();
    directory.secondPictureOffset = in.u32();
    if (in.failed() || !blocksInside(stream.size()))
        return bad;
    readSizes();
    return {};
}

// Every block the directory names must lie inside the file, so that the
// picture and thumbnail readers can trust offsets and lengths.
bool Entry::blocksInside(uint64_t fileSize) const
{
    const auto& d = directory;
    if (d.pictureKind > 2)
        return false;
    uint64_t picture = uint64_t(d.pictureOffset) + (d.pictureKind == 2 ? PuzzleDirectory::PaletteBlockBytes : 0);
    if (d.pictureOffset < directoryPosition + PuzzleDirectory::Bytes || picture + d.pictureLength > fileSize)
        return false;
    for (uint32_t offset : {d.thumbnailOffset, d.cacheOffset, d.secondPictureOffset}) {
        if (offset != 0 && offset >= fileSize)
            return false;
    }
    return true;
}

void Entry::readSizes()
{
    HeaderString h(header, "/-");
    for (int k = 0; k < 5; ++k) {
        char key[] = "Med0:";
        key[3] = static_cast<char>('0' + k);
        int64_t r = 0, c = 0;
        if (auto v = h.take(key); v && HeaderString::parsePair(*v, '#', r, c)) {
            rows[k] = static_cast<int16_t>(r);
            columns[k] = static_cast<int16_t>(c);
        }
    }
    noCustom = h.takeFlag("nocustom");
}

}  // namespace qv
