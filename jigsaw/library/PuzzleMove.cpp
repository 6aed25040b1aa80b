#include "jigsaw/library/PuzzleMove.h"

#include <array>
#include <charconv>
#include <set>

#include "framework/AtomicFile.h"
#include "framework/ByteIO.h"
#include "framework/FileStream.h"
#include "framework/Profile.h"
#include "jigsaw/document/Entry.h"
#include "jigsaw/library/FileNames.h"
#include "jigsaw/library/Library.h"
#include "jigsaw/library/LibraryPrompt.h"
#include "jigsaw/library/SavedGameHead.h"
#include "jigsaw/scores/Ranking.h"

namespace fs = std::filesystem;

namespace qv {

namespace {

constexpr size_t kCopyBlock = 2048;
constexpr const char* kDontAsk = "DontAsk";
constexpr const char* kMoveKey = "MovePuz";

bool copyRest(fw::Stream& in, fw::Stream& out)
{
    std::array<uint8_t, kCopyBlock> block;
    for (;;) {
        size_t n = in.read(block.data(), block.size());
        if (n == 0)
            return true;
        if (out.write(block.data(), n) != n)
            return false;
    }
}

bool copyFile(const fs::path& from, const fs::path& to)
{
    fw::FileStream in(from, fw::FileStream::Mode::Read);
    if (!in.isOpen())
        return false;
    return fw::replaceFile(to, [&](fw::Stream& out) {
        in.clearError();
        return copyRest(in, out) && in.tell() == in.size();
    });
}

bool isLevelSuffix(std::string_view s)
{
    if (s.empty() || s[0] < '0' || s[0] > '5')
        return false;
    s.remove_prefix(1);
    if (!s.empty() && (s[0] == 'R' || s[0] == 'r'))
        s.remove_prefix(1);
    if (!s.empty() && (s[0] == 'M' || s[0] == 'm'))
        s.remove_prefix(1);
    return s.empty();
}

}  // namespace

std::string NextSavedGameName(std::string_view base)
{
    if (base.size() >= 3 && base.back() == ')') {
        size_t open = base.rfind('(');
        std::string_view digits = open == std::string_view::npos ? std::string_view() : base.substr(open + 1, base.size() - open - 2);
        unsigned number = 0;
        auto r = std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (!digits.empty() && r.ec == std::errc() && r.ptr == digits.data() + digits.size() && number < 1000000)
            return std::string(base.substr(0, open)) + "(" + std::to_string(number + 1) + ")";
    }
    return std::string(base) + "(2)";
}

bool IsScoresFileOf(std::string_view fileName, std::string_view puzzleBase)
{
    if (fileName.size() <= puzzleBase.size() + 1 || fileName[puzzleBase.size()] != '.')
        return false;
    return files::equalIgnoringCase(fileName.substr(0, puzzleBase.size()), puzzleBase) &&
           isLevelSuffix(fileName.substr(puzzleBase.size() + 1));
}

PuzzleMove::PuzzleMove(Library& library, fs::path puzzle, fs::path targetDir)
    : m_library(library),
      m_puzzle(std::move(puzzle)),
      m_sourceDir(m_puzzle.parent_path()),
      m_targetDir(std::move(targetDir))
{
}

fw::Status PuzzleMove::failed(const fs::path& file) { return fw::Status(msg::CannotOpen, file.filename().string()); }

bool PuzzleMove::ask(LibraryPrompt& prompt)
{
    const std::string name = m_puzzle.filename().string();
    if (auto existing = files::findIgnoringCase(m_targetDir, name)) {
        if (!prompt.confirmReplacePuzzle(name))
            return false;
        if (existing->filename() != m_puzzle.filename())
            m_replaced = *existing;
    }
    fw::Profile& settings = m_library.settings();
    if (settings.getString(kDontAsk, kMoveKey) == "1")
        return true;
    bool dontAsk = false;
    bool ok = prompt.confirmMove(name, dontAsk);
    if (dontAsk)
        settings.setString(kDontAsk, kMoveKey, "1");
    return ok;
}

bool PuzzleMove::isTaken(const std::set<std::string>& planned, const std::string& base) const
{
    std::error_code ec;
    const std::string name = base + ".sav";
    return planned.count(files::upperAscii(base)) || fs::exists(m_targetDir / name, ec) ||
           files::findIgnoringCase(m_targetDir, name);
}

// The saved games of the folder that belong to this puzzle, each with a
// base name that is free on the target shelf.
void PuzzleMove::planSavedGames()
{
    std::set<std::string> taken;
    for (const fs::path& p : files::listFiles(m_targetDir, ".sav"))
        taken.insert(files::upperAscii(p.stem().string()));
    for (const fs::path& p : files::listFiles(m_sourceDir, ".sav")) {
        auto head = SavedGameHead::read(p);
        if (!head || !files::sameFile(head->puzzlePath, m_puzzle))
            continue;
        Moved game{p, {}, p.stem().string(), p.stem().string()};
        while (isTaken(taken, game.newBase))
            game.newBase = NextSavedGameName(game.newBase);
        taken.insert(files::upperAscii(game.newBase));
        game.to = m_targetDir / (game.newBase + p.extension().string());
        m_games.push_back(std::move(game));
    }
}

// The copy names its puzzle by the bare file name: the two lie side by side.
fw::Status PuzzleMove::copySavedGame(const Moved& game)
{
    fw::FileStream in(game.from, fw::FileStream::Mode::Read);
    if (!in.isOpen())
        return failed(game.from);
    fw::ByteReader reader(in);
    std::string name = reader.text();
    reader.text();
    if (reader.failed())
        return fw::Status(msg::BadFile, game.from.string());
    bool ok = fw::replaceFile(game.to, [&](fw::Stream& out) {
        fw::ByteWriter w(out);
        w.text(name);
        w.text(m_puzzle.filename().string());
        return !w.failed() && copyRest(in, out) && in.tell() == in.size();
    });
    if (!ok)
        return failed(game.to);
    m_created.push_back(game.to);
    return {};
}

fw::Status PuzzleMove::copyScoresFile(const fs::path& from, const fs::path& to)
{
    std::vector<ScoreRecord> records;
    bool readable = false;
    {
        fw::FileStream in(from, fw::FileStream::Mode::Read);
        if (!in.isOpen())
            return failed(from);
        readable = Ranking::Read(in, records);
    }
    bool ok;
    if (readable) {
        for (ScoreRecord& r : records) {
            for (const Moved& game : m_games) {
                if (!r.isReceived() && files::equalIgnoringCase(r.key, game.oldBase))
                    r.key = game.newBase;
            }
        }
        ok = fw::replaceFile(to, [&](fw::Stream& out) { return Ranking::Write(out, records); });
    } else {
        // Not a scores file we can read: carried as it is.
        ok = copyFile(from, to);
    }
    if (!ok)
        return failed(to);
    return {};
}

fw::Status PuzzleMove::copyScores()
{
    const fs::path sourceScores = m_sourceDir / Shelves::ScoresFolder;
    const fs::path targetScores = m_targetDir / Shelves::ScoresFolder;
    const std::string base = m_puzzle.stem().string();
    std::error_code ec;
    for (fs::directory_iterator it(sourceScores, ec), end; !ec && it != end; it.increment(ec)) {
        if (files::isFile(it->path()) && IsScoresFileOf(it->path().filename().string(), base))
            m_scoresFrom.push_back(it->path());
    }
    if (m_scoresFrom.empty())
        return {};
    fs::create_directories(targetScores, ec);
    for (const fs::path& from : m_scoresFrom) {
        const fs::path to = targetScores / from.filename();
        const bool isNew = !files::isFile(to);
        fw::Status st = copyScoresFile(from, to);
        if (st.ok() && isNew)
            m_created.push_back(to);
        if (!st.ok())
            return st;
    }
    return {};
}

void PuzzleMove::undoCopies()
{
    std::error_code ec;
    for (const fs::path& p : m_created)
        fs::remove(p, ec);
    m_created.clear();
}

fw::Status PuzzleMove::removeOriginals()
{
    fw::Status result;
    std::error_code ec;
    auto remove = [&](const fs::path& p) {
        if (!fs::remove(p, ec) && result.ok())
            result = failed(p);
    };
    for (const Moved& game : m_games)
        remove(game.from);
    for (const fs::path& p : m_scoresFrom)
        remove(p);
    remove(m_puzzle);
    if (!m_replaced.empty())
        remove(m_replaced);
    return result;
}

void PuzzleMove::updateCaches()
{
    DirectoryCache& cache = m_library.cache();
    cache.Open(m_sourceDir, true);
    cache.Forget(m_puzzle.filename().string());
    for (const Moved& game : m_games)
        cache.Forget(game.from.filename().string());
    cache.Save();
    cache.Open(m_targetDir, true);
    if (!m_replaced.empty())
        cache.Forget(m_replaced.filename().string());
    const fs::path puzzle = m_targetDir / m_puzzle.filename();
    cache.Store(ShelfEntry::readPuzzle(puzzle));
    for (const Moved& game : m_games)
        cache.Store(ShelfEntry::readSavedGame(game.to));
    cache.Save();
}

fw::Status PuzzleMove::run(LibraryPrompt& prompt)
{
    if (!files::isFile(m_puzzle))
        return failed(m_puzzle);
    if (files::sameFile(m_sourceDir, m_targetDir))
        return {};
    if (!ask(prompt))
        return fw::Status(fw::msg::Cancelled);
    planSavedGames();
    fw::Status st;
    for (const Moved& game : m_games) {
        if (st = copySavedGame(game); !st.ok())
            break;
    }
    if (st.ok())
        st = copyScores();
    if (st.ok()) {
        const fs::path to = m_targetDir / m_puzzle.filename();
        const bool isNew = !files::isFile(to);
        if (!copyFile(m_puzzle, to))
            st = failed(to);
        else if (isNew)
            m_created.push_back(to);
    }
    if (!st.ok()) {
        undoCopies();
        return st;
    }
    st = removeOriginals();
    updateCaches();
    return st;
}

fw::Status Library::MovePuzzle(const fs::path& puzzle, std::string_view targetShelf, LibraryPrompt& prompt)
{
    if (!m_shelves.IsShelf(targetShelf))
        return fw::Status(msg::BadFile, std::string(targetShelf));
    return PuzzleMove(*this, puzzle, m_shelves.ShelfDirectory(targetShelf)).run(prompt);
}

}  // namespace qv
