#include "jigsaw/library/windows/Thumbnails.h"

#include <QImage>

#include "framework/Bmp.h"
#include "framework/FileStream.h"
#include "jigsaw/document/Entry.h"
#include "jigsaw/library/ShelfEntry.h"

namespace qv {

QPixmap PuzzleThumbnail(const std::filesystem::path& puzzleFile)
{
    fw::FileStream file(puzzleFile, fw::FileStream::Mode::Read);
    if (!file.isOpen())
        return {};
    Entry entry;
    if (!entry.read(file, puzzleFile).ok())
        return {};
    const uint32_t offset = entry.directory.thumbnailOffset;
    fw::Bitmap bmp;
    if (offset == 0 || !file.seek(offset) || !fw::readBmp(file, bmp).ok() || bmp.isNull())
        return {};
    const QImage view(reinterpret_cast<const uchar*>(bmp.bits()), bmp.width(), bmp.height(), bmp.width() * 4,
                      QImage::Format_RGB32);
    return QPixmap::fromImage(view.copy());
}

QPixmap EntryThumbnail(const ShelfEntry& entry)
{
    if (!entry.status.ok())
        return {};
    if (entry.kind == ShelfEntry::Kind::SavedGame)
        return entry.puzzleFile.empty() ? QPixmap() : PuzzleThumbnail(entry.puzzlePath());
    return PuzzleThumbnail(entry.path);
}

QPixmap FitInto(const QPixmap& pixmap, int width, int height)
{
    if (pixmap.isNull() || (pixmap.width() <= width && pixmap.height() <= height))
        return pixmap;
    return pixmap.scaled(width, height, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

}  // namespace qv
