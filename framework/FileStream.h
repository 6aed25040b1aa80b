#pragma once
#include <cstdio>
#include <filesystem>
#include <string>

#include "framework/Stream.h"

namespace fw {

// A file opened for one operation and closed after it.
class FileStream : public Stream {
public:
    enum class Mode { Read, ReadWrite, Create };  // Create truncates or makes a new file

    FileStream() = default;
    FileStream(const std::filesystem::path& path, Mode mode) { open(path, mode); }
    ~FileStream() override { close(); }
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;

    bool open(const std::filesystem::path& path, Mode mode);
    // Flushes; false when anything written could not reach the disk.
    bool close();
    bool isOpen() const { return m_file != nullptr; }
    // Flushes and asks the system to put the bytes on the disk.
    bool sync();

    size_t read(void* buffer, size_t count) override;
    size_t write(const void* buffer, size_t count) override;
    bool seek(uint64_t position) override;
    uint64_t tell() const override;
    uint64_t size() const override;

    // The system's description of the last failure to open, for messages.
    const std::string& openError() const { return m_openError; }
    // The system's error number of the last failure to open (0 when it opened).
    int openErrno() const { return m_openErrno; }
    // The system's error number of the first write, flush or sync that
    // failed (0 when none did): a full disk is told apart from a bad file by it.
    int writeErrno() const { return m_writeErrno; }

private:
    void noteWriteFailure();

    std::FILE* m_file = nullptr;
    std::string m_openError;
    int m_openErrno = 0;
    int m_writeErrno = 0;
};

}  // namespace fw
