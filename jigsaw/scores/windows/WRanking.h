#pragma once
#include <QFont>
#include <QPointer>
#include <QRect>
#include <optional>
#include <vector>

#include "framework/qt/WBaseInfo.h"
#include "jigsaw/scores/Ranking.h"
#include "jigsaw/scores/ReceivedRanking.h"
#include "jigsaw/scores/windows/RankingColumns.h"
#include "jigsaw/scores/windows/WCert.h"

class QPainter;

namespace qv {

class LiveRanking;
class ScoresHost;

// The results of one ranking as a table. The current ranking is read from
// the live ranking each time it is painted, so the game's own entry (in
// blue) moves as the score changes; other rankings are shown as copies.
// A received ranking has a merge button. A double click on a row of the
// current ranking shows that result as a certificate.
class WRanking : public fw::WBaseInfo {
    Q_OBJECT

public:
    enum Mode : unsigned {
        Black = 0x02,             // print, or no colours: all text black
        Received = 0x04,          // a received ranking: merge button, help topic 109
        CertificateShowing = 0x80 // a certificate opened from this window is showing
    };
    enum : int { IdPrint = 1009, IdMerge = 5001, HelpTopic = 108, ReceivedHelpTopic = 109 };

    // The current ranking of the open game; its live entry is first refilled
    // from the game.
    WRanking(LiveRanking& live, ScoresHost& host, unsigned mode = 0, QWidget* parent = nullptr);
    // A copy of another puzzle's ranking.
    WRanking(const Ranking& ranking, LiveRanking& live, ScoresHost& host, unsigned mode = 0,
             QWidget* parent = nullptr);
    // A checked ranking text, kept for merging.
    WRanking(const ReceivedRanking& received, LiveRanking& live, ScoresHost& host, unsigned mode = 0,
             QWidget* parent = nullptr);
    ~WRanking() override;

    const Ranking& ranking() const { return m_current ? currentRanking() : m_copy; }
    bool showsCurrent() const { return m_current; }
    unsigned mode() const { return m_mode; }
    // The row of the game's own entry, -1 when the ranking shown has none.
    int liveRow() const;
    int highlightedRow() const { return m_highlight; }
    QColor rowColour(int row) const;
    // Where a row is drawn in the window; empty for rows that do not exist.
    QRect rowRect(int row) const;
    // The row at a window point, or -1.
    int rowAt(QPoint at) const;
    const std::vector<RankingColumn>& columns() const { return m_columns; }
    int columnWidth(size_t column) const { return m_widths[column]; }
    // A cell's text as it is drawn: shortened with "…" where it does not fit.
    QString cellText(int row, size_t column, char separator) const;

    // A copy shown again with new contents (results inserted one by one).
    void setRanking(const Ranking& ranking);
    // Lays the table out again for the rows it has now and repaints it.
    void refresh();
    // Marks the row a result was just placed at and repaints the rows that
    // moved, from `from` to `to`.
    void HighlightRow(int from, int to);
    // Draws title, headings and rows with the painter's origin at the
    // window's top-left; printing passes Black.
    void paintTable(QPainter& painter, unsigned mode) const;
    // What paintTable draws on: from the title to the last row.
    QRect tableArea() const;
    // The certificate window of a row of the current ranking.
    WCert* openCertificate(int row);
    WCert* certificateWindow() const { return m_certificate; }

signals:
    void helpRequested(int topic);

protected:
    bool OnCommand(const fw::CommandEvent& event) override;
    bool OnMouse(const fw::MouseEvent& event) override;
    bool OnCloseRequest() override { return false; }
    void paintEvent(QPaintEvent* event) override;

private:
    void build();
    void layout();
    void merge();
    void print();
    const Ranking& currentRanking() const;
    std::string title() const;
    int tableWidth() const;
    QFont rowFont(int row) const;

    LiveRanking& m_live;
    ScoresHost& m_host;
    unsigned m_mode;
    bool m_current = false;
    Ranking m_copy;
    std::optional<ReceivedRanking> m_received;
    QFont m_titleFont;
    QFont m_tableFont;
    std::vector<RankingColumn> m_columns;
    std::vector<int> m_widths;
    int m_rowHeight = 0;
    int m_titleHeight = 0;
    int m_tableTop = 0;   // top of the first row
    int m_rowsShown = 0;  // rows the layout made room for
    int m_highlight = -1;
    QPointer<WCert> m_certificate;
};

}  // namespace qv
