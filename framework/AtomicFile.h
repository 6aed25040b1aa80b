#pragma once
#include <filesystem>
#include <functional>

#include "framework/FileStream.h"

namespace fw {

// Replaces a whole file safely: everything is written to a temporary file in
// the same folder, flushed to the disk and renamed over the old file, so a
// crash or a full disk never leaves half a file or loses the old one.
//
// The file stays as the player made it: a symbolic link stays a link and
// the file it names gets the new content (the temporary file is made beside
// that file, so the rename never crosses a disk), and the old file's mode
// and, where the system lets us, its owner are kept. The folder is synced
// after the rename so that a power cut keeps the new file.
class AtomicFile {
public:
    explicit AtomicFile(std::filesystem::path target);
    ~AtomicFile();  // discards the temporary file unless committed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool isOpen() const { return m_stream.isOpen(); }
    FileStream& stream() { return m_stream; }
    // Makes the new content the file's; false (old file untouched) on any write error.
    bool commit();
    // The system's error number of the first failure (0 when none was seen).
    int error() const;
    // The file that is really replaced: the target with its links followed.
    const std::filesystem::path& target() const { return m_target; }

private:
    std::filesystem::path m_target;
    std::filesystem::path m_temp;
    FileStream m_stream;
    int m_error = 0;
    bool m_done = false;
};

// Writes a whole file through AtomicFile; false when the old file is kept.
// errorNumber, when given, gets the system's error number of the failure
// (0 when the writer itself gave up).
bool replaceFile(const std::filesystem::path& target, const std::function<bool(Stream&)>& writer,
                 int* errorNumber = nullptr);

// Whether a failure's error number means the disk (or the user's share of
// it, or the file size the process may write) has no room left: nothing is
// wrong with the file, the player only has to free some space.
bool isNoRoomError(int errorNumber);

// The path a symbolic link (or a chain of them) finally names; the path
// itself when it is no link. A dangling link gives the missing file it names.
std::filesystem::path followLinks(const std::filesystem::path& path);

}  // namespace fw
