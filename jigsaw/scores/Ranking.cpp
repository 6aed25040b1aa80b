#include "jigsaw/scores/Ranking.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>
#include <system_error>

#include "framework/AtomicFile.h"
#include "framework/FileStream.h"
#include "framework/ScrambledStream.h"
#include "jigsaw/scores/ScoreText.h"
#include "jigsaw/scores/ShelfLookup.h"

namespace qv {

namespace fs = std::filesystem;

namespace {

constexpr char kBeginMark[] = "QVRRBOF";
constexpr char kEndMark[] = "QVRREOF";
constexpr size_t kMarkBytes = 7;

bool readMark(fw::ByteReader& in, const char* mark)
{
    char got[kMarkBytes];
    return in.bytes(got, kMarkBytes) && std::memcmp(got, mark, kMarkBytes) == 0;
}

std::string lowered(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Base names of the saved games in a folder, lower case: the system this
// comes from compares file names without regard to case.
std::set<std::string> savedGameNames(const fs::path& dir)
{
    std::set<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (lowered(it->path().extension().string()) == ".sav")
            names.insert(lowered(it->path().stem().string()));
    }
    return names;
}

}  // namespace

void Ranking::placeAsCurrent(const fs::path& puzzlePath, std::vector<fs::path> savedGamesDirs)
{
    m_current = true;
    m_puzzlePath = puzzlePath;
    m_savedGamesDirs = std::move(savedGamesDirs);
    m_shelf = nullptr;
}

void Ranking::placeOnShelf(const ShelfLookup* shelf)
{
    m_current = false;
    m_puzzlePath.clear();
    m_savedGamesDirs.clear();
    m_shelf = shelf;
}

bool Ranking::sameAs(const std::string& otherTitle, int otherLevel, uint16_t otherFlags) const
{
    return title == otherTitle && level == otherLevel && (flags & RankingFlags) == (otherFlags & RankingFlags);
}

std::string Ranking::ScoresFileName(const fs::path& puzzleFile, int level, uint16_t flags)
{
    std::string name = puzzleFile.stem().string() + "." + std::to_string(level);
    if (flags & NoRotable)
        name += "R";
    if (flags & Mosaic)
        name += "M";
    return name;
}

fs::path Ranking::puzzleFilePath() const
{
    if (m_current)
        return m_puzzlePath;
    if (!m_shelf)
        return {};
    if (fileName.empty()) {
        auto found = m_shelf->FindPuzzleByTitle(title);
        return found ? found->path : fs::path();
    }
    return m_shelf->shelfDirectory() / fileName;
}

fs::path Ranking::ScoresPath() const
{
    fs::path puzzle = puzzleFilePath();
    if (puzzle.empty())
        return {};
    fs::path dir = puzzle.parent_path() / "scores";
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) {
        fs::create_directory(dir, ec);
        if (ec || !fs::is_directory(dir, ec))
            return {};
    }
    return dir / ScoresFileName(puzzle, level, flags);
}

bool Ranking::Write(fw::Stream& stream, const std::vector<ScoreRecord>& records)
{
    std::vector<const ScoreRecord*> kept;
    for (size_t i = 0; i < records.size() && i < MaxRecords; ++i) {
        if (!records[i].hasBlankKey())
            kept.push_back(&records[i]);
    }
    fw::ScrambledStream scrambled(stream, ScrambleKey, 0);
    fw::ByteWriter out(scrambled);
    out.bytes(kBeginMark, kMarkBytes);
    out.u16(static_cast<uint16_t>(kept.size()));
    for (const ScoreRecord* r : kept) {
        r->write(out);
        if (out.failed())
            return false;
    }
    out.bytes(kEndMark, kMarkBytes);
    return !out.failed();
}

bool Ranking::Read(fw::Stream& stream, std::vector<ScoreRecord>& records)
{
    records.clear();
    fw::ScrambledStream scrambled(stream, ScrambleKey, 0);
    fw::ByteReader in(scrambled);
    if (!readMark(in, kBeginMark))
        return false;
    uint16_t count = in.u16();
    for (uint16_t i = 0; i < count && !in.failed(); ++i) {
        ScoreRecord r = ScoreRecord::read(in);
        if (!in.failed())
            records.push_back(std::move(r));
    }
    if (in.failed() || !readMark(in, kEndMark)) {
        records.clear();
        return false;
    }
    return true;
}

bool Ranking::Load()
{
    fs::path path = ScoresPath();
    if (path.empty())
        return false;
    records.clear();
    m_damaged = false;
    fw::FileStream file;
    if (!file.open(path, fw::FileStream::Mode::Read))
        return true;
    // An empty file holds nothing to lose; anything else that does not read
    // is kept aside before the next save replaces it.
    m_damaged = !Read(file, records) && file.size() > 0;
    if (m_current)
        dropRecordsOfDeletedGames();
    // Best first; equal scores keep their file order.
    std::stable_sort(records.begin(), records.end(),
                     [](const ScoreRecord& a, const ScoreRecord& b) { return a.score > b.score; });
    return true;
}

void Ranking::dropRecordsOfDeletedGames()
{
    std::set<std::string> saved;
    for (const fs::path& dir : m_savedGamesDirs)
        saved.merge(savedGameNames(dir));
    std::erase_if(records, [&](const ScoreRecord& r) { return !r.isReceived() && !saved.count(lowered(r.key)); });
}

bool Ranking::Save(int* errorNumber) const
{
    fs::path path = ScoresPath();
    if (path.empty())
        return false;
    if (m_damaged) {
        // A rename needs no room on the disk, so the damaged file is kept
        // even when the disk is full. Without a free name it stays in place.
        const fs::path aside = DamagedCopyPath(path);
        std::error_code ec;
        if (aside.empty() || (fs::rename(path, aside, ec), ec)) {
            if (errorNumber)
                *errorNumber = ec.value();
            return false;
        }
        m_damaged = false;
        m_keptDamaged = aside;
    }
    return fw::replaceFile(path, [this](fw::Stream& s) { return Write(s, records); }, errorNumber);
}

fs::path Ranking::DamagedCopyPath(const fs::path& scoresFile)
{
    for (int n = 1; n < 100; ++n) {
        fs::path p = scoresFile;
        p += n == 1 ? std::string(".damaged") : ".damaged" + std::to_string(n);
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(p, ec)))
            return p;
    }
    return {};
}

int Ranking::Insert(const ScoreRecord& record)
{
    if (!records.empty() && !record.isReceived())
        return -1;
    // A new result of a player replaces that player's earlier received one.
    std::erase_if(records, [&](const ScoreRecord& r) {
        return r.isReceived() && r.owner == record.owner && r.player == record.player;
    });
    size_t at = records.size();
    for (size_t i = 0; i < records.size() && i < MaxRecords; ++i) {
        if (records[i].score < record.score) {
            at = i;
            break;
        }
    }
    records.insert(records.begin() + static_cast<ptrdiff_t>(at), record);
    if (records.size() > MaxRecords)
        records.resize(MaxRecords);
    return at < records.size() ? static_cast<int>(at) : -1;
}

}  // namespace qv
