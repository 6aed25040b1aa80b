#include "jigsaw/scores/windows/WRanking.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <algorithm>

#include "framework/qt/MessageBox.h"
#include "framework/qt/Text.h"
#include "jigsaw/scores/Certificate.h"
#include "jigsaw/scores/LiveRanking.h"
#include "jigsaw/scores/ScoresHost.h"
#include "jigsaw/scores/windows/RankingPrint.h"
#include "jigsaw/scores/windows/ScoreWindowText.h"
#include "jigsaw/scores/windows/WCert.h"

namespace qv {

namespace {

constexpr int kMargin = 10;
constexpr int kCellPad = 6;
constexpr int kButtonHeight = 26;
constexpr int kOkWidth = 90;

const QColor kLiveColour(0, 0, 255);
const QColor kReceivedColour(0, 128, 128);
const QColor kOtherColour(0, 0, 128);
const QColor kHighlightBack(255, 248, 200);

// The font at the pixel size its points give on the screen: the table is
// measured with screen metrics, and a printer scales pixels and rules alike,
// where points would be enlarged a second time.
QFont screenFont(const char* family, int points, bool bold)
{
    QFont font(family);
    font.setPointSize(points);
    font.setBold(bold);
    font.setPixelSize(QFontInfo(font).pixelSize());
    return font;
}

}  // namespace

WRanking::WRanking(LiveRanking& live, ScoresHost& host, unsigned mode, QWidget* parent)
    : fw::WBaseInfo(parent), m_live(live), m_host(host), m_mode(mode & ~unsigned(Received)), m_current(true)
{
    m_live.RefreshLiveEntry();
    build();
}

WRanking::WRanking(const Ranking& ranking, LiveRanking& live, ScoresHost& host, unsigned mode, QWidget* parent)
    : fw::WBaseInfo(parent), m_live(live), m_host(host), m_mode(mode & ~unsigned(Received)), m_copy(ranking)
{
    build();
}

WRanking::WRanking(const ReceivedRanking& received, LiveRanking& live, ScoresHost& host, unsigned mode,
                   QWidget* parent)
    : fw::WBaseInfo(parent), m_live(live), m_host(host), m_mode(mode | Received), m_copy(received.ranking),
      m_received(received)
{
    build();
}

WRanking::~WRanking() = default;

const Ranking& WRanking::currentRanking() const { return m_live.ranking(); }

std::string WRanking::title() const
{
    const Ranking& r = ranking();
    return describeRanking(m_host, r.title, r.level, r.columns, r.rows, r.flags);
}

void WRanking::build()
{
    setTitle(scoreText(m_host, txt::RankingTitle));
    m_titleFont = screenFont("Arial", 12, true);
    m_tableFont = screenFont("Times New Roman", 11, false);
    addButton(IdOk, QRect(), buttonCaption(IdOk), true);
    if (m_mode & Received)
        addButton(IdMerge, QRect(), buttonCaption(IdMerge));
    addButton(IdPrint, QRect(), buttonCaption(IdPrint));
    layout();
}

void WRanking::layout()
{
    const Ranking& r = ranking();
    m_columns = rankingColumns(r, m_host);
    const QFontMetrics fm(m_tableFont);
    // The game's own row is bold, and wider: the samples are measured so.
    QFont boldFont = m_tableFont;
    boldFont.setBold(true);
    const QFontMetrics bold(boldFont);
    m_widths.clear();
    for (const RankingColumn& c : m_columns) {
        const QString sample = fw::toQString(c.sample);
        int w = std::max(fm.horizontalAdvance(sample), bold.horizontalAdvance(sample));
        if (c.kind == RankingColumn::Helps)
            w = std::max(w, fm.horizontalAdvance(fw::toQString(c.heading)));
        // A pixel or two of slack: measured widths are rounded.
        m_widths.push_back(w + 2 * kCellPad + 2);
    }
    m_rowHeight = fm.height() + 2;
    m_titleHeight = QFontMetrics(m_titleFont).height();
    m_tableTop = kMargin + m_titleHeight + 8 + m_rowHeight + 5;
    m_rowsShown = std::max<int>(1, static_cast<int>(r.records.size()));

    const int titleWidth = QFontMetrics(m_titleFont).horizontalAdvance(fw::toQString(title()));
    const int width = std::max(tableWidth(), titleWidth) + 2 * kMargin;
    const int buttonsTop = m_tableTop + m_rowsShown * m_rowHeight + 12;
    // Right to left: OK, then merge (received rankings only), then print.
    int x = width - kMargin;
    for (int id : {int(IdOk), int(IdMerge), int(IdPrint)}) {
        auto* button = static_cast<QPushButton*>(control(id));
        if (!button)
            continue;
        const int w = id == IdOk ? kOkWidth : button->fontMetrics().horizontalAdvance(button->text()) + 30;
        x -= w;
        button->setGeometry(x, buttonsTop, w, kButtonHeight);
        x -= 10;
    }
    setClientSize(width, buttonsTop + kButtonHeight + kMargin);
}

int WRanking::tableWidth() const
{
    int w = 0;
    for (int c : m_widths)
        w += c;
    return w;
}

int WRanking::liveRow() const { return m_current ? m_live.liveIndex() : -1; }

QColor WRanking::rowColour(int row) const
{
    if (m_mode & Black)
        return Qt::black;
    if (row == liveRow())
        return kLiveColour;
    const auto& records = ranking().records;
    if (row >= 0 && row < static_cast<int>(records.size()) && records[row].isReceived())
        return kReceivedColour;
    return kOtherColour;
}

QRect WRanking::rowRect(int row) const
{
    if (row < 0 || row >= static_cast<int>(ranking().records.size()))
        return {};
    const int left = (width() - tableWidth()) / 2;
    return QRect(left, m_tableTop + row * m_rowHeight, tableWidth(), m_rowHeight);
}

int WRanking::rowAt(QPoint at) const
{
    for (int row = 0; row < static_cast<int>(ranking().records.size()); ++row) {
        if (rowRect(row).contains(at))
            return row;
    }
    return -1;
}

void WRanking::setRanking(const Ranking& ranking)
{
    if (m_current)
        return;
    m_copy = ranking;
    refresh();
}

void WRanking::refresh()
{
    if (m_highlight >= static_cast<int>(ranking().records.size()))
        m_highlight = -1;
    layout();
    update();
}

void WRanking::HighlightRow(int from, int to)
{
    const int old = m_highlight;
    m_highlight = from;
    if (std::max<int>(1, static_cast<int>(ranking().records.size())) != m_rowsShown)
        layout();
    // The rows between the old and the new place shifted by one.
    QRect area = rowRect(from) | rowRect(to) | rowRect(old);
    for (int row = std::min(from, to); row <= std::max(from, to); ++row)
        area |= rowRect(row);
    if (area.isEmpty())
        update();
    else
        update(area);
}

void WRanking::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    paintTable(p, m_mode);
}

QRect WRanking::tableArea() const
{
    const int rows = std::max<int>(1, static_cast<int>(ranking().records.size()));
    return QRect(kMargin, kMargin, width() - 2 * kMargin, m_tableTop + rows * m_rowHeight - kMargin);
}

void WRanking::paintTable(QPainter& p, unsigned mode) const
{
    const bool black = mode & Black;
    const Ranking& r = ranking();
    const int left = (width() - tableWidth()) / 2;

    p.setFont(m_titleFont);
    p.setPen(black ? QColor(Qt::black) : kOtherColour);
    p.drawText(QRect(kMargin, kMargin, width() - 2 * kMargin, m_titleHeight), Qt::AlignCenter,
               fw::toQString(title()));

    p.setFont(m_tableFont);
    const int headingTop = m_tableTop - 5 - m_rowHeight;
    p.setPen(Qt::black);
    int x = left;
    for (size_t c = 0; c < m_columns.size(); ++c) {
        const QRect cell(x + kCellPad, headingTop, m_widths[c] - 2 * kCellPad, m_rowHeight);
        p.drawText(cell, (m_columns[c].alignRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                   fw::toQString(m_columns[c].heading));
        x += m_widths[c];
    }
    p.setPen(QColor(128, 128, 128));
    p.drawLine(left, m_tableTop - 3, left + tableWidth(), m_tableTop - 3);

    const char separator = m_host.thousandsSeparator();
    for (size_t row = 0; row < r.records.size(); ++row) {
        const QRect band = rowRect(static_cast<int>(row));
        if (!black && static_cast<int>(row) == m_highlight)
            p.fillRect(band, kHighlightBack);
        p.setPen(black ? QColor(Qt::black) : rowColour(static_cast<int>(row)));
        p.setFont(rowFont(static_cast<int>(row)));
        x = left;
        for (size_t c = 0; c < m_columns.size(); ++c) {
            const QRect cell(x + kCellPad, band.top(), m_widths[c] - 2 * kCellPad, m_rowHeight);
            p.drawText(cell, (m_columns[c].alignRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                       cellText(static_cast<int>(row), c, separator));
            x += m_widths[c];
        }
    }
}

QFont WRanking::rowFont(int row) const
{
    // The game's own entry stands out in print too, where colours are gone.
    QFont font = m_tableFont;
    font.setBold(row == liveRow());
    return font;
}

QString WRanking::cellText(int row, size_t column, char separator) const
{
    const QFontMetrics fm(rowFont(row));
    return fm.elidedText(fw::toQString(rankingCell(ranking(), static_cast<size_t>(row), m_columns[column].kind, separator)),
                         Qt::ElideRight, m_widths[column] - 2 * kCellPad);
}

WCert* WRanking::openCertificate(int row)
{
    if (!m_current || row < 0 || row >= static_cast<int>(ranking().records.size()))
        return nullptr;
    if (m_certificate)
        m_certificate->close();
    const Ranking& r = ranking();
    Certificate c;
    c.title = r.title;
    c.level = r.level;
    c.columns = r.columns;
    c.rows = r.rows;
    c.flags = r.flags & Ranking::RankingFlags;
    c.record = r.records[static_cast<size_t>(row)];
    m_certificate = new WCert(c, WCert::RankingRecord, m_host, this);
    m_certificate->setAttribute(Qt::WA_DeleteOnClose);
    m_mode |= CertificateShowing;
    connect(m_certificate.data(), &fw::Window::closed, this, [this] { m_mode &= ~unsigned(CertificateShowing); });
    connect(m_certificate.data(), &WCert::helpRequested, this, &WRanking::helpRequested);
    m_certificate->show();
    return m_certificate;
}

void WRanking::merge()
{
    if (!m_received)
        return;
    const fw::Status status = m_received->MergeIntoLocal(m_live, m_host);
    if (!status.ok()) {
        m_host.showMessage(status, scoresMessageIcon(status.id));
        return;
    }
    // The results are in; a second merge would only place them again.
    enableControl(IdMerge, false);
}

void WRanking::print()
{
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const fw::Status status = PrintRanking(printer, *this);
    if (!status.ok())
        fw::ShowStatus(this, status);
}

bool WRanking::OnCommand(const fw::CommandEvent& e)
{
    switch (e.command()) {
    case IdOk:
    case IdCancel:
        if (isRunning())
            EndModal(static_cast<int>(e.command()));
        else
            close();
        return true;
    case IdMerge: merge(); return true;
    case IdPrint: print(); return true;
    case IdHelp: emit helpRequested((m_mode & Received) ? ReceivedHelpTopic : HelpTopic); return true;
    default: return false;
    }
}

bool WRanking::OnMouse(const fw::MouseEvent& e)
{
    if (e.action() != fw::MouseEvent::Down || !e.doubleClick() || e.button() != fw::MouseEvent::Left)
        return false;
    return openCertificate(rowAt(QPoint(e.x(), e.y()))) != nullptr;
}

}  // namespace qv
