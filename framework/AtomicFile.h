#pragma once
#include <filesystem>
#include <functional>

#include "framework/FileStream.h"

namespace fw {

// Replaces a whole file safely: everything is written to a temporary file in
// the same folder, flushed to the disk and renamed over the old file, so a
// crash or a full disk never leaves half a file or loses the old one.
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

private:
    std::filesystem::path m_target;
    std::filesystem::path m_temp;
    FileStream m_stream;
    bool m_done = false;
};

// Writes a whole file through AtomicFile; false when the old file is kept.
bool replaceFile(const std::filesystem::path& target, const std::function<bool(Stream&)>& writer);

}  // namespace fw
