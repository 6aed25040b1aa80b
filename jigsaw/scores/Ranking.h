#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "jigsaw/scores/ScoreRecord.h"

namespace qv {

class ShelfLookup;

// The results of one puzzle at one size index and option combination, kept
// in a scrambled file in the "scores" folder beside the puzzle file.
class Ranking {
public:
    static constexpr size_t MaxRecords = 15;
    static constexpr uint16_t NoRotable = 0x20;
    static constexpr uint16_t Mosaic = 0x100;
    static constexpr uint16_t RankingFlags = NoRotable | Mosaic;

    std::string title;
    uint8_t level = 0;     // 0..5; 5 = custom size
    int16_t columns = 0;   // first the value the puzzle file stores first
    int16_t rows = 0;
    uint16_t flags = 0;
    std::string fileName;  // puzzle file name, for a ranking that is not the current puzzle's
    uint8_t version = 0;   // of a received ranking text; 0 for local rankings
    std::array<uint32_t, 4> puzzleId{};
    std::vector<ScoreRecord> records;  // best score first

    // The ranking of the open puzzle: its scores file lies beside
    // puzzlePath, and loading drops records whose saved game is in none of
    // the folders where saved games of this puzzle are kept.
    void placeAsCurrent(const std::filesystem::path& puzzlePath, std::vector<std::filesystem::path> savedGamesDirs);
    void placeAsCurrent(const std::filesystem::path& puzzlePath, const std::filesystem::path& savedGamesDir)
    {
        placeAsCurrent(puzzlePath, std::vector<std::filesystem::path>{savedGamesDir});
    }
    // Another puzzle's ranking, found on the current shelf by file name or title.
    void placeOnShelf(const ShelfLookup* shelf);
    bool isCurrent() const { return m_current; }

    // Same puzzle title, level and rotation/mosaic options.
    bool sameAs(const std::string& otherTitle, int otherLevel, uint16_t otherFlags) const;

    // Full path of the scores file, creating the "scores" folder; empty when
    // no path can be formed.
    std::filesystem::path ScoresPath() const;
    // False only when no path can be formed; a missing or damaged file loads empty.
    bool Load();
    // Writes the first 15 records that have a key, replacing the file whole.
    // A damaged file that Load found is first put aside (see keptDamaged),
    // so that no result in it is lost to the rewrite. A failed write leaves
    // its error number in errorNumber.
    bool Save(int* errorNumber = nullptr) const;
    // Where the last Save put the damaged file it replaced (empty when it
    // did not); taking it clears it, so the player is told once.
    std::filesystem::path takeKeptDamaged() const { return std::exchange(m_keptDamaged, {}); }
    // The name a damaged scores file is kept under: "Castle.3R.damaged",
    // or with a number after it when that name is taken.
    static std::filesystem::path DamagedCopyPath(const std::filesystem::path& scoresFile);
    // Index the record now stands at, or -1 when it is not in the first 15.
    int Insert(const ScoreRecord& record);

    // The layout of a scores file, for any stream.
    static bool Write(fw::Stream& stream, const std::vector<ScoreRecord>& records);
    // False (list empty) when the start or end mark is wrong or the file is cut short.
    static bool Read(fw::Stream& stream, std::vector<ScoreRecord>& records);
    // "Castle.3R" for level 3 of Castle.puz without rotation.
    static std::string ScoresFileName(const std::filesystem::path& puzzleFile, int level, uint16_t flags);
    static constexpr const char* ScrambleKey = "Vq7Lmzt";

private:
    std::filesystem::path puzzleFilePath() const;
    void dropRecordsOfDeletedGames();

    // Load found a file that is there but cannot be read.
    mutable bool m_damaged = false;
    mutable std::filesystem::path m_keptDamaged;
    bool m_current = false;
    std::filesystem::path m_puzzlePath;
    std::vector<std::filesystem::path> m_savedGamesDirs;
    const ShelfLookup* m_shelf = nullptr;
};

// The description of a ranking for titles and messages: the title, then the
// number of pieces and text 500 (or "Custom level" at level 5), then texts
// 542 and 543 for the options. text(id) looks an interface text up.
template <typename TextLookup>
std::string rankingDescription(const std::string& title, int level, int columns, int rows, uint16_t flags,
                               TextLookup&& text)
{
    std::string s = title + " ";
    if (level < 5)
        s += std::to_string(int64_t(columns) * rows) + " " + text(500);  // a received grid may be huge
    else
        s += "Custom level";
    if (flags & Ranking::NoRotable)
        s += "," + text(542);
    if (flags & Ranking::Mosaic)
        s += "," + text(543);
    return s;
}

}  // namespace qv
