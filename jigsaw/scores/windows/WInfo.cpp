#include "jigsaw/scores/windows/WInfo.h"

#include <QFontMetrics>

#include "framework/qt/Text.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/scores/LiveRanking.h"
#include "jigsaw/scores/ScoreText.h"
#include "jigsaw/scores/ScoresHost.h"
#include "jigsaw/scores/windows/ScoreWindowText.h"
#include "jigsaw/scores/windows/WCert.h"

namespace qv {

namespace {

constexpr int kWidth = 420;
constexpr int kMargin = 14;
constexpr int kLabelWidth = 100;
constexpr int kButtonHeight = 26;

std::string options(const Puz& puz, const ScoresHost& host)
{
    std::string s;
    auto add = [&](uint16_t flag, int id) {
        if (!(puz.options & flag))
            return;
        if (!s.empty())
            s += ", ";
        s += scoreText(host, id);
    };
    add(Puz::NoRotable, txt::NoRotation);
    add(Puz::NoDeform, txt::Rectangular);
    add(Puz::NoHelp, txt::NoHelp);
    add(Puz::NoPreview, txt::NoPreview);
    return s.empty() ? scoreText(host, txt::NoOptions) : s;
}

}  // namespace

WInfo::WInfo(const Puz& puz, const LiveRanking& live, ScoresHost& host, QWidget* parent)
    : fw::WBaseInfo(parent), m_live(live), m_host(host)
{
    setTitle(scoreText(host, txt::InfoTitle));
    collect(puz);
    build(live.keeper().state() == ScoreKeeper::Finished && live.keeper().pieces() > 0);
}

void WInfo::collect(const Puz& puz)
{
    const ScoresHost& h = m_host;
    auto add = [&](int id, std::string value) { m_lines.emplace_back(fw::fromQString(scoreLabel(h, id)), value); };
    const ScoreKeeper& keeper = m_live.keeper();

    add(txt::PuzzleLabel, puz.title());
    add(txt::PlayerLabel, cleanPlayerName(puz.playerName));
    add(txt::SizeLabel, formatGrid(puz.gridColumns(), puz.gridRows(), scoreText(h, txt::Pieces)));
    if (puz.picture.width() > 0)
        add(txt::PictureLabel, std::to_string(puz.picture.width()) + " x " + std::to_string(puz.picture.height()));
    add(txt::OptionsLabel, options(puz, h));
    if (!trimBlanks(puz.rights).empty())
        add(txt::RightsLabel, puz.rights);
    const char separator = localeDateSeparator();
    if (puz.dateStart)
        add(txt::StartedLabel, formatDate(puz.dateStart, separator));
    if (puz.dateEnd)
        add(txt::FinishedLabel, formatDate(puz.dateEnd, separator));
    const ScoreCounters c = keeper.Counters();
    add(txt::Time, formatDuration(keeper.Elapsed()));
    add(txt::Moves, std::to_string(c.moves));
    add(txt::Helps, std::to_string(c.helps));
    add(txt::ScoreLabel, formatNumber(keeper.Score(), h.thousandsSeparator()));
}

void WInfo::build(bool finished)
{
    const QFontMetrics fm(font());
    const int valueLeft = kMargin + kLabelWidth;
    const int valueWidth = kWidth - valueLeft - kMargin;
    int y = kMargin;
    for (const auto& [label, value] : m_lines) {
        // The rights notice may run over several lines.
        const QRect need = fm.boundingRect(QRect(0, 0, valueWidth, 1000), Qt::TextWordWrap, fw::toQString(value));
        const int height = std::max(fm.height(), need.height()) + 6;
        addText(0, QRect(kMargin, y, kLabelWidth, height), label);
        addText(0, QRect(valueLeft, y, valueWidth, height), value);
        y += height;
    }
    y += 10;
    int x = kWidth - kMargin;
    auto button = [&](int id, int width, bool isDefault) {
        x -= width;
        addButton(id, QRect(x, y, width, kButtonHeight), buttonCaption(id), isDefault);
        x -= 8;
    };
    button(IdOk, 90, true);
    button(IdHelp, 90, false);
    if (finished)
        button(IdCertificate, fm.horizontalAdvance(fw::toQString(buttonCaption(IdCertificate))) + 30, false);
    setClientSize(kWidth, y + kButtonHeight + kMargin);
}

WCert* WInfo::makeCertificate()
{
    if (!offersCertificate())
        return nullptr;
    return MakeCertificate(m_live, m_host, this);
}

bool WInfo::OnCommand(const fw::CommandEvent& e)
{
    switch (e.command()) {
    case IdOk:
    case IdCancel:
        if (isRunning())
            EndModal(static_cast<int>(e.command()));
        else
            close();
        return true;
    case IdCertificate: makeCertificate(); return true;
    case IdHelp: emit helpRequested(HelpTopic); return true;
    default: return false;
    }
}

bool WInfo::OnCloseRequest()
{
    if (!isRunning())
        return false;
    EndModal(IdCancel);
    return true;
}

}  // namespace qv
