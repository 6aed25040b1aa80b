#include "jigsaw/scores/LiveRanking.h"

#include <utility>

#include "framework/AtomicFile.h"

#include "jigsaw/scores/ScoreText.h"
#include "jigsaw/scores/ScoresHost.h"

namespace qv {

namespace {

std::string savedGameName(const ScoreGame& game)
{
    return game.savedGamePath.empty() ? std::string() : game.savedGamePath.stem().string();
}

// One more joint with ten moves spent on it, or twenty idle seconds and ten
// moves without one: the two futures the trend colours compare against.
ScoreCounters withJoint(ScoreCounters c)
{
    c.joinedSides = static_cast<uint16_t>(c.joinedSides + 2);
    c.moves = static_cast<uint16_t>(c.moves + 10);
    return c;
}

ScoreCounters withoutJoint(ScoreCounters c)
{
    c.elapsed += 20000;
    c.moves = static_cast<uint16_t>(c.moves + 10);
    return c;
}

}  // namespace

LiveRanking::LiveRanking(ScoreKeeper& keeper, GameSource game, ScoresHost& host)
    : m_keeper(keeper), m_game(std::move(game)), m_host(host)
{
    m_keeper.setListener(this);
}

LiveRanking::~LiveRanking() { m_keeper.setListener(nullptr); }

ScoreRecord LiveRanking::CurrentRecord() const
{
    ScoreGame game = m_game();
    ScoreRecord r;
    r.key = savedGameName(game);
    r.player = cleanPlayerName(game.player);
    // Trimmed like the player: a certificate's owner is trimmed when it is
    // read back, and must sign the same way it verifies.
    r.owner = trimBlanks(game.owner);
    r.score = m_keeper.Score();
    ScoreCounters c = m_keeper.Counters();
    r.time = c.elapsed / 100 * 100;
    r.helps = c.helps;
    r.solved = c.joinedSides;
    r.moves = c.moves;
    r.pieces = static_cast<int16_t>(game.pieces);
    r.extra = game.extraText();
    return r;
}

bool LiveRanking::isCurrentRanking(const std::string& title, int level, uint16_t flags) const
{
    return m_open && m_ranking.sameAs(title, level, flags);
}

void LiveRanking::OpenRanking()
{
    ScoreGame game = m_game();
    forget();
    if (!game.scoresOn)
        return;
    m_ranking.title = game.title;
    m_ranking.level = static_cast<uint8_t>(game.level);
    m_ranking.columns = static_cast<int16_t>(game.columns);
    m_ranking.rows = static_cast<int16_t>(game.rows);
    m_ranking.flags = game.flags & Ranking::RankingFlags;
    std::filesystem::path puzzle = game.pieces > 0 ? game.puzzlePath : std::filesystem::path();
    // Saved games go to the shelf that is current when they are saved, which
    // need not be the puzzle's folder nor the folder of this game: a record
    // is dropped only when its game is in none of them.
    std::vector<std::filesystem::path> savedDirs = {game.puzzlePath.parent_path(), m_host.shelfDirectory()};
    if (!game.savedGamePath.empty())
        savedDirs.push_back(game.savedGamePath.parent_path());
    m_ranking.placeAsCurrent(puzzle, std::move(savedDirs));
    m_ranking.Load();
    m_open = true;
    locateLiveEntry(game);
    Reposition();
}

void LiveRanking::locateLiveEntry(const ScoreGame& game)
{
    const std::string name = savedGameName(game);
    auto& records = m_ranking.records;
    for (size_t i = 0; i < records.size(); ++i) {
        if (!records[i].isReceived() && equalsIgnoringCase(records[i].key, name)) {
            m_live = static_cast<int>(i);
            return;
        }
    }
    // Appended at the end; the list may hold 16 until the next save writes 15.
    records.push_back(CurrentRecord());
    m_live = static_cast<int>(records.size()) - 1;
}

void LiveRanking::refreshLiveValues()
{
    if (m_live < 0)
        return;
    ScoreRecord now = CurrentRecord();
    ScoreRecord& r = m_ranking.records[static_cast<size_t>(m_live)];
    r.score = now.score;
    r.time = now.time;
    r.helps = now.helps;
    r.solved = now.solved;
    r.moves = now.moves;
    r.pieces = now.pieces;
}

void LiveRanking::Reposition()
{
    if (!m_open || m_live < 0) {
        m_host.updateMiniScore(AllChanged);
        return;
    }
    // The live entry carries the current score, so the count below finds
    // the projected place with the live entry itself in the list.
    refreshLiveValues();
    auto& records = m_ranking.records;
    const int32_t s = m_keeper.Score();
    while (m_live >= 1 && records[m_live - 1].score < s) {
        std::swap(records[m_live - 1], records[m_live]);
        --m_live;
    }
    while (m_live + 1 < static_cast<int>(records.size()) && records[m_live + 1].score >= s) {
        std::swap(records[m_live + 1], records[m_live]);
        ++m_live;
    }
    const int32_t p = m_keeper.ProjectedScore();
    int leading = 0;
    while (leading < static_cast<int>(records.size()) && records[leading].score >= p)
        ++leading;
    m_projected = leading > m_live ? leading - 1 : leading;
    computeTrends();
    m_host.updateMiniScore(AllChanged);
}

void LiveRanking::computeTrends()
{
    m_liveTrend = m_projectedTrend = Trend::Steady;
    if (m_keeper.state() != ScoreKeeper::Running || m_live < 0)
        return;
    const auto& records = m_ranking.records;
    const ScoreCounters c = m_keeper.Counters();
    const ScoreCounters up = withJoint(c), down = withoutJoint(c);

    const int count = static_cast<int>(records.size());
    if (m_live >= 1 && m_keeper.ScoreFor(up) > records[m_live - 1].score)
        m_liveTrend = Trend::Up;
    else if (m_live + 1 < count && records[m_live + 1].score >= m_keeper.ScoreFor(down))
        m_liveTrend = Trend::Down;

    // The projected place is counted among the other records.
    auto other = [&](int i) -> const ScoreRecord& { return records[i < m_live ? i : i + 1]; };
    const int others = count - 1;
    if (m_projected >= 1 && m_projected - 1 < others && m_keeper.ProjectedFor(up) > other(m_projected - 1).score)
        m_projectedTrend = Trend::Up;
    else if (m_projected >= 0 && m_projected < others && other(m_projected).score >= m_keeper.ProjectedFor(down))
        m_projectedTrend = Trend::Down;
}

void LiveRanking::RefreshLiveEntry()
{
    if (!m_open || m_live < 0)
        return;
    m_ranking.records[static_cast<size_t>(m_live)] = CurrentRecord();
    Reposition();
}

fw::Status LiveRanking::StoreResult()
{
    if (!m_open)
        return {};
    RefreshLiveEntry();
    int why = 0;
    const bool saved = m_ranking.Save(&why);
    tellKeptDamaged(m_ranking, m_host);
    if (!saved && fw::isNoRoomError(why))
        return fw::Status(fw::msg::DiskFull, m_ranking.ScoresPath().string());
    return {};
}

void LiveRanking::OnSavedAs()
{
    if (!m_open || m_live < 0)
        return;
    const ScoreGame game = m_game();
    const std::string name = savedGameName(game);
    const ScoreRecord& live = m_ranking.records[static_cast<size_t>(m_live)];
    if (equalsIgnoringCase(live.key, name))
        return;
    // The game overwrote another saved game: that game's record goes. A game
    // saved for the first time is handled the same way rather than by
    // loading the file again, which would lose received results accepted
    // since the ranking was opened (they are written with the game's save).
    auto& records = m_ranking.records;
    for (int i = static_cast<int>(records.size()) - 1; i >= 0; --i) {
        if (i == m_live || records[i].isReceived() || !equalsIgnoringCase(records[i].key, name))
            continue;
        records.erase(records.begin() + i);
        if (i < m_live)
            --m_live;
    }
    RefreshLiveEntry();
}

void LiveRanking::CloseRanking()
{
    if (!m_open)
        return;
    if (m_live >= 0)
        m_ranking.records.erase(m_ranking.records.begin() + m_live);
    m_ranking.Save();
    tellKeptDamaged(m_ranking, m_host);
    m_host.closeRankingWindow();
    forget();
    m_host.updateMiniScore(AllChanged);
}

int LiveRanking::InsertReceived(const ScoreRecord& record)
{
    if (!m_open)
        return -1;
    refreshLiveValues();
    int at = m_ranking.Insert(record);
    // The insertion may have shifted the live entry or cut it off the end.
    m_live = -1;
    locateLiveEntry(m_game());
    m_host.markDocumentChanged();
    Reposition();
    if (at < 0)
        return -1;
    const auto& records = m_ranking.records;
    for (size_t i = 0; i < records.size(); ++i) {
        const ScoreRecord& r = records[i];
        if (r.isReceived() && r.player == record.player && r.owner == record.owner)
            return static_cast<int>(i);
    }
    return -1;
}

void LiveRanking::forget()
{
    m_ranking = Ranking{};
    m_open = false;
    m_live = m_projected = -1;
    m_liveTrend = m_projectedTrend = Trend::Steady;
}

void LiveRanking::scoreOpened() { OpenRanking(); }

void LiveRanking::scoreRefreshed(unsigned changes)
{
    if (m_open && m_live >= 0)
        Reposition();
    else
        m_host.updateMiniScore(changes);
}

void LiveRanking::scoreReset() { forget(); }

void LiveRanking::scoreFinished() { m_host.gameFinished(); }

}  // namespace qv
