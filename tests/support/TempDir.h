#pragma once
#include <atomic>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace qvtest {

// A fresh folder per test, removed afterwards.
class TempDir {
public:
    TempDir()
    {
        static std::atomic<int> n{0};
        m_path = std::filesystem::temp_directory_path() /
                 ("qvtest-" + std::to_string(::getpid()) + "-" + std::to_string(n++));
        std::filesystem::create_directories(m_path);
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

}  // namespace qvtest
