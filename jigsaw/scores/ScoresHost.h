#pragma once
#include <string>

#include "framework/Status.h"
#include "jigsaw/scores/Ranking.h"
#include "jigsaw/scores/ShelfLookup.h"

namespace qv {

class Certificate;
class ReceivedRanking;

// Message ids of rankings and certificates.
namespace msg {
constexpr int CertificateForged = 546;     // signature does not match (warning)
constexpr int OwnOldCertificate = 547;     // own certificate that is not the last one made
constexpr int PuzzleNotOnShelf = 548;      // with the ranking description
constexpr int DifferentPuzzleFile = 549;   // with the ranking description
constexpr int RankingTextForged = 553;     // signature does not match (warning)
constexpr int RankingNotLoadable = 554;    // with the title
constexpr int DamagedScoresKept = 1041;    // a damaged scores file was put aside (with its new path)
}  // namespace msg

enum class MessageIcon { Information, Warning };
// 546 and 553 warn; the other messages of rankings inform.
inline MessageIcon scoresMessageIcon(int id)
{
    return id == msg::CertificateForged || id == msg::RankingTextForged || id == msg::DamagedScoresKept
               ? MessageIcon::Warning
                                                                         : MessageIcon::Information;
}

// Everything outside the rules that rankings and certificates need: the
// shelf, the settings, the translation and the windows. The shell implements
// it over the real windows; tests pass a fake that records what was asked.
class ScoresHost : public ShelfLookup {
public:
    // An interface text by its id.
    virtual std::string text(int id) const { return std::to_string(id); }
    // The locale's thousands separator; 0 for none.
    virtual char thousandsSeparator() const { return ','; }
    // The settings key "LastCert": the signature of the last certificate made.
    virtual std::string lastCertificate() const { return {}; }
    // Keeps the signature of a certificate just made under "LastCert".
    virtual void storeLastCertificate(const std::string& signature) { (void)signature; }

    // Repaint the cells of the mini score strip named by ScoreChange bits.
    virtual void updateMiniScore(unsigned changes) { (void)changes; }
    virtual void closeRankingWindow() {}
    // The game was just completed (its live entry already in its final place).
    virtual void gameFinished() {}
    // A received result entered the current ranking: the game has changed.
    virtual void markDocumentChanged() {}
    // Show a received certificate for acceptance; true when the user accepts it.
    virtual bool acceptCertificate(const Certificate& certificate) { (void)certificate; return false; }
    // Show a ranking with a row just placed (received results, one by one).
    virtual void showRankingRow(const Ranking& ranking, int row) { (void)ranking; (void)row; }
    // Show a checked ranking text in a ranking window with its merge button.
    virtual void showReceivedRanking(const ReceivedRanking& received) { (void)received; }
    virtual void showMessage(const fw::Status& status, MessageIcon icon) { (void)status; (void)icon; }
    virtual void emptyClipboard() {}
};

// After a save: when it put a damaged scores file aside, the player hears
// where it went (once: the file that is written is sound).
inline void tellKeptDamaged(const Ranking& ranking, ScoresHost& host)
{
    const std::filesystem::path kept = ranking.takeKeptDamaged();
    if (!kept.empty())
        host.showMessage(fw::Status(msg::DamagedScoresKept, kept.string()), MessageIcon::Warning);
}

}  // namespace qv
