// Where the keyboard and the menus lead around the play: a box or the score
// strip with the keyboard, what hides the loupe, the entries of the play
// window's menu, Esc's minimising and the table with nothing on it.
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <gtest/gtest.h>

#include "Drive.h"
#include "ShellFixture.h"
#include "framework/Options.h"
#include "framework/Traductor.h"
#include "framework/qt/Screenshot.h"
#include "jigsaw/shell/windows/WAdvanced.h"
#include "jigsaw/shell/windows/WOptions.h"
#include "jigsaw/play/windows/Loupe.h"
#include "jigsaw/play/windows/WBox.h"
#include "jigsaw/scores/LiveRanking.h"
#include "jigsaw/scores/windows/ScoreWindows.h"
#include "jigsaw/scores/windows/WMiniScore.h"
#include "jigsaw/scores/windows/WRanking.h"
#include "jigsaw/shell/windows/PuzCommands.h"

using namespace shelltest;

namespace {

std::vector<qv::Point16> placesOn(const qv::Puz& puz, uint8_t container)
{
    std::vector<qv::Point16> out;
    for (const qv::SPuz& p : puz.pieces)
        if (p.box == container)
            out.push_back({p.tableCell.x, p.tableCell.y});
    return out;
}

// A point of the surface (window coordinates) with no piece under it, on
// a grid inside the given margins; (-1, -1) when there is none.
QPoint emptySpot(qv::WPuz& w, qv::WSPuz& s, int margin)
{
    for (int y = margin; y < s.height() - margin; y += 6)
        for (int x = margin; x < s.width() - margin; x += 6) {
            const QPoint at = s.toSurface(QPoint(x, y));
            if (w.rules().HitTest(s.container(), {static_cast<int16_t>(at.x()), static_cast<int16_t>(at.y())}) < 0)
                return {x, y};
        }
    return {-1, -1};
}


struct Game {
    ProgramFolder folder;
    std::unique_ptr<Started> s;
    explicit Game(const std::string& settings = "[Main]\r\nOptions=4096\r\n", int columns = 5, int rows = 4)
        : folder(settings)
    {
        const auto puzzle = makePuzzle(folder / "bands.puz", columns, rows);
        s = std::make_unique<Started>(folder, puzzle.string());
        EXPECT_EQ(s->status, 0);
    }
    qv::WPuz& w() { return s->window(); }
    qv::Puz& puz() { return s->puz(); }
    qv::WBox& openBox(int k)
    {
        qv::WBox* box = w().box(k);
        EXPECT_TRUE(box);
        box->setClosed(false);
        box->show();
        box->raise();
        return *box;
    }
};

}  // namespace

// With the keyboard in a box, Ctrl+R tidies that box and the table stays
// as it is; the box's own menu entry does the same.
TEST(PlayInput, CtrlRAndTheBoxMenuTidyTheActiveBoxNotTheTable)
{
    Game g;
    qv::WPuz& w = g.w();
    qv::WBox& box = g.openBox(0);
    // Three pieces in the box, all on one spot: a tidying must part them.
    for (int p : {0, 7, 13})
        w.rules().MoveToSurface(p, {30, 40}, 0);
    ASSERT_EQ(placesOn(g.puz(), 0).size(), 3u);
    const auto stacked = placesOn(g.puz(), 0);
    const auto table = placesOn(g.puz(), qv::SPuz::OnTable);

    box.setFocus();
    QTest::keyClick(&box, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(placesOn(g.puz(), qv::SPuz::OnTable), table) << "the table was tidied";
    EXPECT_NE(placesOn(g.puz(), 0), stacked) << "the box was not tidied";

    for (int p : {0, 7, 13})
        w.rules().MoveToSurface(p, {30, 40}, 0);
    const QPoint empty = emptySpot(w, box, 24);
    ASSERT_NE(empty.x(), -1);
    whileMenuIsOpen([&] { press(w, Qt::RightButton, box.mapTo(&w, empty)); }, [](QMenu&) {}, 1103);
    release(w, Qt::RightButton, box.mapTo(&w, empty));
    waitFor([&] { return placesOn(g.puz(), 0) != stacked; }, 2000);
    EXPECT_EQ(placesOn(g.puz(), qv::SPuz::OnTable), table);
    EXPECT_NE(placesOn(g.puz(), 0), stacked) << "the box's tidy entry";
}

// Esc first closes the loupe, wherever the keyboard is; the next Esc is the
// box's.
TEST(PlayInput, EscClosesTheLoupeBeforeTheBox)
{
    Game g;
    qv::WPuz& w = g.w();
    qv::WBox& box = g.openBox(0);
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_Shift);
    ASSERT_TRUE(w.loupe()) << "Shift opens the loupe from a box too";
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_FALSE(w.loupe());
    EXPECT_FALSE(box.isClosed()) << "the Esc was the loupe's";
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_TRUE(box.isClosed());
}

// The loupe hides while any menu is open (the F10 menu, the table's, a
// box's) and while the pointer is on a window's frame or moves a box, and
// comes back afterwards.
TEST(PlayInput, MenusAndWindowFramesHideTheLoupe)
{
    Game g;
    qv::WPuz& w = g.w();
    qv::WBox& box = g.openBox(1);
    const QPoint onTable = emptySpot(w, w, 60);
    ASSERT_NE(onTable.x(), -1);
    QTest::mouseMove(&w, onTable);
    QTest::keyClick(&w, Qt::Key_Shift);
    ASSERT_TRUE(w.loupe());
    ASSERT_TRUE(w.loupe()->shown());

    const QPoint inBox = emptySpot(w, box, 24);
    ASSERT_NE(inBox.x(), -1);
    const struct {
        const char* menu;
        std::function<void()> open;
    } menus[] = {
        {"F10", [&] { QTest::keyClick(&w, Qt::Key_F10); }},
        {"the table's",
         [&] {
             press(w, Qt::RightButton, onTable);
             release(w, Qt::RightButton, onTable);
         }},
        {"a box's",
         [&] {
             press(w, Qt::RightButton, box.mapTo(&w, inBox));
             release(w, Qt::RightButton, box.mapTo(&w, inBox));
         }},
    };
    for (const auto& m : menus) {
        bool shownMeanwhile = true;
        whileMenuIsOpen(m.open, [&](QMenu&) { shownMeanwhile = w.loupe() && w.loupe()->shown(); });
        EXPECT_FALSE(shownMeanwhile) << m.menu;
        ASSERT_TRUE(w.loupe()) << m.menu;
        EXPECT_TRUE(w.loupe()->shown()) << m.menu << ": back after the menu";
        QTest::mouseMove(&w, onTable);
    }

    // The box's border, then back on the table.
    QTest::mouseMove(&w, box.mapTo(&w, QPoint(1, box.height() / 2)));
    EXPECT_FALSE(w.loupe()->shown()) << "on the box's frame";
    QTest::mouseMove(&w, box.mapTo(&w, inBox));
    EXPECT_TRUE(w.loupe()->shown()) << "inside the box";
    // Moving the box by its empty space is moving it by its frame.
    press(w, Qt::LeftButton, box.mapTo(&w, inBox));
    ASSERT_TRUE(box.moving());
    glide(w, box.mapTo(&w, inBox), box.mapTo(&w, inBox) + QPoint(-30, -20), 4);
    EXPECT_FALSE(w.loupe()->shown()) << "while the box moves";
    release(w, Qt::LeftButton, box.mapTo(&w, inBox));
    QTest::mouseMove(&w, onTable);
    EXPECT_TRUE(w.loupe()->shown());

    // A frame the system draws, where the system tells.
    QMouseEvent frame(QEvent::NonClientAreaMouseMove, QPointF(3, 3), QPointF(3, 3), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&w, &frame);
    EXPECT_FALSE(w.loupe()->shown()) << "on the system's frame";
    QTest::mouseMove(&w, onTable + QPoint(2, 2));
    EXPECT_TRUE(w.loupe()->shown());
}

// Competition switched on in a running game shows the strip at once; the
// strip with the keyboard plays as the table does, and the clock runs on.
TEST(PlayInput, TheScoreStripComesWithCompetitionAndItsKeysAreTheTables)
{
    Game g;
    qv::App& app = *g.s->app;
    qv::WPuz& w = g.w();
    ASSERT_FALSE(app.liveRanking().isOpen());
    app.commands().Command(qv::PuzCommands::CmdCompetition);
    qv::WMiniScore* strip = app.scoreWindows().miniScore();
    ASSERT_NE(strip, nullptr) << "no strip after competition was switched on";
    EXPECT_TRUE(strip->isVisible());

    QApplication::setActiveWindow(strip);
    QTest::qWait(20);
    EXPECT_FALSE(app.score().paused()) << "the strip's activation paused the clock";
    QTest::mouseMove(&w, emptySpot(w, w, 60));
    QTest::keyClick(&w, Qt::Key_Shift);
    ASSERT_TRUE(w.loupe());
    EXPECT_TRUE(w.loupe()->shown());
    const int helps = app.score().Counters().helps;
    QTest::keyClick(strip, Qt::Key_F5);
    EXPECT_EQ(app.score().Counters().helps, helps + 1) << "F5 on the strip is the table's F5";

    // Leaving the program from the strip pauses; coming back to it goes on.
    QApplication::setActiveWindow(nullptr);
    QTest::qWait(20);
    EXPECT_TRUE(app.score().paused());
    EXPECT_FALSE(w.loupe()->shown());
    QApplication::setActiveWindow(strip);
    QTest::qWait(20);
    EXPECT_FALSE(app.score().paused());
    EXPECT_TRUE(w.loupe()->shown());
}

// The play window's menu reaches the score strip, the advanced options and
// the preview's hiding; the options window has the advanced options too.
TEST(PlayInput, TheMenuOffersScorePreviewAndAdvancedOptions)
{
    Game g("[Main]\r\nOptions=4128\r\n");  // competition
    qv::App& app = *g.s->app;
    qv::PuzCommands& commands = app.commands();
    qv::WPuz& w = g.w();
    std::vector<std::pair<uint32_t, uint32_t>> entries;
    std::function<void(const fw::Menu&)> collect = [&](const fw::Menu& m) {
        for (const fw::Menu::Item& item : m.items()) {
            if (item.submenu)
                collect(*item.submenu);
            if (item.kind == fw::Menu::Item::Command && !item.text.empty())
                entries.emplace_back(item.command, item.argument);
        }
    };
    collect(commands.windowMenu());
    for (auto entry : {std::pair<uint32_t, uint32_t>{1107, 0}, {1108, 1}, {1112, 0}, {1125, 1}, {1125, 0}})
        EXPECT_NE(std::find(entries.begin(), entries.end(), entry), entries.end())
            << entry.first << " " << entry.second;

    // Chosen from the F10 menu as a player would.
    ASSERT_TRUE(w.previewShown());
    whileMenuIsOpen([&] { QTest::keyClick(&w, Qt::Key_F10); }, [](QMenu&) {}, 1125);
    waitFor([&] { return !w.previewShown(); }, 1000);
    EXPECT_FALSE(w.previewShown());
    EXPECT_TRUE(app.gameOptions() & fw::gameopt::HidePreview);
    whileMenuIsOpen([&] { QTest::keyClick(&w, Qt::Key_F10); }, [](QMenu&) {}, 1108);
    waitFor([&] { return !app.scoreWindows().miniScore()->isVisible(); }, 1000);
    EXPECT_FALSE(app.scoreWindows().miniScore()->isVisible());
    whileMenuIsOpen([&] { QTest::keyClick(&w, Qt::Key_F10); }, [](QMenu&) {}, 1107);
    waitFor([&] { return app.scoreWindows().miniScore()->isVisible(); }, 1000);
    EXPECT_TRUE(app.scoreWindows().miniScore()->isVisible());

    // The options window's button opens the advanced options over it.
    bool advancedOverOptions = false;
    answerModal<qv::WOptions>([&](qv::WOptions& options) {
        answerModal<qv::WAdvanced>([&](qv::WAdvanced& advanced) {
            advancedOverOptions = advanced.parentWidget() == &options;
            advanced.sendCommand(fw::WBaseInfo::IdCancel);
        });
        options.sendCommand(qv::WOptions::IdAdvanced);
        options.sendCommand(fw::WBaseInfo::IdCancel);
    });
    QTest::keyClick(&w, Qt::Key_F3);
    EXPECT_TRUE(advancedOverOptions);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// A default for new games changed in F3 holds for the very next game.
TEST(PlayInput, NewGameDefaultsFromF3HoldForTheNextGame)
{
    Game g;
    qv::App& app = *g.s->app;
    answerModal<qv::WOptions>([](qv::WOptions& options) {
        options.setChecked(2500, true);  // new games in competition mode
        options.sendCommand(fw::WBaseInfo::IdOk);
    });
    QTest::keyClick(&g.w(), Qt::Key_F3);
    EXPECT_FALSE(app.gameOptions() & fw::gameopt::Competition) << "the open game keeps its options";
    const auto next = makePuzzle(g.folder / "next.puz", 4, 3);
    ASSERT_TRUE(app.OpenFile(next));
    EXPECT_TRUE(app.gameOptions() & fw::gameopt::Competition);
    EXPECT_TRUE(app.liveRanking().isOpen());
}

// Esc with "Esc minimises" set shrinks a frame over the table first and
// minimises when it has run; the game is drawn meanwhile (no sleeping loop).
TEST(PlayInput, EscMinimisesAfterTheShrinkingFrame)
{
    Game g("[Main]\r\nOptions=4112\r\n");  // Esc minimises, no other animations
    qv::WPuz& w = g.w();
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isMinimized()) << "minimised before the animation";
    EXPECT_TRUE(w.minimising());
    QTest::keyClick(&w, Qt::Key_Escape);  // a second Esc meanwhile changes nothing
    EXPECT_TRUE(waitFor([&] { return w.isMinimized(); }, 3000));
    EXPECT_FALSE(w.minimising());
}

// No puzzle open: the table shows the program's name in its middle, and
// nothing else.
TEST(PlayInput, TheEmptyTableShowsTheProgramsName)
{
    ProgramFolder folder;
    Started s(folder, "");
    ASSERT_EQ(s.status, 0);
    qv::WPuz& w = s.window();
    ASSERT_EQ(s.puz().pieceCount(), 0);
    const QImage shot = w.grab().toImage();
    QFont font("Times New Roman");
    font.setPixelSize(qv::WPuz::EmptyTableFontSize);
    const QRect name = QFontMetrics(font).boundingRect(qv::WPuz::ProgramName);
    const QRect around(w.rect().center() - QPoint(name.width() / 2 + 6, name.height() / 2 + 6),
                       name.size() + QSize(14, 14));
    const QRgb ground = shot.pixel(2, 2);
    int inside = 0, outside = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (shot.pixel(x, y) != ground)
                ++(around.contains(x, y) ? inside : outside);
    EXPECT_GT(inside, name.width() * 2) << "no name drawn";
    EXPECT_EQ(outside, 0) << "drawn beyond the middle";
    fw::saveScreenshot(w, "play_empty_table");
}

// Every language has the texts of the play window's hints and of the
// picture dialog's kinds of file; the hints are shown in the player's language.
TEST(PlayInput, HintsAndFileKindsAreTranslated)
{
    ProgramFolder folder("[Main]\r\nOptions=4096\r\nlang=deu\r\n");
    for (const char* lang : {"eng", "cas", "cat", "deu", "fra", "ita"}) {
        fw::Traductor t;
        ASSERT_TRUE(t.Create(lang, folder.path(), "QV21", 0, "eng,cas,cat,deu,fra,ita").ok()) << lang;
        ASSERT_EQ(t.currentLanguage(), lang);
        // Raw: the language's own entry, not a fallback.
        const int raw = fw::Traductor::Raw;
        for (int id = 3300; id <= 3305; ++id)
            EXPECT_FALSE(t.Lookup(fw::Traductor::Text, id, 0, 0, raw).empty()) << lang << " " << id;
        for (int id : {1107, 1108, 1112, 1125})
            EXPECT_FALSE(t.Lookup(fw::Traductor::Caption, id, 0, 0, raw).empty()) << lang << " " << id;
        EXPECT_FALSE(t.Lookup(fw::Traductor::Caption, 1125, 1, 0, raw).empty()) << lang;
    }
    const auto puzzle = makePuzzle(folder / "p.puz", 4, 3);
    Started s(folder, puzzle.string());
    ASSERT_EQ(s.status, 0);
    ASSERT_EQ(s.app->traductor().currentLanguage(), "deu");
    fw::MenuHintEvent hint(1104);
    ASSERT_TRUE(s.app->commands().MenuHint(hint));
    EXPECT_EQ(hint.hint, "Einfg, Doppelklick");
    EXPECT_EQ(s.app->commands().clickHint(), s.app->text(3300));
    EXPECT_EQ(s.app->text(3300).rfind("Doppelklicken", 0), 0u) << s.app->text(3300);
}
