#include "jigsaw/scores/Certificate.h"

#include "jigsaw/scores/BitScatter.h"
#include "jigsaw/scores/LiveRanking.h"
#include "jigsaw/scores/Ranking.h"
#include "jigsaw/scores/ScoreText.h"
#include "jigsaw/scores/ScoresHost.h"

namespace qv {

namespace {

constexpr size_t kFoldBytes = 24;
const std::string kCrLf = "\r\n";

// Reads the values of a certificate: each is found after the next ":" and
// never runs past the end of its line.
class CertificateReader {
public:
    CertificateReader(std::string_view text, size_t from) : m_text(text), m_pos(from) {}

    void skipLabel()
    {
        size_t colon = m_text.find(':', m_pos);
        m_pos = colon == std::string_view::npos ? m_text.size() : colon + 1;
    }
    // Up to the end of the line, which is consumed.
    std::string_view line()
    {
        std::string_view value = upTo('\r');
        if (m_pos < m_text.size() && m_text[m_pos] == '\r')
            ++m_pos;
        if (m_pos < m_text.size() && m_text[m_pos] == '\n')
            ++m_pos;
        return value;
    }
    // Up to stop or the end of the line, whichever comes first; a stop found
    // is consumed, the end of the line is not.
    std::string_view upTo(char stop)
    {
        size_t end = m_pos;
        while (end < m_text.size() && m_text[end] != stop && m_text[end] != '\r' && m_text[end] != '\n')
            ++end;
        std::string_view value = m_text.substr(m_pos, end - m_pos);
        m_pos = end;
        if (m_pos < m_text.size() && m_text[m_pos] == stop)
            ++m_pos;
        return value;
    }
    std::string valueLine()
    {
        skipLabel();
        return std::string(line());
    }

private:
    std::string_view m_text;
    size_t m_pos;
};

void readFlagWords(std::string_view words, uint16_t& flags)
{
    size_t start = 0;
    while (start <= words.size()) {
        size_t comma = words.find(',', start);
        std::string word = trimBlanks(words.substr(start, comma == std::string_view::npos ? words.npos : comma - start));
        if (word == "NoRotable")
            flags |= Ranking::NoRotable;
        else if (word == "Mosaic")
            flags |= Ranking::Mosaic;
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
}

std::string withoutBlanks(std::string_view s)
{
    std::string out;
    for (char c : s) {
        if (c != '\r' && c != '\n' && c != ' ' && c != '\t')
            out += c;
    }
    return out;
}

}  // namespace

std::string certificateResultLines(const ScoreRecord& r)
{
    return "PackOwner:" + r.owner + kCrLf + "Player:" + r.player + kCrLf + "Time:" + formatDuration(r.time) + kCrLf +
           "Solved:" + std::to_string(r.solved) + kCrLf + "Moves:" + std::to_string(r.moves) + kCrLf +
           "Helps:" + std::to_string(r.helps) + kCrLf + "Score:" + std::to_string(r.score) + kCrLf;
}

Certificate Certificate::FromCurrentGame(const LiveRanking& live)
{
    ScoreGame game = live.game();
    Certificate c;
    c.title = game.title;
    c.level = game.level;
    c.columns = game.columns;
    c.rows = game.rows;
    c.flags = game.flags & Ranking::RankingFlags;
    c.puzzleId = PuzzleId::FromFile(game.puzzlePath);
    c.record = live.CurrentRecord();
    return c;
}

std::string Certificate::Body() const
{
    std::string pieces = std::to_string(columns) + "x" + std::to_string(rows);
    if (flags & Ranking::NoRotable)
        pieces += ",NoRotable";
    if (flags & Ranking::Mosaic)
        pieces += ",Mosaic";
    std::string body = "Puzzle:" + title + kCrLf + "Level:" + std::to_string(level) + kCrLf + "Pieces:" + pieces + kCrLf +
                       certificateResultLines(record);
    if (puzzleId.words[0] != 0)
        body += "PuzID:" + puzzleId.ToText() + kCrLf;
    return body;
}

int32_t Certificate::Seed() const
{
    int32_t seed = record.score;
    seed = wrapAdd(seed, BitScatter::SignedSum(record.player));
    seed = wrapAdd(seed, BitScatter::SignedSum(record.owner));
    seed = wrapAdd(seed, record.moves);
    seed = wrapAdd(seed, record.time);
    if (seed < 0)
        seed = static_cast<int32_t>(532u - static_cast<uint32_t>(seed));
    return BitScatter::Tame(seed);
}

std::string Certificate::Signature() const
{
    return BitScatter::ToHex(BitScatter::Scatter(BitScatter::Fold(Body(), kFoldBytes), Seed()));
}

std::string Certificate::ToText() const
{
    std::string signature = Signature();
    return std::string("****") + DisplayName + "****BOC{" + kCrLf + Body() + "}EOC" + std::string(20, '*') + kCrLf +
           "BOK{" + kCrLf + signature.substr(0, 24) + kCrLf + signature.substr(24) + kCrLf + "}EOK";
}

Certificate Certificate::Parse(std::string_view text)
{
    Certificate c;
    c.state = NotVerified;
    size_t begin = text.find("BOC{");
    if (begin == std::string_view::npos)
        return c;
    CertificateReader in(text, begin + 4);
    c.title = in.valueLine();
    in.skipLabel();
    c.level = leadingInt(in.upTo(','));
    in.skipLabel();
    c.columns = leadingInt(in.upTo('x'));
    std::string_view rest = in.line();
    size_t comma = rest.find(',');
    c.rows = leadingInt(rest.substr(0, comma));
    if (comma != std::string_view::npos)
        readFlagWords(rest.substr(comma + 1), c.flags);

    ScoreRecord& r = c.record;
    r.key = ScoreRecord::Received;
    r.owner = trimBlanks(in.valueLine());
    r.player = trimBlanks(in.valueLine());
    r.time = parseDuration(in.valueLine()).value_or(0);
    r.solved = static_cast<uint16_t>(leadingInt(in.valueLine()));
    r.moves = static_cast<uint16_t>(leadingInt(in.valueLine()));
    r.helps = static_cast<uint16_t>(leadingInt(in.valueLine()));
    r.score = leadingInt(in.valueLine());
    // The grid comes from the text: multiplied in 64 bits, it cannot overflow.
    r.pieces = static_cast<int16_t>(int64_t(c.columns) * c.rows);

    size_t idAt = text.find("PuzID:", begin);
    if (idAt != std::string_view::npos)
        c.puzzleId = PuzzleId::Parse(text.substr(idAt + 6)).value_or(PuzzleId{});

    size_t keyAt = text.find("BOK{", begin);
    size_t keyEnd = keyAt == std::string_view::npos ? keyAt : text.find("}EOK", keyAt);
    if (keyEnd == std::string_view::npos)
        return c;
    std::vector<uint8_t> signature = BitScatter::FromHex(withoutBlanks(text.substr(keyAt + 4, keyEnd - keyAt - 4)));
    if (signature.size() == kFoldBytes &&
        BitScatter::Gather(signature, c.Seed()) == BitScatter::Fold(c.Body(), kFoldBytes))
        c.state &= static_cast<uint8_t>(~NotVerified);
    return c;
}

std::string Certificate::Description(const ScoresHost& host) const
{
    return rankingDescription(title, level, columns, rows, flags, [&](int id) { return host.text(id); });
}

fw::Status Certificate::Import(LiveRanking& live, ScoresHost& host) const
{
    auto puzzle = host.FindPuzzleByTitle(title);
    if (!puzzle)
        return {msg::PuzzleNotOnShelf, Description(host)};
    // A certificate carrying this installation's own owner text was made
    // here; an empty owner tells nothing, or no certificate of a puzzle
    // without owner could ever be exchanged.
    std::string localOwner = trimBlanks(puzzle->owner);
    if (!localOwner.empty() && record.owner == localOwner) {
        if (Signature() != host.lastCertificate())
            return {msg::OwnOldCertificate};
        return {};
    }
    if (PuzzleId::FromFile(puzzle->path) != puzzleId)
        return {msg::DifferentPuzzleFile, Description(host)};
    if (!verified())
        return {msg::CertificateForged};
    if (!host.acceptCertificate(*this))
        return {};

    if (live.isCurrentRanking(title, level, flags)) {
        int row = live.InsertReceived(record);
        host.showRankingRow(live.ranking(), row);
        return {};
    }
    Ranking ranking;
    ranking.title = title;
    ranking.level = static_cast<uint8_t>(level);
    ranking.columns = static_cast<int16_t>(columns);
    ranking.rows = static_cast<int16_t>(rows);
    ranking.flags = flags & Ranking::RankingFlags;
    ranking.fileName = puzzle->path.filename().string();
    ranking.placeOnShelf(&host);
    if (!ranking.Load())
        return {msg::RankingNotLoadable, title};
    int row = ranking.Insert(record);
    host.showRankingRow(ranking, row);
    ranking.Save();
    tellKeptDamaged(ranking, host);
    return {};
}

}  // namespace qv
