#include <QPushButton>

#include "ScoreWindowsFixture.h"
#include "framework/qt/Screenshot.h"
#include "jigsaw/scores/windows/WCert.h"
#include "jigsaw/scores/windows/WRanking.h"

using namespace qv;
using namespace qv::test;

namespace {

// Rows of the table that carry pure blue text.
std::vector<int> blueRows(WRanking& w)
{
    const QImage image = w.grab().toImage();
    std::vector<int> rows;
    for (int row = 0; row < static_cast<int>(w.ranking().records.size()); ++row) {
        if (bluePixels(image, w.rowRect(row)) > 0)
            rows.push_back(row);
    }
    return rows;
}

}  // namespace

TEST_F(ScoreWindowsTest, LiveEntryIsDrawnInBlueAtItsRowAndFollowsTheScore)
{
    storeRanking();
    open();
    join(15);  // 66250: fourth, between 81250 and 62300
    WRanking w(*live, host);
    ASSERT_EQ(w.ranking().records.size(), 6u);
    EXPECT_EQ(w.liveRow(), 3);
    EXPECT_EQ(w.ranking().records[3].key, "");
    EXPECT_EQ(blueRows(w), std::vector<int>{3});
    EXPECT_EQ(w.rowColour(0), QColor(0, 128, 128));  // received
    EXPECT_EQ(w.rowColour(2), QColor(0, 0, 128));    // another saved game

    join(10);  // 83750: above the saved game
    w.refresh();
    EXPECT_EQ(blueRows(w), std::vector<int>{2});
    EXPECT_EQ(w.ranking().records[3].key, "evening");

    playAWhile();
    w.refresh();
    w.show();
    fw::saveScreenshot(w, "ranking");
}

TEST_F(ScoreWindowsTest, BlackModeDrawsEveryRowBlack)
{
    storeRanking();
    open();
    WRanking w(*live, host, WRanking::Black);
    const QImage image = w.grab().toImage();
    const QRect table = w.rowRect(0) | w.rowRect(static_cast<int>(w.ranking().records.size()) - 1);
    EXPECT_EQ(colouredPixels(image, table), 0);
    EXPECT_EQ(w.rowColour(w.liveRow()), QColor(Qt::black));

    WRanking coloured(*live, host);
    EXPECT_GT(colouredPixels(coloured.grab().toImage(), table), 0);
}

TEST_F(ScoreWindowsTest, ColumnsAreMeasuredFromTheirSamplesAndCustomSizesShowPieces)
{
    storeRanking();
    open();
    WRanking normal(*live, host);
    const QFontMetrics fm(QFont("Times New Roman", 11));
    std::vector<RankingColumn::Kind> kinds;
    for (size_t c = 0; c < normal.columns().size(); ++c) {
        kinds.push_back(normal.columns()[c].kind);
        EXPECT_GE(normal.columnWidth(c), fm.horizontalAdvance(QString::fromStdString(normal.columns()[c].sample)));
    }
    EXPECT_EQ(std::count(kinds.begin(), kinds.end(), RankingColumn::Pieces), 0);
    // 142 joints of 80 pieces (284 sides) is the whole puzzle.
    EXPECT_EQ(rankingCell(normal.ranking(), 0, RankingColumn::Joined, ','), "142 (100%)");
    EXPECT_EQ(rankingCell(normal.ranking(), 0, RankingColumn::Score, '.'), "118.400");
    EXPECT_EQ(rankingCell(normal.ranking(), 1, RankingColumn::Percent, ','), "81.1%");
    EXPECT_EQ(rankingCell(normal.ranking(), 0, RankingColumn::Time, ','), "00:30:51.0");

    Ranking custom = normal.ranking();
    custom.level = 5;
    custom.records[1].pieces = 0;
    custom.records[2].score = -200000;
    WRanking w(custom, *live, host);
    kinds.clear();
    for (const RankingColumn& c : w.columns())
        kinds.push_back(c.kind);
    EXPECT_EQ(kinds, (std::vector<RankingColumn::Kind>{RankingColumn::Position, RankingColumn::Player,
                                                        RankingColumn::Pieces, RankingColumn::Time,
                                                        RankingColumn::Joined, RankingColumn::Moves,
                                                        RankingColumn::Helps, RankingColumn::Score,
                                                        RankingColumn::Percent}));
    EXPECT_EQ(rankingCell(custom, 0, RankingColumn::Joined, ','), "142");
    EXPECT_EQ(rankingCell(custom, 0, RankingColumn::Pieces, ','), "80");
    EXPECT_EQ(rankingCell(custom, 1, RankingColumn::Pieces, ','), "?");
    EXPECT_EQ(rankingCell(custom, 2, RankingColumn::Percent, ','), "-99.9%");
    custom.records[0].score = 0;
    EXPECT_EQ(rankingCell(custom, 1, RankingColumn::Percent, ','), "");
}

// Only a player's name may be too long for its column; the game's own row
// is drawn bold and must fit as well as the others.
TEST_F(ScoreWindowsTest, EveryCellButALongNameIsShownWholeTheBoldOwnRowToo)
{
    storeRanking();
    open();
    join(142);  // the whole puzzle: the game's own entry leads the ranking at 100.0%
    WRanking w(*live, host);
    ASSERT_EQ(w.liveRow(), 0);
    EXPECT_EQ(w.cellText(0, w.columns().size() - 1, ',').toStdString(), "100.0%");
    for (int row = 0; row < static_cast<int>(w.ranking().records.size()); ++row) {
        for (size_t c = 0; c < w.columns().size(); ++c) {
            if (w.columns()[c].kind == RankingColumn::Player)
                continue;
            const QString text = w.cellText(row, c, ',');
            EXPECT_FALSE(text.contains(QChar(0x2026))) << "row " << row << ", column " << c << ": "
                                                       << text.toStdString();
        }
    }
}

TEST_F(ScoreWindowsTest, OnlyAReceivedRankingHasTheMergeButtonAndMergingFillsTheCurrentRanking)
{
    storeRanking();
    open();
    WRanking current(*live, host);
    EXPECT_EQ(current.control(WRanking::IdMerge), nullptr);
    WRanking other(live->ranking(), *live, host);
    EXPECT_EQ(other.control(WRanking::IdMerge), nullptr);

    ReceivedRanking received;
    received.ranking.title = game.title;
    received.ranking.level = static_cast<uint8_t>(game.level);
    received.ranking.columns = static_cast<int16_t>(game.columns);
    received.ranking.rows = static_cast<int16_t>(game.rows);
    received.ranking.version = 2;
    received.ranking.records = {result("*R*", "Zoe Park", 200000, 900000, 284, 300, 0, "Sunny Shop")};
    WRanking w(received, *live, host);
    EXPECT_TRUE(w.mode() & WRanking::Received);
    auto* merge = qobject_cast<QPushButton*>(w.control(WRanking::IdMerge));
    ASSERT_NE(merge, nullptr);
    merge->click();
    EXPECT_EQ(live->ranking().records[0].player, "Zoe Park");
    EXPECT_EQ(host.shownRows, std::vector<int>{0});
    EXPECT_FALSE(merge->isEnabled());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ScoreWindowsTest, DoubleClickOnARowOfTheCurrentRankingShowsItsCertificate)
{
    storeRanking();
    open();
    WRanking w(*live, host);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));

    QTest::mouseDClick(&w, Qt::LeftButton, {}, w.rowRect(2).center());
    WCert* cert = w.certificateWindow();
    ASSERT_NE(cert, nullptr);
    EXPECT_EQ(cert->mode(), WCert::RankingRecord);
    EXPECT_TRUE(w.mode() & WRanking::CertificateShowing);
    EXPECT_EQ(cert->text(WCert::IdPlayer), "Ann Lee");
    EXPECT_EQ(cert->text(WCert::IdOwner), "Local");  // a saved game of this installation

    QTest::mouseDClick(&w, Qt::LeftButton, {}, w.rowRect(0).center());
    cert = w.certificateWindow();
    ASSERT_NE(cert, nullptr);
    EXPECT_EQ(cert->text(WCert::IdOwner), "Tide Press");  // received: its owner
    EXPECT_EQ(cert->text(WCert::IdScore), "118,400");
    cert->close();
    EXPECT_FALSE(w.mode() & WRanking::CertificateShowing);

    // Another puzzle's ranking opens no certificates.
    WRanking copy(live->ranking(), *live, host);
    copy.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&copy));
    QTest::mouseDClick(&copy, Qt::LeftButton, {}, copy.rowRect(0).center());
    EXPECT_EQ(copy.certificateWindow(), nullptr);
}

TEST_F(ScoreWindowsTest, PlacingAResultMarksItsRowAndGrowsTheTable)
{
    storeRanking();
    open();
    Ranking copy = live->ranking();
    WRanking w(copy, *live, host);
    const int height = w.height();
    copy.records.insert(copy.records.begin() + 1, result("*R*", "New One", 100000, 1000000, 284, 1, 0));
    w.setRanking(copy);
    w.HighlightRow(1, 6);
    EXPECT_EQ(w.highlightedRow(), 1);
    EXPECT_GT(w.height(), height);
    EXPECT_FALSE(w.rowRect(6).isEmpty());
}
