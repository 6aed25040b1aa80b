#include "jigsaw/scores/windows/WCert.h"

#include <QFont>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>

#include "framework/qt/Clipboard.h"
#include "framework/qt/Text.h"
#include "jigsaw/scores/LiveRanking.h"
#include "jigsaw/scores/Ranking.h"
#include "jigsaw/scores/ScoreText.h"
#include "jigsaw/scores/ScoresHost.h"
#include "jigsaw/scores/windows/ScoreWindowText.h"
#include "jigsaw/scores/windows/WRanking.h"

namespace qv {

namespace {

constexpr int kWidth = 400;
constexpr int kMargin = 16;
constexpr int kLabelWidth = 90;
constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 26;

int headingId(WCert::Mode mode)
{
    switch (mode) {
    case WCert::Received: return txt::CertificateReceived;
    case WCert::JustMade: return txt::CertificateMade;
    default: return txt::CertificateHeading;
    }
}

// The ranking description without the title: the pieces and the options.
std::string piecesPart(const ScoresHost& host, const Certificate& c)
{
    return describeRanking(host, std::string(), c.level, c.columns, c.rows, c.flags).substr(1);
}

}  // namespace

WCert::WCert(const Certificate& certificate, Mode mode, const ScoresHost& host, QWidget* parent)
    : fw::WBaseInfo(parent), m_certificate(certificate), m_mode(mode)
{
    build(host);
}

int WCert::addRule(int y, int width)
{
    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setGeometry(kMargin, y, width - 2 * kMargin, 2);
    rule->show();
    return y + 10;
}

void WCert::build(const ScoresHost& host)
{
    setTitle(scoreText(host, txt::CertificateHeading));
    const ScoreRecord& r = m_certificate.record;
    const int line = fontMetrics().height() + 8;
    const int valueLeft = kMargin + kLabelWidth;
    const int valueWidth = kWidth - valueLeft - kMargin;

    QFont headingFont = font();
    headingFont.setPointSize(headingFont.pointSize() + 5);
    headingFont.setBold(true);
    const int headingHeight = QFontMetrics(headingFont).height() + 10;
    addText(IdHeading, QRect(kMargin, kMargin, kWidth - 2 * kMargin, headingHeight),
            scoreText(host, headingId(m_mode)), true)
        ->setFont(headingFont);
    int y = addRule(kMargin + headingHeight + 6, kWidth);

    auto row = [&](int id, const QString& label, const std::string& value) {
        if (!label.isEmpty())
            addText(0, QRect(kMargin, y, kLabelWidth, line), fw::fromQString(label));
        addText(id, QRect(valueLeft, y, valueWidth, line), value);
        y += line;
    };
    row(IdTitle, scoreLabel(host, txt::PuzzleLabel), m_certificate.title);
    row(IdPieces, QString(), piecesPart(host, m_certificate));
    y = addRule(y + 4, kWidth);
    row(IdPlayer, scoreLabel(host, txt::PlayerLabel), r.player);
    // A result of this installation's own ranking carries no owner worth showing.
    const bool local = m_mode == RankingRecord && !r.isReceived();
    row(IdOwner, scoreLabel(host, txt::OwnerLabel), local ? std::string("Local") : r.owner);
    row(IdScore, scoreLabel(host, txt::ScoreLabel), formatNumber(r.score, host.thousandsSeparator()));
    y = addRule(y + 4, kWidth);

    // Buttons from the right: Cancel or OK, then Help, then Accept.
    std::vector<int> buttons = m_mode == Received ? std::vector<int>{IdCancel, IdHelp, IdAccept}
                                                  : std::vector<int>{IdOk, IdHelp};
    int x = kWidth - kMargin - kButtonWidth;
    for (int id : buttons) {
        const bool isDefault = id == IdAccept || id == IdOk;
        addButton(id, QRect(x, y + 4, kButtonWidth, kButtonHeight), buttonCaption(id), isDefault);
        x -= kButtonWidth + 8;
    }
    setClientSize(kWidth, y + 4 + kButtonHeight + kMargin);
}

void WCert::finish(int result)
{
    if (isRunning())
        EndModal(result);
    else
        close();
}

bool WCert::OnCommand(const fw::CommandEvent& e)
{
    const int id = static_cast<int>(e.command());
    switch (id) {
    case IdAccept:
        if (m_mode == Received)
            finish(id);
        return true;
    case IdOk:
    case IdCancel: finish(id); return true;
    case IdHelp:
        emit helpRequested(m_mode == Received ? WRanking::ReceivedHelpTopic : WRanking::HelpTopic);
        return true;
    default: return false;
    }
}

bool WCert::OnCloseRequest()
{
    if (!isRunning())
        return false;
    EndModal(IdCancel);
    return true;
}

bool WCert::AskAccept(const Certificate& certificate, const ScoresHost& host, QWidget* parent)
{
    WCert window(certificate, Received, host, parent);
    return window.RunModal() == IdAccept;
}

WCert* MakeCertificate(const LiveRanking& live, ScoresHost& host, QWidget* parent)
{
    const Certificate c = Certificate::FromCurrentGame(live);
    fw::Clipboard::setText(c.ToText());
    host.storeLastCertificate(c.Signature());
    auto* window = new WCert(c, WCert::JustMade, host, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}

}  // namespace qv
