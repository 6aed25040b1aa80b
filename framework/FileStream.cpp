#include "framework/FileStream.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fw {

bool FileStream::open(const std::filesystem::path& path, Mode mode)
{
    close();
    clearError();
    m_writeErrno = 0;
    m_openErrno = 0;
    // Only regular files: opening a FIFO or a device would wait for a
    // writer for ever, or read without end. Opening without blocking lets
    // the type be checked on what was opened, not on a name that may change.
    const int flags = mode == Mode::Read ? O_RDONLY : mode == Mode::ReadWrite ? O_RDWR : O_RDWR | O_CREAT | O_TRUNC;
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        m_openErrno = errno;
        if (mode != Mode::Read)
            m_writeErrno = errno;  // a file that cannot be made on a full disk
        m_openError = std::strerror(errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        m_openErrno = S_ISDIR(st.st_mode) ? EISDIR : 0;
        m_openError = S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : "not a regular file";
        ::close(fd);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    m_file = ::fdopen(fd, mode == Mode::Read ? "rb" : "r+b");
    if (!m_file) {
        m_openErrno = errno;
        m_openError = std::strerror(errno);
        ::close(fd);
        return false;
    }
    m_openError.clear();
    return true;
}

bool FileStream::close()
{
    if (!m_file)
        return true;
    const bool closed = std::fclose(m_file) == 0;
    if (!closed)
        noteWriteFailure();
    m_file = nullptr;
    return closed && !error();
}

bool FileStream::sync()
{
    if (!m_file)
        return false;
    if (std::fflush(m_file) != 0 || ::fsync(::fileno(m_file)) != 0) {
        noteWriteFailure();
        return false;
    }
    return true;
}

void FileStream::noteWriteFailure()
{
    if (m_writeErrno == 0)
        m_writeErrno = errno;
}

size_t FileStream::read(void* buffer, size_t count)
{
    if (!m_file) {
        setError();
        return 0;
    }
    if (count == 0)
        return 0;  // an empty vector's buffer may be null, which fread must not get
    size_t n = std::fread(buffer, 1, count, m_file);
    if (n < count)
        setError();
    return n;
}

size_t FileStream::write(const void* buffer, size_t count)
{
    if (!m_file) {
        setError();
        return 0;
    }
    if (count == 0)
        return 0;  // an empty vector's buffer may be null, which fwrite must not get
    size_t n = std::fwrite(buffer, 1, count, m_file);
    if (n < count) {
        noteWriteFailure();
        setError();
    }
    return n;
}

bool FileStream::seek(uint64_t position)
{
    if (!m_file || std::fseek(m_file, static_cast<long>(position), SEEK_SET) != 0) {
        setError();
        return false;
    }
    return true;
}

uint64_t FileStream::tell() const
{
    if (!m_file)
        return 0;
    long pos = std::ftell(m_file);
    return pos < 0 ? 0 : static_cast<uint64_t>(pos);
}

uint64_t FileStream::size() const
{
    if (!m_file)
        return 0;
    long here = std::ftell(m_file);
    std::fseek(m_file, 0, SEEK_END);
    long end = std::ftell(m_file);
    std::fseek(m_file, here, SEEK_SET);
    return end < 0 ? 0 : static_cast<uint64_t>(end);
}

}  // namespace fw
