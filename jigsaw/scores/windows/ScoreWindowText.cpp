#include "jigsaw/scores/windows/ScoreWindowText.h"

#include <QLocale>
#include <cstdio>
#include <map>

#include "framework/qt/Text.h"
#include "framework/qt/UiText.h"
#include "jigsaw/scores/Ranking.h"
#include "jigsaw/scores/ScoresHost.h"

namespace qv {

namespace {

const std::map<int, const char*>& fallbacks()
{
    static const std::map<int, const char*> texts = {
        {txt::Pieces, "pieces"},
        {txt::Player, "Player"},
        {txt::PuzzleLabel, "Puzzle:"},
        {txt::Moves, "Moves"},
        {txt::Joints, "Joints"},
        {txt::Helps, "Helps"},
        {txt::Score, "Score"},
        {txt::Time, "Time"},
        {txt::PiecesColumn, "Pieces"},
        {txt::OwnerLabel, "Owner:"},
        {txt::SizeLabel, "Size:"},
        {txt::OptionsLabel, "Options:"},
        {txt::RightsLabel, "Rights:"},
        {txt::StartedLabel, "Started:"},
        {txt::FinishedLabel, "Finished:"},
        {txt::PictureLabel, "Picture:"},
        {txt::NoHelp, "no help"},
        {txt::NoPreview, "no preview"},
        {txt::NoOptions, "none"},
        {txt::InfoTitle, "About this puzzle"},
        {txt::ScoreLabel, "Score:"},
        {txt::PlayerLabel, "Player:"},
        {txt::NoRotation, "no rotation"},
        {txt::Rectangular, "rectangular pieces"},
        {txt::CertificateReceived, "Certificate received"},
        {txt::CertificateMade, "Your new certificate"},
        {txt::CertificateHeading, "Certificate"},
        {txt::RankingTitle, "Ranking"},
        // The strip's tooltips, the progress line and the finish window.
        {4770, "Time played (the clock stands still while the game is paused)"},
        {4771, "Score so far"},
        {4772, "Your place in the ranking now, of all its results"},
        {4773, "Final score if you go on at this pace"},
        {4774, "Place in the ranking if you go on at this pace"},
        {4775, "%s of %s pieces placed"},
        {4776, "A piece counts as placed once one of its sides is joined to a neighbour."},
        {4777, "You have finished %s!"},
        {4778, "Place in the ranking"},
        {4779, "%s of %s"},
        {4784, "Puzzle complete"},
    };
    return texts;
}

}  // namespace

std::string scoreText(const ScoresHost& host, int id)
{
    std::string s = host.text(id);
    if (!s.empty())
        return s;
    auto it = fallbacks().find(id);
    return it == fallbacks().end() ? std::string() : std::string(it->second);
}

QString scoreQText(const ScoresHost& host, int id) { return fw::toQString(scoreText(host, id)); }

QString scoreLabel(const ScoresHost& host, int id)
{
    QString s = scoreQText(host, id);
    if (!s.endsWith(':'))
        s += ':';
    return s;
}

std::string describeRanking(const ScoresHost& host, const std::string& title, int level, int columns, int rows,
                            uint16_t flags)
{
    // On screen a blank follows the comma before each option, as in running
    // text; the messages keep the bare comma.
    return rankingDescription(title, level, columns, rows, flags, [&](int id) {
        const std::string s = scoreText(host, id);
        return id == txt::NoRotation || id == txt::Rectangular ? " " + s : s;
    });
}

std::string buttonCaption(int id)
{
    std::string s = fw::UiText::lookup(4, id);
    if (!s.empty())
        return s;
    switch (id) {
    case 1: return "OK";
    case 2: return "Cancel";
    case 119: return "&Help";
    case 4500: return "&Accept";
    case 4501: return "Make a &certificate";
    case 4780: return "Another &size";
    case 4781: return "Another &puzzle...";
    case 4782: return "&Ranking";
    case 4783: return "&Close";
    case 5001: return "&Merge into my ranking";
    case 1009: return "&Print...";
    default: return {};
    }
}

QColor colourOf(uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

std::string formatDate(uint32_t date, char separator)
{
    if (date == 0)
        return {};
    char buf[48];
    std::snprintf(buf, sizeof buf, "%02i%c%02i%c%04i", static_cast<int>(date % 100), separator,
                  static_cast<int>(date / 100 % 100), separator, static_cast<int>(date / 10000));
    return buf;
}

char localeDateSeparator()
{
    // The first mark between the fields of the short date format; formats
    // that part their fields with blanks only get the slash.
    const QString format = QLocale::system().dateFormat(QLocale::ShortFormat);
    for (QChar c : format) {
        if (c.isLetterOrNumber() || c.isSpace() || c == '\'' || c.unicode() >= 0x80)
            continue;
        return static_cast<char>(c.unicode());
    }
    return '/';
}

}  // namespace qv
