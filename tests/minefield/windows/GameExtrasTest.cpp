#include <gtest/gtest.h>

#include <QColorDialog>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QFileDialog>
#include <QImageReader>
#include <QImageWriter>
#include <QInputDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <QUrl>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sys/resource.h>

#include "FrameFixture.h"
#include "GuiTestSupport.h"
#include "minefield/Statistics.h"
#include "minefield/windows/Commands.h"
#include "minefield/windows/TCustomDialog.h"
#include "minefield/windows/TStatsDialog.h"
#include "minefield/windows/TextureFile.h"

using namespace mf;
using mftest::FrameFixture;
using mftest::WaitUntil;
using mftest::WhenModal;

// Records what the game asks the desktop to open, instead of opening it.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    UrlRecorder()
    {
        for (const char* scheme : {"file", "http", "https"})
            QDesktopServices::setUrlHandler(scheme, this, "Open");
    }
    ~UrlRecorder() override
    {
        for (const char* scheme : {"file", "http", "https"})
            QDesktopServices::unsetUrlHandler(scheme);
    }
    QList<QUrl> opened;
public slots:
    void Open(const QUrl& url) { opened << url; }
};

namespace {

int32_t BoardThreeBV(const MineGame& game)
{
    std::vector<bool> mine(size_t(game.Width() * game.Height()), false);
    for (const CellPos& p : game.MinePositions())
        mine[size_t(p.r * game.Width() + p.c)] = true;
    return ThreeBV(game.Shape(), game.Width(), game.Height(), mine);
}

// A covered number: opening it opens nothing else.
CellPos SomeNumber(const MineGame& game)
{
    for (int32_t r = 0; r < game.Height(); ++r)
        for (int32_t c = 0; c < game.Width(); ++c)
            if (game.Cell({c, r}).value > 0 && game.Cell({c, r}).value < 9 && game.Cell({c, r}).state == 0)
                return {c, r};
    return {};
}

std::string Stat(const IniFile& ini, const char* section, const char* key)
{
    return ini.GetString(section, key, "-", 4000);
}

}  // namespace

TEST(Statistics, EveryGameEndedOrGivenUpCountsOnceForItsShapeAndLevel)
{
    // A best-times section as another build may have written it.
    const std::string square = "[SQUARE]\nT0 = 1\nN0=\"Ann\"\n";
    FrameFixture f("[MVRO]\r\nTEXTURE=0\r\n" + square);
    const int32_t bv = BoardThreeBV(f.Game());
    f.PassSeconds(3);
    *f.now += 250;
    bool congratulated = false;
    WhenModal<QMessageBox>([&](QMessageBox* box) {
        congratulated = true;
        box->accept();
    });
    f.OpenEverySafeCell();
    ASSERT_TRUE(WaitUntil([&] { return congratulated; }));
    IniFile ini = f.ReadIni();
    EXPECT_EQ(Stat(ini, "MvStats-SQUARE", "L0Played"), "1");
    EXPECT_EQ(Stat(ini, "MvStats-SQUARE", "L0Won"), "1");
    EXPECT_EQ(Stat(ini, "MvStats-SQUARE", "L0Streak"), "1");
    EXPECT_EQ(Stat(ini, "MvStats-SQUARE", "L0Wins"), std::to_string(bv) + "/3250");  // to the millisecond

    // Lost: counted at the loss, and not again by the next game.
    f.frame->Command(cmd::New);
    f.OpenMinesUntilLost();
    f.frame->Command(cmd::New);
    ini = f.ReadIni();
    EXPECT_EQ(Stat(ini, "MvStats-SQUARE", "L0Played"), "2");
    EXPECT_EQ(Stat(ini, "MvStats-SQUARE", "L0Won"), "1");
    EXPECT_EQ(Stat(ini, "MvStats-SQUARE", "L0Streak"), "0");
    EXPECT_EQ(Stat(ini, "MvStats-SQUARE", "L0BestStreak"), "1");

    // Given up after an opening: lost, for the shape and level it was played at.
    f.Click(SomeNumber(f.Game()));
    f.frame->Command(cmd::LevelBeginner + 2);
    f.Click(SomeNumber(f.Game()));
    f.frame->Command(cmd::ShapeHexagon);
    // Left before any opening: no game.
    f.frame->Command(cmd::New);
    ini = f.ReadIni();
    EXPECT_EQ(Stat(ini, "MvStats-SQUARE", "L0Played"), "3");
    EXPECT_EQ(Stat(ini, "MvStats-SQUARE", "L2Played"), "1");
    EXPECT_EQ(Stat(ini, "MvStats-HEXAGON", "L2Played"), "-");

    // Begun when the program ends: lost.
    f.Click(SomeNumber(f.Game()));
    f.frame.reset();
    ini = f.ReadIni();
    EXPECT_EQ(Stat(ini, "MvStats-HEXAGON", "L2Played"), "1");
    EXPECT_EQ(Stat(ini, "MvStats-HEXAGON", "L2Won"), "0");
    // The best times keep their bytes.
    EXPECT_NE(ini.Text().find(square), std::string::npos) << ini.Text();
}

// A settings file the disk does not take: the player is told once, at the
// first game counted or at the end, and the file keeps what it had.
TEST(SettingsFile, WhatTheDiskDoesNotTakeIsToldOnceAndTheFileKeepsItsText)
{
    namespace fs = std::filesystem;
    enum class Fault { NoRoom, FolderInTheWay };
    const struct {
        const char* name;
        Fault fault;
        bool playFirst;  // games counted before the window closes
        const char* says;
    } cases[] = {
        {"no room, games played", Fault::NoRoom, true, "no room"},
        {"no room, only the end", Fault::NoRoom, false, "no room"},
        {"a folder in the way, games played", Fault::FolderInTheWay, true, "Is a directory"},
        {"a folder in the way, only the end", Fault::FolderInTheWay, false, "Is a directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FrameFixture f;
        const fs::path file = f.IniPath().toStdString();
        std::vector<QString> told;
        QTimer watcher;
        watcher.setInterval(10);
        QObject::connect(&watcher, &QTimer::timeout, [&told] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                told.push_back(box->text());
                box->accept();
            }
        });
        watcher.start();

        std::string before;
        {
            std::ifstream in(file, std::ios::binary);
            before.assign(std::istreambuf_iterator<char>(in), {});
        }
        rlimit unlimited{};
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &unlimited), 0);
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        if (c.fault == Fault::NoRoom) {
            const rlimit limit{8, unlimited.rlim_max};
            ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
        } else {
            fs::remove(file);
            fs::create_directories(file / "in the way");
        }
        if (c.playFirst) {
            f.OpenMinesUntilLost();
            EXPECT_TRUE(WaitUntil([&] { return !told.empty(); }, 2000)) << "a lost game's count was not kept";
            f.frame->Command(cmd::New);
            f.OpenMinesUntilLost();
        }
        f.frame->close();
        QTest::qWait(200);
        std::string after;
        if (c.fault == Fault::NoRoom) {
            std::ifstream in(file, std::ios::binary);
            after.assign(std::istreambuf_iterator<char>(in), {});
        }
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        std::signal(SIGXFSZ, previous);

        ASSERT_EQ(told.size(), 1u);
        EXPECT_TRUE(told[0].contains(c.says)) << told[0].toStdString();
        EXPECT_EQ(told[0].contains("no room"), c.fault == Fault::NoRoom) << told[0].toStdString();
        EXPECT_TRUE(told[0].contains(f.IniPath())) << told[0].toStdString();
        if (c.fault == Fault::NoRoom)
            EXPECT_EQ(after, before);
        else
            EXPECT_TRUE(fs::is_directory(file / "in the way"));
        EXPECT_TRUE(fs::directory_entry(file.parent_path()).exists());
        for (const auto& e : fs::directory_iterator(file.parent_path()))
            EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
    }
}

TEST(StatisticsWindow, ShowsEveryRowAndTheWinsAndResetsOneShapeAfterAsking)
{
    mftest::App();
    QTemporaryDir dir;
    const QString path = dir.filePath("mvro.ini");
    const std::string best = "[TRIANGLE]\r\nT1=42\r\nN1=Ann\r\n";
    {
        IniFile ini;
        ini.Parse(best + "[MvStats-SQUARE]\r\nL1Played=4\r\nL1Won=3\r\nL1Streak=2\r\nL1BestStreak=2\r\n"
                         "L1Best=20/4000\r\nL1Wins=10/5000 20/4000 30/6000\r\n"
                         "[MvStats-HEXAGON]\r\nLCPlayed=1\r\nLCWon=0\r\n");
        ASSERT_TRUE(ini.Save(path.toStdString()));
    }
    for (const char* language : {"en", "de"}) {
        SCOPED_TRACE(language);
        mftest::LanguageScope scope(language);
        const bool german = std::string(language) == "de";
        TStatsDialog dialog(ShapeKind::Square, 1, path);
        EXPECT_EQ(dialog.windowTitle(), german ? "Statistik" : "Statistics");
        const auto* levels = dialog.findChild<QTableWidget*>("levels");
        const auto* wins = dialog.findChild<QTableWidget*>("wins");
        ASSERT_EQ(levels->rowCount(), 6);
        const auto cell = [](const QTableWidget* t, int r, int c) { return t->item(r, c)->text(); };
        EXPECT_EQ(cell(levels, 1, 0), german ? "Neuling" : "Novice");
        EXPECT_EQ(cell(levels, 5, 0), german ? QString::fromUtf8("Eigene Gr\u00F6\u00DFe") : "Custom");
        EXPECT_EQ(cell(levels, 1, 1), "4");
        EXPECT_EQ(cell(levels, 1, 2), "3");
        EXPECT_EQ(cell(levels, 1, 3), german ? QString::fromUtf8("75,0\u00A0%") : QString::fromUtf8("75.0\u00A0%"));
        EXPECT_EQ(cell(levels, 1, 4), "2");
        EXPECT_EQ(cell(levels, 1, 5), "2");
        EXPECT_EQ(cell(levels, 1, 6), german ? "5,00" : "5.00");
        EXPECT_EQ(cell(levels, 0, 1), "0");
        EXPECT_EQ(cell(levels, 0, 6), "");
        // The wins of the level in play, the latest first.
        ASSERT_EQ(wins->rowCount(), 3);
        EXPECT_EQ(cell(wins, 0, 0), "30");
        EXPECT_EQ(cell(wins, 0, 1), german ? QString::fromUtf8("6,00\u00A0s") : QString::fromUtf8("6.00\u00A0s"));
        EXPECT_EQ(cell(wins, 0, 2), german ? "5,00" : "5.00");
        EXPECT_EQ(cell(wins, 2, 0), "10");
        dialog.ShowRow(0);
        EXPECT_EQ(wins->rowCount(), 0);
        // Another shape from its list.
        auto* shapes = dialog.findChild<QComboBox*>("shape");
        shapes->setCurrentIndex(shapes->findData(int(ShapeKind::Hexagon)));
        EXPECT_EQ(dialog.Shape(), ShapeKind::Hexagon);
        EXPECT_EQ(cell(levels, 5, 1), "1");
        EXPECT_EQ(cell(levels, 5, 3), german ? QString::fromUtf8("0,0\u00A0%") : QString::fromUtf8("0.0\u00A0%"));
        EXPECT_EQ(cell(levels, 1, 1), "0");
    }

    // Reset asks; No keeps everything, Yes takes the shape shown and nothing else.
    const auto resetAnswering = [&](QMessageBox::StandardButton answer) {
        TStatsDialog dialog(ShapeKind::Square, 0, path);
        QString question;
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            question = box->text();
            box->button(answer)->click();
        });
        dialog.findChild<QPushButton*>("reset")->click();
        EXPECT_EQ(question, "Reset the statistics of all levels of this cell shape?");
        return dialog.findChild<QTableWidget*>("levels")->item(1, 1)->text();
    };
    EXPECT_EQ(resetAnswering(QMessageBox::No), "4");
    IniFile ini;
    ini.Load(path.toStdString());
    EXPECT_EQ(ini.GetInt("MvStats-SQUARE", "L1Played", 0), 4);
    EXPECT_EQ(resetAnswering(QMessageBox::Yes), "0");
    ini.Load(path.toStdString());
    EXPECT_EQ(ini.GetInt("MvStats-SQUARE", "L1Played", 0), 0);
    EXPECT_EQ(ini.GetInt("MvStats-HEXAGON", "LCPlayed", 0), 1);
    EXPECT_EQ(ini.Text().substr(0, best.size()), best);
}

TEST(CustomBoard, TheDialogKeepsTheLimitsAndAPresetNoLongerOverwritesTheSize)
{
    FrameFixture f;
    bool seen = false;
    WhenModal<TCustomDialog>([&](TCustomDialog* d) {
        auto* columns = d->findChild<QSpinBox*>("columns");
        auto* rows = d->findChild<QSpinBox*>("rows");
        auto* mines = d->findChild<QSpinBox*>("mines");
        // The size stored so far, the defaults here.
        EXPECT_EQ(columns->value(), 8);
        EXPECT_EQ(rows->value(), 8);
        EXPECT_EQ(mines->value(), 16);
        EXPECT_EQ(columns->minimum(), 1);
        EXPECT_EQ(columns->maximum(), 32);
        EXPECT_EQ(rows->minimum(), 1);
        EXPECT_EQ(rows->maximum(), 24);
        EXPECT_EQ(mines->minimum(), 0);
        EXPECT_EQ(mines->maximum(), 63);
        columns->setValue(32);
        rows->setValue(24);
        EXPECT_EQ(mines->maximum(), 767);
        mines->setValue(767);
        // A smaller board takes the mines down with it: fewer than cells.
        rows->setValue(1);
        columns->setValue(3);
        EXPECT_EQ(mines->maximum(), 2);
        EXPECT_EQ(mines->value(), 2);
        columns->setValue(10);
        rows->setValue(5);
        mines->setValue(7);
        seen = true;
        d->findChild<QPushButton*>("ok")->click();
    });
    f.frame->Command(cmd::LevelCustom);
    ASSERT_TRUE(seen);
    EXPECT_EQ(f.Game().Width(), 10);
    EXPECT_EQ(f.Game().Height(), 5);
    EXPECT_EQ(f.Game().Mines(), 7);
    EXPECT_TRUE(f.frame->IsChecked(cmd::LevelCustom));
    EXPECT_FALSE(f.frame->IsChecked(cmd::LevelBeginner));
    EXPECT_EQ(f.frame->Board().size(), QSize(18 * 10 + 10, 18 * 5 + 11));

    // Cancel changes nothing, and the check mark stays where it was.
    WhenModal<TCustomDialog>([](TCustomDialog* d) {
        d->findChild<QSpinBox*>("columns")->setValue(20);
        d->findChild<QPushButton*>("cancel")->click();
    });
    f.frame->Command(cmd::LevelCustom);
    EXPECT_EQ(f.Game().Width(), 10);
    EXPECT_TRUE(f.frame->IsChecked(cmd::LevelCustom));

    f.frame->Command(cmd::LevelBeginner + 4);
    EXPECT_EQ(f.Game().Width(), 30);
    f.frame.reset();
    const IniFile ini = f.ReadIni();
    EXPECT_EQ(ini.GetInt("MVRO", "LEVEL3", -1), 4);
    EXPECT_EQ(ini.GetInt("MVRO", "WIDTH", -1), 10);
    EXPECT_EQ(ini.GetInt("MVRO", "HEIGHT", -1), 5);
    EXPECT_EQ(ini.GetInt("MVRO", "MINES", -1), 7);
}

TEST(Pause, StopsTheClockHidesTheBoardAndAClickGoesOnWithoutOpening)
{
    FrameFixture f;
    f.frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.frame.get()));  // for the key
    f.PassSeconds(3);
    f.frame->Command(cmd::Pause);
    ASSERT_TRUE(f.frame->Paused());
    EXPECT_TRUE(f.frame->IsChecked(cmd::Pause));
    EXPECT_FALSE(f.frame->ClockRunning());
    f.PassSeconds(10);
    EXPECT_EQ(f.frame->ClockText(), "Time: 00:00:03");
    // No cell shows: the raised edge of the first cell is background.
    const QImage shown = f.frame->Board().grab().toImage();
    EXPECT_EQ(shown.pixelColor(6, 6), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(f.frame->Board().Image().pixelColor(6, 6), QColor(Qt::white));  // the board beneath is kept

    const CellPos number = SomeNumber(f.Game());
    f.Click(number);
    EXPECT_FALSE(f.frame->Paused());
    EXPECT_TRUE(f.frame->ClockRunning());
    EXPECT_EQ(f.Game().Cell(number).state, 0);  // the click only went on
    f.PassSeconds(2);
    EXPECT_EQ(f.frame->ClockText(), "Time: 00:00:05");

    // Minimising the window pauses the game.
    f.frame->showMinimized();
    ASSERT_TRUE(WaitUntil([&] { return f.frame->Paused(); }));
    f.frame->showNormal();
    f.frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.frame.get()));
    EXPECT_TRUE(f.frame->Paused());  // until the player goes on
    f.frame->Command(cmd::Pause);
    ASSERT_FALSE(f.frame->Paused());

    // Through P too; a won game's time leaves the pause out.
    QTest::keyClick(f.frame.get(), Qt::Key_P);
    EXPECT_TRUE(f.frame->Paused());
    *f.now += 60000;
    QTest::keyClick(f.frame.get(), Qt::Key_P);
    EXPECT_FALSE(f.frame->Paused());
    bool asked = false;
    WhenModal<QInputDialog>([&](QInputDialog* input) {
        asked = true;
        input->reject();
    });
    f.OpenEverySafeCell();
    ASSERT_TRUE(WaitUntil([&] { return asked; }));
    EXPECT_EQ(f.ReadIni().GetString("MvStats-SQUARE", "L0Wins", "", 99),
              std::to_string(BoardThreeBV(f.Game())) + "/5000");
    // A game that is over cannot be paused.
    f.frame->Command(cmd::Pause);
    EXPECT_FALSE(f.frame->Paused());
    EXPECT_FALSE(f.frame->IsChecked(cmd::Pause));
}

TEST(Replay, TheMenuDealsTheSameMinesAndStartsTheClockAgain)
{
    FrameFixture f;
    const std::vector<CellPos> mines = f.Game().MinePositions();
    ASSERT_EQ(mines.size(), 20u);
    f.PassSeconds(4);
    f.OpenMinesUntilLost();
    ASSERT_FALSE(f.frame->ClockRunning());
    f.frame->Command(cmd::Replay);
    EXPECT_EQ(f.Game().MinePositions(), mines);
    EXPECT_FALSE(f.Game().GameOver());
    EXPECT_TRUE(f.frame->ClockRunning());
    EXPECT_EQ(f.frame->ClockText(), "Time: 00:00:00");
    EXPECT_EQ(f.frame->ShieldsShown(), 1);
    f.frame->Command(cmd::New);
    EXPECT_NE(f.Game().MinePositions(), mines);
    EXPECT_EQ(f.ReadIni().GetInt("MvStats-SQUARE", "L0Played", 0), 1);
}

TEST(LooseEnds, AWinUnderASecondReadsAsASentence)
{
    // A custom board keeps no best time, so the message shows.
    FrameFixture f("[MVRO]\r\nTEXTURE=0\r\nLEVEL3=5\r\nWIDTH=3\r\nHEIGHT=1\r\nMINES=0\r\n");
    QString message;
    WhenModal<QMessageBox>([&](QMessageBox* box) {
        message = box->text();
        box->accept();
    });
    f.Click({0, 0});
    ASSERT_TRUE(WaitUntil([&] { return !message.isEmpty(); }));
    EXPECT_EQ(message, "Congratulations. You solved the game in less than a second.");
}

TEST(LooseEnds, TheHomePageEntryOpensTheLocalHelp)
{
    FrameFixture f;
    UrlRecorder urls;
    QFile help(f.dir.filePath("mvro-help.html"));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.write("<html></html>");
    help.close();
    f.frame->Command(cmd::HomePage);
    WhenModal<QDialog>([](QDialog* about) {
        for (QPushButton* b : about->findChildren<QPushButton*>())
            if (b->text() == "&Visit Minevaro home page")
                b->click();
        about->accept();
    });
    f.frame->Command(cmd::About);
    ASSERT_EQ(urls.opened.size(), 2);
    for (const QUrl& url : urls.opened)
        EXPECT_EQ(url, QUrl::fromLocalFile(help.fileName()));
}

TEST(LooseEnds, TheTextureDialogOffersEveryPictureTheGameReads)
{
    FrameFixture f;
    QStringList filters;
    WhenModal<QFileDialog>([&](QFileDialog* d) {
        filters = d->nameFilters();
        d->reject();
    });
    f.frame->Command(cmd::LoadTexture);
    ASSERT_FALSE(filters.isEmpty());
    // The patterns of the first filter, "Pictures (*.bmp *.BMP ...)".
    const QString first = filters.first();
    const QStringList patterns = first.mid(first.indexOf('(') + 1).chopped(1).split(' ');
    int formats = 0;
    for (const QByteArray& format : QImageWriter::supportedImageFormats()) {
        if (!QImageReader::supportedImageFormats().contains(format))
            continue;
        const QString name = f.dir.filePath("texture." + QString::fromLatin1(format));
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(Qt::red);
        if (!picture.save(name, format.constData()))
            continue;
        if (ReadTextureFile(name.toStdString()).isNull())
            continue;  // written, but not a picture the texture takes
        ++formats;
        EXPECT_TRUE(QDir::match(patterns, QFileInfo(name).fileName())) << format.constData();
        EXPECT_TRUE(QDir::match(patterns, QFileInfo(name).fileName().toUpper())) << format.constData();
    }
    EXPECT_GE(formats, 3);  // BMP, PNG and JPEG at least
    EXPECT_TRUE(filters.contains("Bitmap File (*.BMP *.bmp)"));
}

TEST(LooseEnds, DialogsHaveNoMinimiseOrMaximiseButtons)
{
    FrameFixture f;
    const int commands[] = {cmd::BestTimes,       cmd::Statistics,  cmd::LevelCustom, cmd::About,
                            cmd::BackgroundColor, cmd::LoadTexture, cmd::HelpContents};
    for (int id : commands) {
        Qt::WindowFlags flags;
        bool seen = false;
        WhenModal<QDialog>([&](QDialog* d) {
            flags = d->windowFlags();
            seen = true;
            d->reject();
        });
        f.frame->Command(id);
        ASSERT_TRUE(WaitUntil([&] { return seen; })) << id;
        EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint)) << id;
        EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint)) << id;
        EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint)) << id;
        EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint)) << id;
    }
}

TEST(LooseEnds, TabThenSpaceDoesNotStartANewGame)
{
    FrameFixture f;
    f.frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.frame.get()));
    const CellPos number = SomeNumber(f.Game());
    f.Click(number);
    ASSERT_EQ(f.Game().Cell(number).state, 1);
    f.frame->Board().setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(f.Game().Cell(number).state, 1);
    EXPECT_TRUE(f.Game().Started());
    EXPECT_EQ(QApplication::focusWidget(), &f.frame->Board());
}

TEST(LooseEnds, TheWindowIsNeverNarrowerThanItsMenuBar)
{
    const char* boards[] = {"SHAPE=1\r\nLEVEL3=0", "SHAPE=3\r\nLEVEL3=0", "SHAPE=1\r\nLEVEL3=5\r\nWIDTH=1\r\nHEIGHT=1\r\nMINES=0",
                            // German has the longest menu titles.
                            "SHAPE=1\r\nLEVEL3=0\r\nMvLanguage=de", "SHAPE=1\r\nLEVEL3=5\r\nWIDTH=1\r\nHEIGHT=1\r\nMINES=0\r\nMvLanguage=de",
                            "SHAPE=4\r\nLEVEL3=5\r\nWIDTH=1\r\nHEIGHT=1\r\nMINES=0\r\nMvLanguage=fr"};
    for (const char* board : boards) {
        SCOPED_TRACE(board);
        FrameFixture f(std::string("[MVRO]\r\nTEXTURE=0\r\n") + board + "\r\n");
        QApplication::processEvents();
        auto* more = f.frame->menuBar()->findChild<QToolButton*>("qt_menubar_ext_button");
        ASSERT_NE(more, nullptr);
        EXPECT_FALSE(more->isVisible()) << "menu bar " << f.frame->menuBar()->width() << " px";
        for (QAction* menu : f.frame->menuBar()->actions())
            EXPECT_FALSE(f.frame->menuBar()->actionGeometry(menu).isEmpty()) << menu->text().toStdString();
        EXPECT_TRUE(f.frame->Board().geometry().left() >= 0);
    }
}

#include "GameExtrasTest.moc"
