#pragma once
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/FileStream.h"
#include "framework/Profile.h"
#include "framework/TraductorSource.h"
#include "framework/qt/UiText.h"
#include "jigsaw/document/Jpeg.h"
#include "jigsaw/library/Library.h"
#include "jigsaw/library/SaveAsRules.h"

namespace winfix {

namespace fs = std::filesystem;

// A fresh folder per test, removed afterwards.
class TempDir {
public:
    TempDir()
    {
        static std::atomic<int> n{0};
        m_path = fs::temp_directory_path() / ("qvlibwin-" + std::to_string(::getpid()) + "-" + std::to_string(n++));
        fs::create_directories(m_path);
    }
    ~TempDir()
    {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    const fs::path& path() const { return m_path; }
    fs::path operator/(const std::string& name) const { return m_path / name; }

private:
    fs::path m_path;
};

inline std::string readText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The English texts from their source, so labels read as the program shows them.
inline void useEnglishTexts()
{
    const auto source = fw::parseDixSource(
        readText(fs::path(QV_SOURCE_DIR) / "jigsaw/resources/lang/QV21eng.txt"), "QV21eng.txt");
    auto texts = std::make_shared<std::map<std::pair<int, int>, std::string>>();
    for (const fw::DixEntry& e : source.entries)
        if (e.variant == 0 && e.context == 0)
            (*texts)[{e.kind, e.id}] = e.text;
    fw::UiText::setSource([texts](int kind, int id) -> std::string {
        auto it = texts->find({kind, id});
        if (it == texts->end())
            return {};
        std::string t = it->second;
        int k = 0, i = 0;
        if (!t.empty() && t[0] == '#' && std::sscanf(t.c_str(), "#%d,%d", &k, &i) == 2) {
            auto ref = texts->find({k, i});
            return ref == texts->end() ? std::string() : ref->second;
        }
        return t;
    });
}

// A picture with something to see: colour bands and a diagonal.
inline fw::Bitmap testPicture(int width, int height)
{
    fw::Bitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t r = static_cast<uint32_t>(x * 255 / width);
            const uint32_t g = static_cast<uint32_t>(y * 255 / height);
            const uint32_t blue = (x / 40 + y / 40) % 2 ? 200u : 60u;
            b.setPixel(x, y, std::abs(x - y) < 3 ? 0xFFFFFFu : (r << 16) | (g << 8) | blue);
        }
    return b;
}

inline void writeJpeg(const fs::path& file, int width, int height)
{
    fw::FileStream f(file, fw::FileStream::Mode::Create);
    qv::EncodeJpeg(testPicture(width, height), {}, f, 0, 85, 0);
}

// Settings and a library over a temporary puzzles root.
struct LibrarySetup {
    TempDir dir;
    fs::path root = dir / "puzzles";
    fw::Profile settings{dir / "QVrk.ini"};
    std::unique_ptr<qv::Library> library;

    LibrarySetup()
    {
        fs::create_directories(root);
        settings.setDefaultSection("Main");
        settings.setString("Main", "DirPuzzles", root.string());
        library = std::make_unique<qv::Library>(settings, dir.path());
    }
};

// Answers the save dialog's questions and records them.
struct FakeSaveAsPrompt : qv::SaveAsPrompt {
    std::optional<std::string> repeated;
    bool overwrite = true;
    std::vector<std::string> log;

    void beep() override { log.push_back("beep"); }
    std::optional<std::string> repeatPassword() override
    {
        log.push_back("password");
        return repeated;
    }
    bool confirmOverwrite(const fs::path& other) override
    {
        log.push_back("519 " + other.filename().string());
        return overwrite;
    }
    void showNameTaken(const fs::path& other) override { log.push_back("550 " + other.filename().string()); }
};

}  // namespace winfix
