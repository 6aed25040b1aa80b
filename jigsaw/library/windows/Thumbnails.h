#pragma once
#include <QPixmap>
#include <filesystem>

namespace qv {

struct ShelfEntry;

// The thumbnail block of a puzzle file (the maker's small picture) as a
// pixmap; null when the file has none or cannot be read. A saved game shows
// the thumbnail of the puzzle it belongs to.
QPixmap PuzzleThumbnail(const std::filesystem::path& puzzleFile);
QPixmap EntryThumbnail(const ShelfEntry& entry);

// A pixmap scaled down (never up) to fit into width x height.
QPixmap FitInto(const QPixmap& pixmap, int width, int height);

}  // namespace qv
