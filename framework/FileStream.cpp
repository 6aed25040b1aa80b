#include "framework/FileStream.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace fw {

bool FileStream::open(const std::filesystem::path& path, Mode mode)
{
    close();
    clearError();
    m_writeErrno = 0;
    const char* how = mode == Mode::Read ? "rb" : mode == Mode::ReadWrite ? "r+b" : "w+b";
    m_file = std::fopen(path.c_str(), how);
    if (!m_file) {
        if (mode != Mode::Read)
            m_writeErrno = errno;  // a file that cannot be made on a full disk
        m_openError = std::strerror(errno);
        return false;
    }
    if (std::filesystem::is_directory(path)) {
        std::fclose(m_file);
        m_file = nullptr;
        m_openError = std::strerror(EISDIR);
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
