#include "framework/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fw {

namespace fs = std::filesystem;

fs::path followLinks(const fs::path& path)
{
    fs::path p = path;
    // The system gives up on longer chains too (a loop would never end).
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(p, ec)) || ec)
            return p;
        const fs::path to = fs::read_symlink(p, ec);
        if (ec)
            return p;
        p = to.is_absolute() ? to : p.parent_path() / to;
    }
    return p;
}

namespace {

// The new file gets the old one's permissions before any content is in it,
// so a private file is never readable by others, not even for a moment.
void copyOwnerAndMode(const fs::path& from, const fs::path& to)
{
    struct stat st {};
    if (::stat(from.c_str(), &st) != 0)
        return;
    // Only root may give a file away; a group of ours is still kept.
    if (::chown(to.c_str(), st.st_uid, st.st_gid) != 0)
        (void)!::chown(to.c_str(), static_cast<uid_t>(-1), st.st_gid);
    ::chmod(to.c_str(), st.st_mode & 07777);
}

void syncFolder(const fs::path& dir)
{
    const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

AtomicFile::AtomicFile(fs::path target) : m_target(followLinks(target))
{
    static std::atomic<unsigned> counter{0};
    std::string name = "." + m_target.filename().string() + ".tmp" + std::to_string(::getpid()) + "-" +
                       std::to_string(counter++);
    m_temp = m_target.parent_path() / name;
    if (m_stream.open(m_temp, FileStream::Mode::Create))
        copyOwnerAndMode(m_target, m_temp);
}

AtomicFile::~AtomicFile()
{
    if (m_done)
        return;
    m_stream.close();
    std::error_code ec;
    fs::remove(m_temp, ec);
}

int AtomicFile::error() const { return m_error ? m_error : m_stream.writeErrno(); }

bool AtomicFile::commit()
{
    if (m_done || !m_stream.isOpen())
        return false;
    bool ok = !m_stream.error() && m_stream.sync();
    ok = m_stream.close() && ok;
    if (!ok)
        return false;
    std::error_code ec;
    fs::rename(m_temp, m_target, ec);
    if (ec) {
        m_error = ec.value();
        return false;
    }
    m_done = true;
    syncFolder(m_target.parent_path());
    return true;
}

bool replaceFile(const fs::path& target, const std::function<bool(Stream&)>& writer, int* errorNumber)
{
    AtomicFile file(target);
    bool ok = file.isOpen() && writer(file.stream()) && file.commit();
    if (errorNumber)
        *errorNumber = ok ? 0 : file.error();
    return ok;
}

bool isNoRoomError(int errorNumber)
{
    return errorNumber == ENOSPC || errorNumber == EDQUOT || errorNumber == EFBIG;
}

}  // namespace fw
