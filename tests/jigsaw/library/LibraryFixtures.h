#pragma once
#include <atomic>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "framework/AtomicFile.h"
#include "framework/ByteIO.h"
#include "framework/FileStream.h"
#include "framework/Profile.h"
#include "framework/ScrambledStream.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/document/PuzzleFileWriter.h"
#include "jigsaw/document/SavedGameFile.h"
#include "jigsaw/library/DirectoryCache.h"
#include "jigsaw/scores/Ranking.h"

namespace libfix {

namespace fs = std::filesystem;

// A fresh folder per test, removed afterwards.
class TempDir {
public:
    TempDir()
    {
        static std::atomic<int> n{0};
        m_path = fs::temp_directory_path() / ("qvlib-" + std::to_string(::getpid()) + "-" + std::to_string(n++));
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

// A small puzzle file written by the document's writer: the title in the
// preamble and in "Tit:", stock sizes as "Med" keys.
inline void writePuzzle(const fs::path& file, const std::string& title,
                        const std::string& extraHeader = "/Med0:4#6/Med1:6#8", int16_t sizeCount = 2)
{
    qv::PuzzleFileContent c;
    c.title = title;
    c.sizeCount = sizeCount;
    c.header = extraHeader + "/Tit:" + title;
    c.palette = {0x112233};
    c.jpeg = {0xFF, 0xD8, 0xFF, 0xD9};
    fs::create_directories(file.parent_path());
    qv::writePuzzleFile(file, c);
}

// A puzzle file of made-by version 198: no title in the preamble, only the
// header's "Tit:".
inline void writeOldPuzzle(const fs::path& file, const std::string& header)
{
    fw::FileStream f(file, fw::FileStream::Mode::Create);
    fw::ByteWriter w(f);
    w.i16(198);
    w.i16(120);
    w.i16(1);
    w.u8(0);
    w.bytes("PUZZ", 4);
    w.text(header);
    w.zeros(64);
    const uint32_t picture = static_cast<uint32_t>(f.tell() + qv::PuzzleDirectory::Bytes);
    w.u32(0);
    w.u32(picture);
    w.u32(4);
    w.u8(1);
    w.u32(0);
    w.u32(0);
    const uint8_t jpeg[] = {0xFF, 0xD8, 0xFF, 0xD9};
    w.bytes(jpeg, 4);
}

struct SavedGame {
    std::string name = "Game";
    std::string player = "Ann";
    std::string password;
    std::string title = "Castle";
    int8_t sizeIndex = 1;

    SavedGame& named(std::string n) { name = std::move(n); return *this; }
    SavedGame& locked(std::string pw) { password = std::move(pw); return *this; }
};

// A saved game of the puzzle beside it, as the document writes one.
inline void writeSaved(const fs::path& file, const fs::path& puzzle, const SavedGame& g = {})
{
    qv::Puz p;
    p.savedPath = file;
    p.puzzlePath = puzzle;
    p.savedName = g.name;
    p.playerName = g.player;
    p.password = g.password;
    p.entry.title = g.title;
    p.sizeIndex = g.sizeIndex;
    p.counters.moves = 77;
    fw::FileStream f(file, fw::FileStream::Mode::Create);
    qv::SavedGameFile::write(p, f);
}

inline std::vector<uint8_t> readAll(const fs::path& path)
{
    fw::FileStream f(path, fw::FileStream::Mode::Read);
    std::vector<uint8_t> bytes(f.size());
    if (!bytes.empty())
        f.read(bytes.data(), bytes.size());
    return bytes;
}

// A cache file with any stamp and record text (the final 0x00 is the caller's).
inline void writeCache(const fs::path& dir, uint32_t stamp, const std::string& text)
{
    fw::FileStream f(dir / qv::DirectoryCache::FileName, fw::FileStream::Mode::Create);
    fw::ScrambledStream s(f, qv::DirectoryCache::ScrambleKey, 0);
    fw::ByteWriter w(s);
    w.u32(stamp);
    w.bytes(text.data(), text.size());
}

inline void writeScores(const fs::path& file, const std::vector<qv::ScoreRecord>& records)
{
    fs::create_directories(file.parent_path());
    fw::replaceFile(file, [&](fw::Stream& s) { return qv::Ranking::Write(s, records); });
}

inline std::vector<qv::ScoreRecord> readScores(const fs::path& file)
{
    std::vector<qv::ScoreRecord> records;
    fw::FileStream f(file, fw::FileStream::Mode::Read);
    qv::Ranking::Read(f, records);
    return records;
}

inline qv::ScoreRecord record(const std::string& key, int32_t score)
{
    qv::ScoreRecord r;
    r.key = key;
    r.player = "Ann";
    r.score = score;
    return r;
}

}  // namespace libfix
