#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "framework/Status.h"
#include "jigsaw/scores/PuzzleId.h"
#include "jigsaw/scores/ScoreRecord.h"

namespace qv {

class LiveRanking;
class ScoresHost;

// One result with the identity of its ranking, exchanged between players as
// a signed text through the clipboard.
class Certificate {
public:
    static constexpr uint8_t NotVerified = 0x01;
    static constexpr const char* DisplayName = "Quorvane";

    uint8_t state = 0;
    std::string title;
    int level = 0;
    int columns = 0;
    int rows = 0;
    uint16_t flags = 0;  // 0x20 NoRotable, 0x100 Mosaic
    PuzzleId puzzleId;
    ScoreRecord record;

    bool verified() const { return !(state & NotVerified); }

    // The open game's result, with the id of its puzzle file.
    static Certificate FromCurrentGame(const LiveRanking& live);
    // The signed text placed on the clipboard.
    std::string ToText() const;
    // The signature as 48 digits without line breaks (kept as "LastCert").
    std::string Signature() const;
    // Reads the fields of a certificate text; state keeps NotVerified unless
    // the signature matches.
    static Certificate Parse(std::string_view text);
    // Checks a received certificate against the shelf and the local puzzle
    // file, asks the user, and on acceptance puts the result in the ranking.
    // Returns the message to show (0 = none).
    fw::Status Import(LiveRanking& live, ScoresHost& host) const;

    // The lines that are signed, CR LF after each.
    std::string Body() const;
    int32_t Seed() const;
    std::string Description(const ScoresHost& host) const;
};

// The result lines of a certificate for one record (owner to score), as
// ranking texts of early versions sign them.
std::string certificateResultLines(const ScoreRecord& record);

}  // namespace qv
