// Opening puzzles and games through the program: the picture cache, the
// edge styles of the settings, games saved on a larger table or cut short,
// one-piece puzzles, and the pieces cut again when the screen or a drawing
// option changes.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <csignal>
#include <sys/resource.h>

#include "Drive.h"
#include "ShellFixture.h"
#include "framework/AtomicFile.h"
#include "framework/ByteIO.h"
#include "framework/FileStream.h"
#include "framework/qt/MUBox.h"
#include "jigsaw/document/PieceSheet.h"
#include "jigsaw/document/SavedGameFile.h"
#include "jigsaw/shell/windows/WOptions.h"
#include "jigsaw/play/ScoreKeeper.h"

using namespace shelltest;
namespace fs = std::filesystem;

namespace {

uint32_t cacheOffsetOf(const fs::path& puzzle)
{
    qv::Entry e;
    EXPECT_TRUE(e.readFile(puzzle).ok());
    return e.directory.cacheOffset;
}

// Answers the next message box (OK), remembering its text. Only one: an
// answer left waiting would take a box of the next test.
struct ToldBoxes {
    std::shared_ptr<std::vector<QString>> texts = std::make_shared<std::vector<QString>>();
    void arm()
    {
        answerModal<fw::MUBox>([texts = texts](fw::MUBox& box) {
            QString text;
            for (const fw::MarkupText& t : box.layout().texts())
                text += QString::fromLatin1(t.text) + ' ';
            texts->push_back(text.simplified());
            box.command(fw::mubox::Ok);
        });
    }
};

// The pixels of the pieces' images against the picture they were cut from:
// as the picture, one of the three plain greys, or something else (blended).
struct EdgePixels {
    long asPicture = 0, grey = 0, other = 0;
};

EdgePixels edgePixels(const qv::Puz& puz)
{
    EdgePixels e;
    for (const qv::SPuz& p : puz.pieces) {
        const int ox = p.cellOrigin.x - (p.cell.x - p.bounding.x), oy = p.cellOrigin.y - (p.cell.y - p.bounding.y);
        for (int v = 0; v < p.bounding.h; ++v)
            for (int u = 0; u < p.bounding.w; ++u) {
                const int sx = p.bounding.x + u, sy = p.bounding.y + v;
                if (puz.maskSheet.pixel(sx, sy) != qv::kMaskPiece || !puz.picture.contains(ox + u, oy + v))
                    continue;
                const uint32_t got = puz.pieceSheet.pixel(sx, sy) & 0xFFFFFF;
                if (got == (puz.picture.pixel(ox + u, oy + v) & 0xFFFFFF))
                    ++e.asPicture;
                else if (got == 0 || got == 0x404040 || got == 0x808080)
                    ++e.grey;
                else
                    ++e.other;
            }
    }
    return e;
}

bool allOnTable(qv::WPuz& w, int from = 0)
{
    const qv::Rect16 view = w.tableArea();
    for (const qv::SPuz& p : w.context().puz.pieces) {
        const qv::Rect16& r = p.table;
        if (p.index >= from && p.box == qv::SPuz::OnTable &&
            (r.x < view.x || r.y < view.y || r.x + r.w > view.x + view.w || r.y + r.h > view.y + view.h))
            return false;
    }
    return true;
}

// Joins piece 0 to its right neighbour through the play rules.
void joinFirstPair(qv::WPuz& w)
{
    qv::Puz& puz = w.context().puz;
    qv::SPuz& a = puz.pieces[0];
    const qv::SPuz& b = puz.pieces[a.neighbour[qv::SideRight]];
    w.rules().RotateGroup(a.index, (b.rotation - a.rotation + 4) & 3);
    const QPoint at = besideNeighbour(a, b, qv::SideRight);
    w.rules().MoveGroup(a.index, {static_cast<int16_t>(at.x()), static_cast<int16_t>(at.y())});
    ASSERT_EQ(w.rules().TryJoin(a.index, false), b.index);
}

}  // namespace

// The picture-cache setting is off after every start: a 12-megapixel photo
// opened with the settings as they come must not grow its puzzle file by
// the tens of megabytes of a decoded picture.
TEST(PiecesAndPictures, ALargePuzzleOpenedWithDefaultSettingsKeepsItsFileSize)
{
    ProgramFolder folder;
    const fs::path puzzle = makePuzzle(folder / "photo.puz", 8, 6, 0, 4000, 3000);
    const uintmax_t size = fs::file_size(puzzle);
    Started s(folder, puzzle.string());
    ASSERT_EQ(s.status, 0);
    ASSERT_EQ(s.puz().pieceCount(), 48);
    EXPECT_EQ(fs::file_size(puzzle), size);
    EXPECT_EQ(cacheOffsetOf(puzzle), 0u);
    // And again: a second open neither finds nor writes a cache.
    ASSERT_TRUE(s.app->OpenFile(puzzle, 0, 0));
    EXPECT_EQ(fs::file_size(puzzle), size);
}

// "NoShadow" draws the pieces without edges, "SolidShadow" (and options bit
// 0x0800) in plain greys; by default the edges are blended from the picture.
TEST(PiecesAndPictures, TheShadowSettingsChooseHowEdgesAreDrawn)
{
    const struct {
        const char* settings;
        qv::EdgeStyle style;
    } cases[] = {
        {"", qv::EdgeStyle::Blend},
        {"NoShadow=1\r\n", qv::EdgeStyle::None},
        {"SolidShadow=1\r\n", qv::EdgeStyle::Grey},
        {"NoShadow=1\r\nSolidShadow=1\r\n", qv::EdgeStyle::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settings);
        ProgramFolder folder(std::string("[Main]\r\nOptions=4096\r\n") + c.settings);
        const fs::path puzzle = makePuzzle(folder / "bands.puz", 5, 4, qv::Puz::NoRotable);
        Started s(folder, puzzle.string());
        ASSERT_EQ(s.status, 0);
        EXPECT_EQ(s.app->edgeStyle(), c.style);
        const EdgePixels e = edgePixels(s.puz());
        ASSERT_GT(e.asPicture, 10000);
        switch (c.style) {
        case qv::EdgeStyle::None: EXPECT_EQ(e.grey + e.other, 0); break;
        case qv::EdgeStyle::Grey: EXPECT_EQ(e.other, 0); EXPECT_GT(e.grey, 500); break;
        case qv::EdgeStyle::Blend: EXPECT_GT(e.other, 500); break;
        }
    }
}

TEST(PiecesAndPictures, APuzzleOfOnePieceIsCompleteWhenOpened)
{
    ProgramFolder folder;
    const fs::path puzzle = makePuzzle(folder / "one.puz", 1, 1);
    Started s(folder, puzzle.string());
    ASSERT_EQ(s.status, 0);
    ASSERT_EQ(s.puz().pieceCount(), 1);
    EXPECT_TRUE(s.puz().state & qv::Puz::Complete);
    EXPECT_NE(s.puz().dateEnd, 0u);
    EXPECT_EQ(s.app->score().state(), qv::ScoreKeeper::Finished) << "the clock stops";

    // A puzzle of more pieces is not.
    const fs::path four = makePuzzle(folder / "four.puz", 2, 2);
    ASSERT_TRUE(s.app->OpenFile(four, 0, 0));
    EXPECT_FALSE(s.puz().state & qv::Puz::Complete);
}

// A game saved on a larger table (its pieces up to 3000 pixels out) is
// opened after the question, with every piece brought onto the table: the
// whole table, also when the game was kept zoomed in on a part of it.
TEST(PiecesAndPictures, AGameFromALargerTableComesOntoThisOne)
{
    for (uint16_t zoom : {uint16_t(1000), uint16_t(2500)}) {
        ProgramFolder folder;
        const fs::path puzzle = makePuzzle(folder / "bands.puz", 5, 4);
        const fs::path saved = folder / "far.sav";
        {
            Started s(folder, puzzle.string());
            ASSERT_EQ(s.status, 0);
            qv::Puz& puz = s.puz();
            joinFirstPair(s.window());
            for (int i = 2; i < puz.pieceCount(); ++i)
                puz.pieces[i].placeAt(static_cast<int16_t>(2000 + 50 * i), static_cast<int16_t>(1500 + 30 * i));
            s.window().rules().MoveGroup(0, {3000, 2500});
            puz.savedPath = saved;
            puz.savedName = "Far";
            puz.savedFrame = {6000, 4000};  // as the larger table wrote it
            puz.viewZoom = zoom;
            puz.viewCentre = {200, 150};
            ASSERT_TRUE(fw::replaceFile(saved, [&](fw::Stream& out) { return qv::SavedGameFile::write(puz, out); }));
        }
        ToldBoxes told;
        told.arm();
        Started s(folder, saved.string());
        ASSERT_EQ(s.status, 0);
        ASSERT_EQ(told.texts->size(), 1u) << "the question about the larger table";
        EXPECT_TRUE((*told.texts)[0].contains("6000x4000")) << (*told.texts)[0].toStdString();
        ASSERT_EQ(s.puz().pieceCount(), 20);
        EXPECT_FALSE(s.puz().state & qv::Puz::BringIntoView) << "done with";
        EXPECT_DOUBLE_EQ(s.window().zoom(), zoom / 1000.0);
        EXPECT_TRUE(allOnTable(s.window())) << zoom;
        EXPECT_TRUE(s.puz().pieces[0].joined & (1 << qv::SideRight)) << "the group came as one";
        if (zoom != 1000) {
            const qv::Rect16 v = s.window().visibleArea();
            int beyond = 0;
            for (const qv::SPuz& p : s.puz().pieces)
                beyond += p.table.x + p.table.w > v.x + v.w || p.table.y + p.table.h > v.y + v.h;
            EXPECT_GT(beyond, 0) << "spread over the table, not crammed into the zoomed view";
        }
    }
}

// A saved game cut short inside its piece records opens with the pieces it
// has, and the player is told the file is damaged.
TEST(PiecesAndPictures, AGameCutShortInItsPiecesOpensWithThePiecesRead)
{
    ProgramFolder folder;
    const fs::path puzzle = makePuzzle(folder / "bands.puz", 5, 4);
    const fs::path saved = folder / "short.sav";
    qv::Point16 first;
    {
        Started s(folder, puzzle.string());
        ASSERT_EQ(s.status, 0);
        joinFirstPair(s.window());
        first = {s.puz().pieces[0].tableCell.x, s.puz().pieces[0].tableCell.y};
        s.puz().savedPath = saved;
        s.puz().savedName = "Short";
        ASSERT_TRUE(s.app->SaveGame(true));
    }
    std::vector<uint8_t> bytes;
    {
        fw::FileStream f(saved, fw::FileStream::Mode::Read);
        bytes.resize(f.size());
        f.read(bytes.data(), bytes.size());
    }
    bytes.resize(bytes.size() - 20 * 2 - 10 * 8 - 3);  // the last ten records and the order list gone
    {
        fw::FileStream f(saved, fw::FileStream::Mode::Create);
        f.write(bytes.data(), bytes.size());
    }
    ToldBoxes told;
    told.arm();
    Started s(folder, saved.string());
    ASSERT_EQ(s.status, 0);
    ASSERT_EQ(s.puz().pieceCount(), 20) << "the game opened";
    ASSERT_EQ(told.texts->size(), 1u);
    EXPECT_TRUE((*told.texts)[0].contains("damaged")) << (*told.texts)[0].toStdString();
    EXPECT_EQ(s.puz().pieces[0].tableCell.x, first.x);
    EXPECT_EQ(s.puz().pieces[0].tableCell.y, first.y);
    EXPECT_TRUE(s.puz().pieces[0].joined & (1 << qv::SideRight));
    // Nine whole records are left: pieces 0 to 8 lie where they were saved
    // (piece 0 may have been joined beyond the edge), the others are spread.
    EXPECT_TRUE(allOnTable(s.window(), 9)) << "the pieces without records are spread over the table";
    EXPECT_TRUE(s.window().rules().invariantsHold());
}

// Another screen size cuts the open game again for it, through a temporary
// saved game: the game goes on where it was, joins, names and all.
TEST(PiecesAndPictures, AScreenOfAnotherSizeCutsThePiecesAgain)
{
    ProgramFolder folder;
    const fs::path puzzle = makePuzzle(folder / "bands.puz", 5, 4, 0, 1200, 900);
    Started s(folder, puzzle.string());
    ASSERT_EQ(s.status, 0);
    qv::Puz& puz = s.puz();
    qv::WPuz& w = s.window();
    joinFirstPair(w);
    puz.pieces[7].placeAt(static_cast<int16_t>(w.width() - 40), static_cast<int16_t>(w.height() - 40));
    puz.playerName = "Ann";
    const uint8_t state = puz.state;
    const qv::Rect16 picture = puz.pictureRect;
    const int16_t width = puz.pieceWidth;
    const auto moves = s.app->score().Counters().moves;

    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_TRUE(screen);
    const QRect was = screen->geometry();
    const QRect smaller(0, 0, was.width() * 3 / 4, was.height() * 3 / 4);
    emit screen->geometryChanged(smaller);
    EXPECT_EQ(w.size(), smaller.size());
    ASSERT_EQ(puz.pieceCount(), 20);
    EXPECT_LT(puz.pictureRect.w, picture.w) << "the picture scaled for the smaller table";
    EXPECT_LT(puz.pieceWidth, width);
    EXPECT_TRUE(puz.pieces[0].joined & (1 << qv::SideRight));
    EXPECT_TRUE(allOnTable(w)) << "piece 7 lay beyond the smaller table";
    EXPECT_EQ(puz.playerName, "Ann");
    EXPECT_TRUE(puz.savedPath.empty()) << "still a game never saved";
    EXPECT_EQ(puz.state & (qv::Puz::FromSaved | qv::Puz::Changed), state & (qv::Puz::FromSaved | qv::Puz::Changed));
    EXPECT_EQ(s.app->score().Counters().moves, moves);
    EXPECT_TRUE(w.rules().invariantsHold());

    // The same size again is no change; the old one is.
    const qv::Rect16 small = puz.pictureRect;
    emit screen->geometryChanged(smaller);
    EXPECT_EQ(puz.pictureRect, small);
    emit screen->geometryChanged(was);
    EXPECT_EQ(s.app->display().width, was.width());
    EXPECT_EQ(w.size(), was.size());
}

// The grey-edges option (F3, bit 0x0800) is drawn into the pieces when they
// are cut: changing it cuts the open game again.
TEST(PiecesAndPictures, ChangingTheEdgeOptionCutsThePiecesAgain)
{
    ProgramFolder folder;
    const fs::path puzzle = makePuzzle(folder / "bands.puz", 5, 4, qv::Puz::NoRotable);
    Started s(folder, puzzle.string());
    ASSERT_EQ(s.status, 0);
    joinFirstPair(s.window());
    ASSERT_GT(edgePixels(s.puz()).other, 500) << "blended edges first";
    answerModal<qv::WOptions>([](qv::WOptions& d) {
        d.setChecked(2514, true);
        d.sendCommand(qv::WOptions::IdOk);
    });
    QTest::keyClick(&s.window(), Qt::Key_F3);
    EXPECT_EQ(s.app->edgeStyle(), qv::EdgeStyle::Grey);
    const EdgePixels e = edgePixels(s.puz());
    EXPECT_EQ(e.other, 0);
    EXPECT_GT(e.grey, 500);
    EXPECT_TRUE(s.puz().pieces[0].joined & (1 << qv::SideRight));
}

// The rebuild goes through a temporary saved game: when the disk has no
// room for it, the game stays as it was (with its old pieces) and the player
// is told, instead of an empty table.
TEST(PiecesAndPictures, ARebuildTheDiskHasNoRoomForKeepsTheGame)
{
    ProgramFolder folder;
    const fs::path puzzle = makePuzzle(folder / "bands.puz", 5, 4, qv::Puz::NoRotable);
    Started s(folder, puzzle.string());
    ASSERT_EQ(s.status, 0);
    joinFirstPair(s.window());
    ASSERT_TRUE(s.puz().state & qv::Puz::Changed);
    const int pieces = s.puz().pieceCount();
    int boxes = 0;
    std::function<void(fw::MUBox&)> answer = [&](fw::MUBox& box) {
        ++boxes;
        box.command(fw::mubox::Ok);
        answerModal<fw::MUBox>(answer, 25);
    };
    rlimit unlimited{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &unlimited), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    answerModal<qv::WOptions>([&](qv::WOptions& d) {
        d.setChecked(2514, true);
        const rlimit limit{64, unlimited.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        answerModal<fw::MUBox>(answer);
        d.sendCommand(qv::WOptions::IdOk);
    });
    QTest::keyClick(&s.window(), Qt::Key_F3);
    QTest::qWait(300);
    ::setrlimit(RLIMIT_FSIZE, &unlimited);
    std::signal(SIGXFSZ, previous);
    QTest::qWait(500);

    EXPECT_GE(boxes, 1) << "the player is told";
    ASSERT_EQ(s.puz().pieceCount(), pieces);
    EXPECT_TRUE(s.puz().pieces[0].joined & (1 << qv::SideRight));
    EXPECT_TRUE(s.puz().state & qv::Puz::Changed) << "still a change to save";
    EXPECT_GT(edgePixels(s.puz()).other, 500) << "the pieces as they were cut";
}
