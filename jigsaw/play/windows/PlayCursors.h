#pragma once
#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <filesystem>

namespace qv {

// The pictures of the game that start-up loads from the program's folder:
// the grab cursor (300), the uncover cursor (301), the marker, the program
// icon (200) and the bitmaps 200 to 202. A missing file gives a plain
// stand-in, so the game runs from any folder.
class PlayCursors {
public:
    static void load(const std::filesystem::path& folder);
    static QCursor grab();
    static QCursor uncover();
    static const QPixmap& marker();
    static const QPixmap& icon();
    static const QPixmap& bitmap(int number);  // 200, 201, 202
};

}  // namespace qv
