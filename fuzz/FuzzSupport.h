#pragma once
// Small helpers shared by the fuzz targets: splitting the input into
// parameters and a body, and a private scratch folder for readers that only
// take a path.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace fuzz {

// Takes parameter bytes from the front of the input; what is left is the body.
class Input {
public:
    Input(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    uint8_t byte()
    {
        if (m_size == 0)
            return 0;
        --m_size;
        return *m_data++;
    }
    uint16_t u16() { return static_cast<uint16_t>(byte() | (byte() << 8)); }

    const uint8_t* data() const { return m_data; }
    size_t size() const { return m_size; }
    std::string text() const { return std::string(reinterpret_cast<const char*>(m_data), m_size); }

    // The rest split at the first byte `sep` (the separator is dropped).
    std::string takeUntil(char sep)
    {
        std::string_view rest(reinterpret_cast<const char*>(m_data), m_size);
        size_t at = rest.find(sep);
        size_t n = at == std::string_view::npos ? rest.size() : at;
        std::string out(rest.substr(0, n));
        size_t used = at == std::string_view::npos ? n : n + 1;
        m_data += used;
        m_size -= used;
        return out;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
};

// A folder of this process, removed when it ends. It lies in memory when
// the machine has a memory file system: the readers' writers sync every
// file they replace, which on a disk would slow fuzzing to a crawl.
inline const std::filesystem::path& scratchDir()
{
    static const std::filesystem::path dir = [] {
        std::error_code ec;
        std::filesystem::path base = "/dev/shm";
        if (!std::filesystem::is_directory(base, ec) || ::access(base.c_str(), W_OK) != 0)
            base = std::filesystem::temp_directory_path(ec);
        if (ec)
            base = "/tmp";
        return base / ("qvfuzz-" + std::to_string(::getpid()));
    }();
    static const bool made = [] {
        std::filesystem::create_directories(dir);
        std::atexit([] {
            std::error_code e;
            std::filesystem::remove_all(dir, e);
        });
        return true;
    }();
    (void)made;
    return dir;
}

// Replaces a file's content with the bytes given.
inline void writeFile(const std::filesystem::path& path, const void* data, size_t size)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        std::abort();  // the scratch folder must be writable, or the target tests nothing
    if (size)
        std::fwrite(data, 1, size, f);
    std::fclose(f);
}

}  // namespace fuzz
