#pragma once
// Folders that fail: a tiny tmpfs that fills up, a folder that cannot be
// written to. Mounting needs root; as another user a folder is made
// read-only with its permission bits instead, and the full disk is only
// simulated (FailingStream).
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/Stream.h"

namespace crashsafe {

// A tmpfs of `bytes` bytes mounted on a fresh folder.
class TinyDisk {
public:
    TinyDisk(const std::filesystem::path& where, size_t bytes) : m_path(where)
    {
        std::filesystem::create_directories(m_path);
        const std::string options = "size=" + std::to_string(bytes) + ",mode=0777";
        m_mounted = ::geteuid() == 0 && ::mount("tmpfs", m_path.c_str(), "tmpfs", 0, options.c_str()) == 0;
        m_options = options;
    }
    ~TinyDisk()
    {
        if (m_mounted)
            ::umount2(m_path.c_str(), MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }
    const std::filesystem::path& path() const { return m_path; }
    bool remountReadOnly()
    {
        return m_mounted &&
               ::mount("tmpfs", m_path.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, m_options.c_str()) == 0;
    }
    // Writes a filler file until the disk is full; returns its path.
    std::filesystem::path fill() const
    {
        const std::filesystem::path filler = m_path / "filler";
        std::FILE* f = std::fopen(filler.c_str(), "wb");
        if (!f)
            return filler;
        std::setvbuf(f, nullptr, _IONBF, 0);
        char block[512] = {};
        while (std::fwrite(block, 1, sizeof block, f) == sizeof block) {
        }
        while (std::fwrite(block, 1, 1, f) == 1) {
        }
        std::fclose(f);
        return filler;
    }

private:
    std::filesystem::path m_path;
    std::string m_options;
    bool m_mounted = false;
};

// A folder whose files can be read but not written, created or removed:
// a read-only tmpfs as root, the permission bits otherwise. fill() puts
// files in before it turns read-only.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const std::filesystem::path& where) : m_disk(where, 8u << 20) {}
    const std::filesystem::path& path() const { return m_disk.path(); }
    // Root ignores permission bits, so without the mount there is no such folder.
    bool usable() const { return m_disk.mounted() || ::geteuid() != 0; }
    bool makeReadOnly()
    {
        if (m_disk.mounted())
            return m_disk.remountReadOnly();
        m_chmodded = ::chmod(path().c_str(), 0555) == 0;
        return m_chmodded;
    }
    ~ReadOnlyFolder()
    {
        if (m_chmodded)
            ::chmod(path().c_str(), 0755);
    }

private:
    TinyDisk m_disk;
    bool m_chmodded = false;
};

// A disk that is full after `room` bytes: writes beyond that fail as a
// full disk makes them fail.
class FailingStream : public fw::Stream {
public:
    explicit FailingStream(uint64_t room) : m_room(room) {}
    size_t read(void*, size_t) override { return 0; }
    size_t write(const void* buffer, size_t count) override
    {
        const size_t n = m_pos >= m_room ? 0 : static_cast<size_t>(std::min<uint64_t>(count, m_room - m_pos));
        m_inner.seek(m_pos);
        m_inner.write(buffer, n);
        m_pos += n;
        if (n < count)
            setError();
        return n;
    }
    bool seek(uint64_t position) override
    {
        m_pos = position;
        return true;
    }
    uint64_t tell() const override { return m_pos; }
    uint64_t size() const override { return m_inner.size(); }

private:
    uint64_t m_room;
    uint64_t m_pos = 0;
    fw::MemoryStream m_inner;
};

}  // namespace crashsafe
