#pragma once
#include <QColor>
#include <QString>
#include <cstdint>
#include <string>

namespace qv {

class ScoresHost;

// Interface texts of the score windows, by id.
namespace txt {
constexpr int Pieces = 500;          // "pieces"
constexpr int Player = 502;          // ranking column
constexpr int PuzzleLabel = 503;     // "Puzzle:"
constexpr int Moves = 504;
constexpr int Joints = 505;          // ranking column
constexpr int Helps = 506;
constexpr int Score = 507;           // ranking column
constexpr int Time = 508;
constexpr int PiecesColumn = 509;    // ranking column of custom sizes
constexpr int OwnerLabel = 512;
constexpr int SizeLabel = 514;
constexpr int OptionsLabel = 515;
constexpr int RightsLabel = 516;
constexpr int StartedLabel = 517;
constexpr int FinishedLabel = 518;
constexpr int PictureLabel = 520;
constexpr int NoHelp = 522;
constexpr int NoPreview = 523;
constexpr int NoOptions = 524;
constexpr int InfoTitle = 526;
constexpr int ScoreLabel = 527;
constexpr int PlayerLabel = 529;
constexpr int NoRotation = 542;
constexpr int Rectangular = 543;
constexpr int CertificateReceived = 544;
constexpr int CertificateMade = 545;
constexpr int CertificateHeading = 556;
constexpr int RankingTitle = 557;    // window caption of a ranking
}  // namespace txt

// The text of an id from the host's translation; when the translation has
// no such entry, the English text the program carries for it, so a window
// never shows an empty label.
std::string scoreText(const ScoresHost& host, int id);
QString scoreQText(const ScoresHost& host, int id);
// The same with a colon at the end unless the text has one.
QString scoreLabel(const ScoresHost& host, int id);

// The ranking description with the translated words, as windows show it
// (a blank after each comma).
std::string describeRanking(const ScoresHost& host, const std::string& title, int level, int columns, int rows,
                            uint16_t flags);

// A button caption by its id (kind 4), or the English one the program
// carries when the translation has none.
std::string buttonCaption(int id);

// A colour kept as 0x00BBGGRR.
QColor colourOf(uint32_t bgr);

// A date stored as year * 10000 + month * 100 + day, shown day first with
// the locale's date separator; empty for 0.
std::string formatDate(uint32_t date, char separator);
// The date separator of the user's locale.
char localeDateSeparator();

}  // namespace qv
