#pragma once
#include <string>
#include <string_view>

#include "framework/Status.h"
#include "jigsaw/scores/PuzzleId.h"
#include "jigsaw/scores/Ranking.h"

namespace qv {

class LiveRanking;
class ScoresHost;

// A whole ranking received from another player as a signed text. It is
// checked, shown, and on request merged into the local ranking.
class ReceivedRanking {
public:
    Ranking ranking;  // title, level, grid, flags, version, puzzle id and results
    // The thousands separator the text's scores are written with; lines are
    // rebuilt with it, so texts written under another locale verify.
    char separator = ',';

    // True when the text was accepted; otherwise message tells why (id 0:
    // not a ranking text, nothing to say).
    bool Parse(std::string_view text, const ScoresHost& host, fw::Status& message);
    // Reads the header, the results and the signature without looking at the
    // shelf; false when the text is not a complete ranking text.
    bool ReadText(std::string_view text, char localSeparator);
    bool SignatureHolds() const { return m_signatureText == Signature(); }
    // Inserts every result into the local ranking of the puzzle.
    fw::Status MergeIntoLocal(LiveRanking& live, ScoresHost& host) const;

    // One result line as the text holds it, CR LF included; index counts from 0.
    std::string ResultLine(const ScoreRecord& record, int index) const;
    // The 66 digits the parsed ranking is signed with.
    std::string Signature() const;
    // Whether the result lines carry the piece count (custom size, version 2 on).
    bool linesHavePieces() const { return ranking.level == 5 && ranking.version >= 2; }
    std::string Description(const ScoresHost& host) const;

private:
    bool parseHeader(std::string_view line);
    bool parseResult(std::string_view line, ScoreRecord& record, bool& separatorKnown);

    std::string m_signatureText;
};

}  // namespace qv
