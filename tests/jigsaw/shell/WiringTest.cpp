// The finished windows reached through the game's commands and keys.
#include <QApplication>
#include <QClipboard>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <fstream>
#include <functional>
#include <sys/resource.h>
#include <gtest/gtest.h>

#include "ShellFixture.h"
#include "framework/Options.h"
#include "framework/qt/Clipboard.h"
#include "framework/Markup.h"
#include "framework/qt/MUBox.h"
#include "framework/qt/UiText.h"
#include "jigsaw/scores/Certificate.h"
#include "jigsaw/scores/LiveRanking.h"
#include "jigsaw/scores/windows/ScoreWindows.h"
#include "jigsaw/scores/windows/WInfo.h"
#include "jigsaw/scores/windows/WMiniScore.h"
#include "jigsaw/scores/windows/WRanking.h"
#include "jigsaw/library/windows/WSaveAs.h"
#include "jigsaw/play/windows/WBox.h"
#include "jigsaw/shell/windows/PuzCommands.h"

using namespace shelltest;

namespace {

// Answers every message box from now on with OK, keeping its text in
// `told`, so that a second box is counted too.
void keepEveryBoxText(std::vector<QString>& told, int tries = 200)
{
    answerModal<fw::MUBox>([&told](fw::MUBox& box) {
        QString text;
        for (const fw::MarkupText& t : box.layout().texts())
            text += QString::fromLatin1(t.text) + ' ';
        told.push_back(text.simplified());
        box.command(fw::mubox::Ok);
        keepEveryBoxText(told, 25);
    }, tries);
}

// Closes the next modal window once the loop runs, keeping its text.
struct ModalCloser {
    QString title;
    QString className;
    bool seen = false;
    void arm()
    {
        QTimer::singleShot(50, [this] {
            if (QWidget* m = QApplication::activeModalWidget()) {
                seen = true;
                title = m->windowTitle();
                className = m->metaObject()->className();
                m->close();
            }
        });
    }
};

class Wired : public ::testing::Test {
protected:
    ProgramFolder folder;
    std::unique_ptr<Started> s;

    // Options 0x20: new games are played in competition mode.
    void open(const std::string& settings = "[Main]\r\nOptions=4128\r\n")
    {
        folder.writeFile("QVrk.ini", settings);
        const auto puzzle = makePuzzle(folder / "p.puz", 4, 3);
        s = std::make_unique<Started>(folder, puzzle.string());
        ASSERT_EQ(s->status, 0);
        ASSERT_GT(s->puz().pieceCount(), 0);
    }
};

TEST_F(Wired, ScoreWindowsFollowTheirCommandsAndSavesStoreTheResult)
{
    open();
    qv::App& app = *s->app;
    qv::ScoreWindows& sw = app.scoreWindows();
    qv::WPuz& w = s->window();
    ASSERT_TRUE(app.liveRanking().isOpen()) << "a competition game opens its ranking";
    ASSERT_NE(sw.miniScore(), nullptr);
    EXPECT_TRUE(sw.miniScore()->isVisible());

    QTest::keyClick(&w, Qt::Key_F4);
    ASSERT_NE(sw.rankingWindow(), nullptr);
    EXPECT_TRUE(sw.rankingWindow()->isVisible());

    app.commands().Command(1108, 1);
    EXPECT_FALSE(sw.miniScore()->isVisible());
    EXPECT_TRUE(app.gameOptions() & fw::gameopt::HideScore);
    app.commands().Command(1108, 0);  // argument 0 acts as 1107
    EXPECT_TRUE(sw.miniScore()->isVisible());
    EXPECT_FALSE(app.gameOptions() & fw::gameopt::HideScore);

    // The strip dragged elsewhere is kept as the game's "ScorePos:".
    s->puz().state &= ~qv::Puz::Changed;
    emit sw.miniScore()->moved(QPoint(123, 45));
    EXPECT_EQ(s->puz().scorePos.x, 123);
    EXPECT_EQ(s->puz().scorePos.y, 45);
    EXPECT_TRUE(s->puz().state & qv::Puz::Changed);

    QTest::keyClick(&w, Qt::Key_F2);
    EXPECT_EQ(w.findChildren<qv::WInfo*>().size(), 1);

    // A save by the player writes the ranking with the game's entry.
    answerModal<qv::WSaveAs>([](qv::WSaveAs& d) { d.sendCommand(qv::saveas::NeverSaved); });
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
    const std::filesystem::path scores = app.liveRanking().ranking().ScoresPath();
    ASSERT_FALSE(scores.empty());
    EXPECT_TRUE(std::filesystem::exists(scores));
    qv::Ranking stored = app.liveRanking().ranking();
    ASSERT_TRUE(stored.Load());
    ASSERT_EQ(stored.records.size(), 1u);
    EXPECT_EQ(stored.records[0].key, s->puz().savedPath.stem().string());

    // Scores switched off: the entry leaves the file, the windows go.
    app.setCompetition(false);
    EXPECT_FALSE(app.liveRanking().isOpen());
    ASSERT_TRUE(stored.Load());
    EXPECT_TRUE(stored.records.empty());
    QTest::keyClick(&w, Qt::Key_F4);
    EXPECT_TRUE(sw.rankingWindow() == nullptr || !sw.rankingWindow()->isVisible());
}

TEST_F(Wired, CtrlVImportsScoreTextsAndLeavesOtherTextAlone)
{
    open();
    qv::WPuz& w = s->window();
    ModalCloser closer;

    fw::Clipboard::setText("just a note");
    closer.arm();
    QTest::keyClick(&w, Qt::Key_V, Qt::ControlModifier);
    QTest::qWait(120);
    EXPECT_FALSE(closer.seen);
    EXPECT_EQ(fw::Clipboard::text(), "just a note");

    // A certificate of this game; its puzzle is not on the library's shelf,
    // so it counts as received and is offered in the certificate window.
    fw::Clipboard::setText(qv::Certificate::FromCurrentGame(s->app->liveRanking()).ToText());
    closer.arm();
    QTest::keyClick(&w, Qt::Key_V, Qt::ControlModifier);
    QTest::qWait(120);
    EXPECT_TRUE(closer.seen);
    EXPECT_EQ(closer.title, "Certificate");
    EXPECT_EQ(fw::Clipboard::text(), "");
}

TEST_F(Wired, OptionsPrintAndBoxOptionsOpenFromTheirCommands)
{
    open();
    qv::WPuz& w = s->window();
    qv::PuzCommands& commands = s->app->commands();
    ModalCloser closer;
    // Each command opens its dialog modally over the game; the loupe comes back afterwards.
    const struct {
        std::function<void()> open;
        const char* dialog;
    } cases[] = {
        {[&] { QTest::keyClick(&w, Qt::Key_F3); }, "qv::WOptions"},
        {[&] { commands.Command(1112); }, "qv::WAdvanced"},
        {[&] { QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier); }, "qv::WPrint"},
        {[&] {
             ASSERT_FALSE(w.boxes().empty());
             fw::CommandEvent fromMenu(1116);
             fw::Dispatch(fromMenu, *w.boxes()[0]);
         },
         "qv::WOptsBox"},
        {[&] { commands.Command(qv::PuzCommands::CmdBackground); }, "fw::WBkg"},
        {[&] { QTest::keyClick(&w, Qt::Key_A, Qt::ControlModifier); }, "qv::WSaveAs"},
    };
    for (const auto& c : cases) {
        closer = ModalCloser();
        closer.arm();
        c.open();
        QTest::qWait(100);
        EXPECT_TRUE(closer.seen) << c.dialog;
        EXPECT_EQ(closer.className, c.dialog);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << c.dialog;
    }
    EXPECT_TRUE(s->puz().background.empty()) << "a closed background window changes nothing";
    EXPECT_TRUE(s->puz().savedPath.empty()) << "a closed save-as dialog saves nothing";
}

// The entry of the play window's menu, found by command (submenus too).
const fw::Menu::Item* menuItem(const fw::Menu& menu, uint32_t command)
{
    for (const fw::Menu::Item& item : menu.items()) {
        if (item.kind == fw::Menu::Item::Command && item.command == command)
            return &item;
        if (item.submenu) {
            if (const fw::Menu::Item* inner = menuItem(*item.submenu, command))
                return inner;
        }
    }
    return nullptr;
}

TEST_F(Wired, CompetitionIsSwitchedFromThePlayWindowsMenuAndF4FollowsIt)
{
    open("[Main]\r\nOptions=4096\r\n");  // new games without competition
    qv::App& app = *s->app;
    qv::PuzCommands& commands = app.commands();
    qv::WPuz& w = s->window();
    // The menu's own entries carry translated texts.
    const fw::Menu menu = commands.windowMenu();
    for (uint32_t id : {qv::PuzCommands::CmdCompetition, qv::PuzCommands::CmdAddBox, qv::PuzCommands::CmdRemoveBox}) {
        const fw::Menu::Item* item = menuItem(menu, id);
        ASSERT_NE(item, nullptr) << id;
        EXPECT_FALSE(app.caption(static_cast<int>(id)).empty()) << id;
        EXPECT_EQ(item->text, app.caption(static_cast<int>(id))) << id;
    }
    auto checked = [&] {
        fw::MenuHintEvent hint(qv::PuzCommands::CmdCompetition);
        EXPECT_TRUE(commands.MenuHint(hint));
        return hint.checked;
    };
    ASSERT_FALSE(checked());
    ASSERT_FALSE(app.liveRanking().isOpen());
    for (bool on : {true, false, true}) {
        commands.Command(qv::PuzCommands::CmdCompetition);
        EXPECT_EQ(bool(app.gameOptions() & fw::gameopt::Competition), on);
        EXPECT_EQ(app.liveRanking().isOpen(), on);
        EXPECT_EQ(checked(), on);
        QTest::keyClick(&w, Qt::Key_F4);
        qv::WRanking* ranking = app.scoreWindows().rankingWindow();
        EXPECT_EQ(ranking != nullptr && ranking->isVisible(), on) << "F4 only in competition mode";
        app.scoreWindows().hideAll();
    }
}

}  // namespace

// The game is saved, but the disk has no room for its scores (a file size
// limit stands in for the full disk): the player who pressed Ctrl+S is
// told so once, with the scores file named, and the old scores stay.
TEST_F(Wired, ScoresTheDiskHasNoRoomForAreReportedAfterTheGameIsSaved)
{
    namespace fs = std::filesystem;
    open();
    qv::App& app = *s->app;
    qv::Puz& puz = s->puz();
    ASSERT_TRUE(app.liveRanking().isOpen());
    puz.savedName = "Morning";
    puz.playerName = "Ann";
    puz.savedPath = puz.puzzlePath.parent_path() / "Morning by Ann.sav";
    // Results received from others, each with a long text carried along,
    // make the scores file far larger than the saved game.
    for (int k = 0; k < 14; ++k) {
        qv::ScoreRecord r;
        r.key = qv::ScoreRecord::Received;
        r.player = "Player" + std::to_string(k);
        r.owner = "Owner";
        r.score = 1000 - k;
        r.time = 100 * k;
        r.pieces = 12;
        r.extra = std::string(3000, 'x');
        app.liveRanking().InsertReceived(r);
    }
    ASSERT_TRUE(app.SaveGame(false));
    const fs::path scores = app.liveRanking().ranking().ScoresPath();
    const uintmax_t savedSize = fs::file_size(puz.savedPath);
    ASSERT_GT(fs::file_size(scores), savedSize + 8192);
    const auto readAll = [](const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string scoresBefore = readAll(scores);

    std::vector<QString> told;
    keepEveryBoxText(told);
    rlimit unlimited{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &unlimited), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{static_cast<rlim_t>(savedSize + 4096), unlimited.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    puz.playerName = "Ann";
    puz.savedName = "Evening";
    puz.state |= qv::Puz::Changed;
    QTest::keyClick(&s->window(), Qt::Key_S, Qt::ControlModifier);
    ::setrlimit(RLIMIT_FSIZE, &unlimited);
    std::signal(SIGXFSZ, previous);
    QTest::qWait(700);

    EXPECT_FALSE(puz.state & qv::Puz::Changed) << "the game itself was saved";
    ASSERT_EQ(told.size(), 1u);
    EXPECT_TRUE(told[0].contains("no room")) << told[0].toStdString();
    EXPECT_TRUE(told[0].contains(QString::fromStdString(scores.filename().string()))) << told[0].toStdString();
    EXPECT_EQ(readAll(scores), scoresBefore) << "the scores file keeps what was saved before";
}

// A settings change the disk does not take is lost when the game ends: the
// player is told once, after the change, and the file keeps what it held.
TEST_F(Wired, SettingsThatCannotBeWrittenAreToldOnce)
{
    namespace fs = std::filesystem;
    enum class Fault { NoRoom, FolderInTheWay };
    const struct {
        const char* name;
        Fault fault;
        const char* says;
    } cases[] = {
        {"no room", Fault::NoRoom, "no room"},
        {"a folder in the way", Fault::FolderInTheWay, "could not be saved"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        open();
        fw::Profile& profile = s->app->profile();
        const fs::path file = profile.path();
        std::vector<QString> told;
        keepEveryBoxText(told);

        rlimit unlimited{};
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &unlimited), 0);
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        std::string before;
        if (c.fault == Fault::NoRoom) {
            std::ifstream in(file, std::ios::binary);
            before.assign(std::istreambuf_iterator<char>(in), {});
            const rlimit limit{8, unlimited.rlim_max};
            ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
        } else {
            fs::remove(file);
            fs::create_directories(file / "in the way");
        }
        EXPECT_FALSE(profile.setString({}, "LastPuz", "first change"));
        EXPECT_FALSE(profile.setString({}, "LastPuz", "second change"));
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        std::signal(SIGXFSZ, previous);
        EXPECT_TRUE(told.empty()) << "the box waits for the loop";
        QTest::qWait(700);

        ASSERT_EQ(told.size(), 1u);
        EXPECT_TRUE(told[0].contains(c.says)) << told[0].toStdString();
        EXPECT_TRUE(told[0].contains(QString::fromStdString(file.filename().string()))) << told[0].toStdString();
        if (c.fault == Fault::NoRoom) {
            std::ifstream in(file, std::ios::binary);
            EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), before);
        } else {
            fs::remove_all(file);
        }
        s.reset();
    }
}

// A save the system refuses says why in the translated words of the
// system's error (the folder is gone: error 2).
TEST_F(Wired, AFailedSaveGivesTheSystemsReasonInTheTranslatedText)
{
    open();
    qv::Puz& puz = s->puz();
    puz.savedName = "Morning";
    puz.playerName = "Ann";
    puz.savedPath = puz.puzzlePath.parent_path() / "gone" / "Morning by Ann.sav";
    const std::string reason = fw::UiText::lookup(3, ENOENT);
    ASSERT_FALSE(reason.empty()) << "the translation files carry the system's error texts";
    std::string told, title;
    answerModal<fw::MUBox>([&](fw::MUBox& box) {
        for (const fw::MarkupText& t : box.layout().texts())
            told += t.text + "\n";
        title = box.windowTitle().toStdString();
        box.command(fw::mubox::Ok);
    });
    EXPECT_FALSE(s->app->SaveGame(false));
    EXPECT_EQ(title, "Error");
    EXPECT_NE(told.find(reason), std::string::npos) << told;
}

// The internal checks of the program show their box and the game goes on.
TEST_F(Wired, InternalChecksShowTheirBoxOnceTheProgramRuns)
{
    open();
    QString title;
    bool okAndCancel = false;
    answerModal<fw::MUBox>([&](fw::MUBox& box) {
        title = box.windowTitle();
        okAndCancel = box.layout().hasButton(fw::mubox::Ok) && box.layout().hasButton(fw::mubox::Cancel);
        box.command(fw::mubox::Cancel);
    });
    fw::ReportUnexpected("FileTemp !KXIO");
    EXPECT_EQ(title, QString::fromUtf8("Situación imprevista"));
    EXPECT_TRUE(okAndCancel);
    EXPECT_EQ(s->status, 0);
}
