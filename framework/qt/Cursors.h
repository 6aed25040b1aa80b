#pragma once
#include <QCursor>
#include <filesystem>

namespace fw {

// Cursors of the games: the program's own pictures (grab, uncover) and the
// system's wait cursor.
class Cursors {
public:
    // A cursor from a picture file with its hot spot; the arrow when the
    // file is missing or unreadable.
    static QCursor load(const std::filesystem::path& file, int hotX, int hotY);
};

// Shows the wait cursor over the whole program while it exists.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace fw
