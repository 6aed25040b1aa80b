#include "jigsaw/scores/ReceivedRanking.h"

#include <cstdio>

#include "jigsaw/scores/BitScatter.h"
#include "jigsaw/scores/Certificate.h"
#include "jigsaw/scores/LiveRanking.h"
#include "jigsaw/scores/ScoreText.h"
#include "jigsaw/scores/ScoresHost.h"

namespace qv {

namespace {

constexpr size_t kSignedBytes = 33;

std::string_view lineAt(std::string_view text, size_t from, size_t* next = nullptr)
{
    size_t end = text.find('\n', from);
    if (end == std::string_view::npos)
        end = text.size();
    if (next)
        *next = end + 1;
    std::string_view line = text.substr(from, end - from);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

// Leading blanks and tabs gone, every run of blanks down to one.
std::string squeezed(std::string_view line)
{
    size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    std::string out;
    for (; i < line.size(); ++i) {
        if (line[i] == ' ' && !out.empty() && out.back() == ' ')
            continue;
        out += line[i];
    }
    return out;
}

std::string_view takeUntil(std::string_view& rest, char stop)
{
    size_t at = rest.find(stop);
    std::string_view value = rest.substr(0, at);
    rest = at == std::string_view::npos ? std::string_view() : rest.substr(at + 1);
    return value;
}

std::string padLeft(const std::string& s, size_t width)
{
    return s.size() >= width ? s : std::string(width - s.size(), ' ') + s;
}

std::string padRight(const std::string& s, size_t width)
{
    return s.size() >= width ? s : s + std::string(width - s.size(), ' ');
}

}  // namespace

bool ReceivedRanking::parseHeader(std::string_view line)
{
    size_t levelAt = line.find(" Level");
    if (levelAt == std::string_view::npos)
        return false;
    ranking.title = std::string(line.substr(0, levelAt));
    std::string_view rest = line.substr(levelAt + 6);
    size_t colon = rest.find(':');
    if (colon == std::string_view::npos)
        return false;
    rest = rest.substr(colon + 1);
    ranking.level = static_cast<uint8_t>(leadingInt(takeUntil(rest, ',')));
    ranking.columns = static_cast<int16_t>(leadingInt(takeUntil(rest, 'x')));
    ranking.rows = static_cast<int16_t>(leadingInt(takeUntil(rest, ',')));
    while (!rest.empty()) {
        std::string word = trimBlanks(takeUntil(rest, ','));
        if (word == "NoRotable")
            ranking.flags |= Ranking::NoRotable;
        else if (word == "Mosaic")
            ranking.flags |= Ranking::Mosaic;
        else if (word.rfind("PuzID:", 0) == 0)
            ranking.puzzleId = PuzzleId::Parse(std::string_view(word).substr(6)).value_or(PuzzleId{}).words;
        else if (word.rfind("version:", 0) == 0)
            ranking.version = static_cast<uint8_t>(leadingInt(std::string_view(word).substr(8)));
    }
    return true;
}

bool ReceivedRanking::parseResult(std::string_view line, ScoreRecord& r, bool& separatorKnown)
{
    std::string text = squeezed(line);
    std::string_view rest = text;
    takeUntil(rest, ' ');  // the position, recomputed when signing
    char used = separator;
    auto score = parseNumber(takeUntil(rest, ' '), &used);
    if (score) {
        r.score = static_cast<int32_t>(*score);
        if (!separatorKnown && (used != separator || *score >= 1000 || *score <= -1000)) {
            separator = used;
            separatorKnown = true;
        }
    }
    r.player = trimBlanks(takeUntil(rest, '\xB7'));
    r.time = parseDuration(takeUntil(rest, ';')).value_or(0);
    r.solved = static_cast<uint16_t>(leadingInt(takeUntil(rest, ';')));
    r.moves = static_cast<uint16_t>(leadingInt(takeUntil(rest, ';')));
    r.helps = static_cast<uint16_t>(leadingInt(takeUntil(rest, ';')));
    if (linesHavePieces())
        r.pieces = static_cast<int16_t>(leadingInt(takeUntil(rest, ';')));
    else
        r.pieces = static_cast<int16_t>(ranking.columns * ranking.rows);
    r.owner = trimBlanks(rest);
    r.key = ScoreRecord::Received;
    return score.has_value();
}

bool ReceivedRanking::ReadText(std::string_view text, char localSeparator)
{
    ranking = Ranking{};
    separator = localSeparator;
    m_signatureText.clear();
    size_t headAt = text.find("Ranking for ");
    if (headAt == std::string_view::npos || !parseHeader(lineAt(text, headAt + 12)))
        return false;
    size_t listAt = text.find("BOR{", headAt);
    if (listAt == std::string_view::npos)
        return false;
    bool separatorKnown = false;
    size_t pos = listAt + 4;
    while (pos <= text.size() && ranking.records.size() < Ranking::MaxRecords) {
        std::string_view line = lineAt(text, pos, &pos);
        if (line.substr(0, 4) == "}EOR")
            break;
        if (trimBlanks(line).empty())
            continue;
        ScoreRecord r;
        parseResult(line, r, separatorKnown);
        ranking.records.push_back(std::move(r));
    }
    size_t keyAt = text.find("BOK{", listAt);
    if (keyAt == std::string_view::npos)
        return false;
    size_t keyEnd = text.find('}', keyAt);
    m_signatureText = text.substr(keyAt + 4, keyEnd == std::string_view::npos ? 0 : keyEnd - keyAt - 4);
    return true;
}

bool ReceivedRanking::Parse(std::string_view text, const ScoresHost& host, fw::Status& message)
{
    message = {};
    if (!ReadText(text, host.thousandsSeparator()))
        return false;
    auto puzzle = host.FindPuzzleByTitle(ranking.title);
    if (!puzzle) {
        message = {msg::PuzzleNotOnShelf, Description(host)};
        return false;
    }
    if (PuzzleId::FromFile(puzzle->path).words != ranking.puzzleId) {
        message = {msg::DifferentPuzzleFile, Description(host)};
        return false;
    }
    // The player's own results stay out of the merge.
    const std::string localOwner = trimBlanks(puzzle->owner);
    for (ScoreRecord& r : ranking.records) {
        if (!localOwner.empty() && r.owner == localOwner)
            r.key.clear();
    }
    if (!SignatureHolds()) {
        message = {msg::RankingTextForged};
        return false;
    }
    return true;
}

std::string ReceivedRanking::ResultLine(const ScoreRecord& r, int index) const
{
    std::string player = cleanPlayerName(r.player);
    char head[128];
    std::snprintf(head, sizeof head, "%2s %8s ", std::to_string(index + 1).c_str(),
                  padLeft(formatNumber(r.score, separator), 7).c_str());
    std::string line = head + padRight(player, 25) + '\xB7' + formatDuration(r.time) + ";" + std::to_string(r.solved) +
                       ";" + std::to_string(r.moves) + ";" + std::to_string(r.helps) + ";";
    if (linesHavePieces())
        line += std::to_string(r.pieces) + ";";
    return line + r.owner + "\r\n";
}

std::string ReceivedRanking::Signature() const
{
    std::vector<uint8_t> signedBytes = BitScatter::Fold(ranking.title, 12);
    int32_t sum = static_cast<int32_t>(static_cast<uint32_t>(ranking.columns) * static_cast<uint32_t>(ranking.rows));
    for (size_t i = 0; i < ranking.records.size(); ++i) {
        const ScoreRecord& r = ranking.records[i];
        std::string text = ranking.version >= 2 ? ResultLine(r, static_cast<int>(i)) : certificateResultLines(r);
        sum = wrapAdd(sum, BitScatter::SignedSum(text));
        std::vector<uint8_t> folded = BitScatter::Fold(text, 16);
        signedBytes.insert(signedBytes.end(), folded.begin(), folded.end());
    }
    if (signedBytes.size() < kSignedBytes)
        signedBytes.resize(kSignedBytes, 'x');
    signedBytes.resize(kSignedBytes);
    if (ranking.puzzleId[0] != 0) {
        for (uint32_t word : ranking.puzzleId)
            sum = wrapAdd(sum, static_cast<int32_t>(word));
    }
    return BitScatter::ToHex(BitScatter::Scatter(signedBytes, BitScatter::Tame(sum)));
}

std::string ReceivedRanking::Description(const ScoresHost& host) const
{
    return rankingDescription(ranking.title, ranking.level, ranking.columns, ranking.rows, ranking.flags,
                              [&](int id) { return host.text(id); });
}

fw::Status ReceivedRanking::MergeIntoLocal(LiveRanking& live, ScoresHost& host) const
{
    if (live.isCurrentRanking(ranking.title, ranking.level, ranking.flags)) {
        for (const ScoreRecord& r : ranking.records) {
            int row = live.InsertReceived(r);
            host.showRankingRow(live.ranking(), row);
        }
        return {};
    }
    Ranking local;
    local.title = ranking.title;
    local.level = ranking.level;
    local.columns = ranking.columns;
    local.rows = ranking.rows;
    local.flags = ranking.flags & Ranking::RankingFlags;
    local.placeOnShelf(&host);
    if (!local.Load())
        return {msg::RankingNotLoadable, ranking.title};
    for (const ScoreRecord& r : ranking.records) {
        int row = local.Insert(r);
        host.showRankingRow(local, row);
    }
    local.Save();
    tellKeptDamaged(local, host);
    return {};
}

}  // namespace qv
