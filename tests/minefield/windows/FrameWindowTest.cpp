#include <gtest/gtest.h>

#include <QDialog>
#include <QFile>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "minefield/IniFile.h"
#include "minefield/Texts.h"
#include "minefield/windows/Commands.h"
#include "minefield/windows/TBestDialog.h"
#include "minefield/windows/TMyFrameWindow.h"
#include "minefield/windows/TMyWindow.h"
#include "minefield/windows/UiText.h"
#include "FrameFixture.h"
#include "GuiTestSupport.h"

using namespace mf;
using mftest::WaitUntil;
using mftest::WhenModal;
using mftest::FrameFixture;

TEST(FrameWindow, WinWithBestTimeAsksTheNameAndWritesTheRecord)
{
    FrameFixture f;
    ASSERT_EQ(f.Game().Level(), 0);
    EXPECT_EQ(f.frame->windowTitle(), "Minevaro");
    EXPECT_EQ(f.frame->ShieldsShown(), 1);
    EXPECT_TRUE(f.frame->ClockRunning());
    f.PassSeconds(75);
    EXPECT_EQ(f.frame->ClockText(), "Time: 00:01:15");

    QString prompt;
    bool confirmed = false;
    WhenModal<QInputDialog>([&](QInputDialog* input) {
        prompt = input->labelText();
        EXPECT_EQ(input->windowTitle(), "Minevaro");
        input->setTextValue("Tester");
        WhenModal<TBestDialog>([&](TBestDialog* best) {
            EXPECT_EQ(best->windowTitle(), "Best Times - Square");
            EXPECT_EQ(best->findChild<QLabel*>("time0")->text(), "00:01:15");
            EXPECT_EQ(best->findChild<QLabel*>("name0")->text(), "Tester");
            best->findChild<QPushButton*>("ok")->click();
            confirmed = true;
        });
        input->accept();
    });
    f.OpenEverySafeCell();
    ASSERT_TRUE(f.Game().GameOver());
    EXPECT_FALSE(f.frame->ClockRunning());
    ASSERT_TRUE(WaitUntil([&] { return confirmed; }));
    EXPECT_EQ(prompt, " You have the best time. Please enter your name:");
    const IniFile ini = f.ReadIni();
    EXPECT_EQ(ini.GetInt("SQUARE", "T0", -1), 75);
    EXPECT_EQ(ini.GetString("SQUARE", "N0", "", 29), "Tester");
    EXPECT_EQ(ini.GetString("SQUARE", "N1", "", 29), "Anonymous");

    // A slower win only congratulates.
    f.frame->Command(cmd::New);
    f.PassSeconds(80);
    QString message;
    WhenModal<QMessageBox>([&](QMessageBox* box) {
        message = box->text();
        box->accept();
    });
    f.OpenEverySafeCell();
    ASSERT_TRUE(WaitUntil([&] { return !message.isEmpty(); }));
    EXPECT_EQ(message, "Congratulations. You solved the game in 1 minute 20 seconds.");
    EXPECT_EQ(f.ReadIni().GetInt("SQUARE", "T0", -1), 75);
}

TEST(FrameWindow, LossStopsTheClockAndANewShapeStartsItAgain)
{
    FrameFixture f;
    f.PassSeconds(3);
    f.OpenMinesUntilLost();
    ASSERT_TRUE(f.Game().GameOver());
    EXPECT_EQ(f.frame->ShieldsShown(), 0);  // the one shield went first
    EXPECT_FALSE(f.frame->ClockRunning());
    const QString stopped = f.frame->ClockText();
    EXPECT_EQ(stopped, "Time: 00:00:03");
    *f.now += 5000;
    QTest::qWait(600);  // a timer that still ran would have ticked
    EXPECT_EQ(f.frame->ClockText(), stopped);

    f.frame->Command(cmd::ShapeHexagon);
    EXPECT_TRUE(f.frame->ClockRunning());
    EXPECT_FALSE(f.Game().GameOver());
    EXPECT_EQ(f.Game().Shape(), ShapeKind::Hexagon);
    EXPECT_TRUE(f.frame->IsChecked(cmd::ShapeHexagon));
    EXPECT_FALSE(f.frame->IsChecked(cmd::ShapeSquare));
    EXPECT_EQ(f.frame->ShieldsShown(), 1);
    EXPECT_EQ(f.frame->ClockText(), "Time: 00:00:00");
}

TEST(FrameWindow, SettingsAreReadKeptInsideTheGridAndChecked)
{
    {
        FrameFixture f("[MVRO]\r\nLEVEL3=9\r\nWIDTH=40\r\nHEIGHT=5\r\nMINES=500\r\nSHAPE=6\r\n"
                       "COLOR=255\r\nTEXTURE=2abc\r\nSOUND=0\r\n[HEXAGON]\r\nT3=12\r\n");
        EXPECT_EQ(f.Game().Width(), 32);
        EXPECT_EQ(f.Game().Height(), 5);
        EXPECT_EQ(f.Game().Mines(), 159);
        EXPECT_EQ(f.frame->Board().size(), QSize(21 * 32 + 16, 23 * 5 + 21));
        EXPECT_TRUE(f.frame->IsChecked(cmd::ShapeHexagon));
        EXPECT_TRUE(f.frame->IsChecked(cmd::LoadTexture));  // "2abc" is no digit alone...
        EXPECT_TRUE(f.frame->Board().HasTexture());        // ...but shows texture 2
        EXPECT_FALSE(f.frame->IsChecked(cmd::Sound));
        EXPECT_FALSE(f.Game().SoundOn());
        for (int id = cmd::LevelBeginner; id <= cmd::LevelExpert; ++id)
            EXPECT_FALSE(f.frame->IsChecked(id));

        f.frame->Command(cmd::Texture3);
        f.frame->Command(cmd::Sound);
        f.frame->Command(cmd::LevelBeginner + 4);
        EXPECT_TRUE(f.frame->IsChecked(cmd::Texture3));
        EXPECT_FALSE(f.frame->IsChecked(cmd::LoadTexture));
        EXPECT_EQ(f.Game().Width(), 30);
    }
}

TEST(FrameWindow, ShutDownWritesEveryKeyAndKeepsTheBestTimes)
{
    QTemporaryDir dir;
    mftest::App();
    const QString path = dir.filePath("mvro.ini");
    {
        IniFile ini;
        ini.Parse("[MVRO]\r\nTEXTURE=\r\nCOLOR=255\r\n[HEXAGON]\r\nT3=12\r\nN3=Ann\r\n");
        ini.Save(path.toStdString());
    }
    {
        TMyFrameWindow::Options options;
        options.iniPath = path;
        options.seed = 1;
        TMyFrameWindow frame(options);
        EXPECT_TRUE(frame.IsChecked(cmd::LoadTexture));  // "" is a path that loads nothing
        EXPECT_FALSE(frame.Board().HasTexture());
        frame.Command(cmd::ShapeBrick);
        frame.Command(cmd::LevelBeginner + 2);
        frame.Command(cmd::Sound);
    }
    IniFile ini;
    ini.Load(path.toStdString());
    EXPECT_EQ(ini.GetInt("MVRO", "LEVEL3", -1), 2);
    // The custom size (here the defaults), which a preset no longer overwrites.
    EXPECT_EQ(ini.GetInt("MVRO", "WIDTH", -1), 8);
    EXPECT_EQ(ini.GetInt("MVRO", "HEIGHT", -1), 8);
    EXPECT_EQ(ini.GetInt("MVRO", "MINES", -1), 16);
    EXPECT_EQ(ini.GetInt("MVRO", "SHAPE", -1), 3);
    EXPECT_EQ(ini.GetInt("MVRO", "COLOR", -1), 255);
    EXPECT_EQ(ini.GetString("MVRO", "TEXTURE", "?", 253), "");
    EXPECT_EQ(ini.GetInt("MVRO", "SOUND", -1), 0);
    EXPECT_EQ(ini.GetInt("HEXAGON", "T3", -1), 12);
    EXPECT_EQ(ini.GetString("HEXAGON", "N3", "", 29), "Ann");
}

// The menu option: checked as read from the file, in effect from the next
// new game, and kept in the file only while it is on.
TEST(FrameWindow, NoGuessBoardsAreAnOptionOfTheMenuKeptInAKeyOfOurOwn)
{
    FrameFixture f("[MVRO]\r\nTEXTURE=0\r\nLEVEL3=4\r\nSHAPE=6\r\n");
    EXPECT_FALSE(f.frame->IsChecked(cmd::NoGuess));
    f.frame->Command(cmd::NoGuess);
    EXPECT_TRUE(f.frame->IsChecked(cmd::NoGuess));
    EXPECT_TRUE(f.Game().Options().noGuess);
    f.frame->Command(cmd::New);
    f.Click({5, 7});
    EXPECT_EQ(f.Game().Cell({5, 7}).value, 0);
    EXPECT_TRUE(f.Game().BoardIsNoGuess());
    f.frame.reset();
    EXPECT_EQ(f.ReadIni().GetInt("MVRO", "MvNoGuess", 0), 1);

    f.frame = std::make_unique<TMyFrameWindow>(TMyFrameWindow::Options{f.IniPath(), f.dir.path(), 3u, {}, true, {}});
    EXPECT_TRUE(f.frame->IsChecked(cmd::NoGuess));
    f.frame->Command(cmd::NoGuess);
    f.frame.reset();
    EXPECT_EQ(f.ReadIni().GetString("MVRO", "MvNoGuess", "absent", 253), "absent");
}

TEST(FrameWindow, NameThenEnterTwiceKeepsTheRecordAndTheNameAsTyped)
{
    FrameFixture f;
    f.PassSeconds(75);
    const QString typed = QString::fromUtf8("Zo\u00EB \u0141ukasz");
    QString shown;
    bool enteredTwice = false;
    WhenModal<QInputDialog>([&](QInputDialog* input) {
        QLineEdit* edit = input->findChild<QLineEdit*>();
        // Typed key by key; QTest's own typing knows ASCII only.
        for (const QChar c : typed) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &press);
        }
        WhenModal<TBestDialog>([&](TBestDialog* best) {
            shown = best->findChild<QLabel*>("name0")->text();
            // Should Enter not close it, the test goes on after a while.
            QTimer::singleShot(3000, best, [] {
                for (int i = 0; i < 5 && QApplication::activeModalWidget(); ++i)
                    QApplication::activeModalWidget()->close();
            });
            // A player's second Enter goes to the dialog once it is the active window.
            EXPECT_TRUE(WaitUntil([best] { return QApplication::activeWindow() == best; }));
            QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Return);  // where the focus is
            enteredTwice = true;
        });
        QTest::keyClick(edit, Qt::Key_Return);
    });
    f.OpenEverySafeCell();
    ASSERT_TRUE(WaitUntil([&] { return enteredTwice && !QApplication::activeModalWidget(); }, 8000));
    EXPECT_EQ(shown, typed);
    const IniFile ini = f.ReadIni();
    EXPECT_EQ(ini.GetInt("SQUARE", "T0", -1), 75);
    EXPECT_EQ(ini.GetString("SQUARE", "N0", "", 29), "Zo\xEB ?ukasz");  // what other builds read

    // Shown whole again, from the file, and offered again at the next record.
    QString reread;
    WhenModal<TBestDialog>([&](TBestDialog* best) {
        reread = best->findChild<QLabel*>("name0")->text();
        best->reject();
    });
    f.frame->Command(cmd::BestTimes);
    EXPECT_EQ(reread, typed);
    f.frame->Command(cmd::LevelBeginner + 1);
    QString offered;
    WhenModal<QInputDialog>([&](QInputDialog* input) {
        offered = input->textValue();
        input->reject();
    });
    f.OpenEverySafeCell();
    ASSERT_TRUE(WaitUntil([&] { return !offered.isEmpty(); }));
    EXPECT_EQ(offered, typed);
}

TEST(BestDialog, ResetAsksFirstAndIsWrittenOnlyByOk)
{
    QTemporaryDir dir;
    mftest::App();
    const QString path = dir.filePath("mvro.ini");
    IniFile ini;
    ini.Parse("[TRIANGLE]\r\nT1=42\r\nN1=Ann\r\n");
    ini.Save(path.toStdString());
    const std::string before = ini.Text();
    const QByteArray oldLanguage = qgetenv("LANGUAGE");
    qputenv("LANGUAGE", "de");  // the question speaks the session's language
    struct Answer {
        const char* what;
        std::function<void(QMessageBox*)> answer;
        const char* time1;
    };
    const Answer answers[] = {
        {"Enter", [](QMessageBox*) { QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Return); },
         "00:00:42"},
        {"No", [](QMessageBox* box) { box->button(QMessageBox::No)->click(); }, "00:00:42"},
        {"Escape", [](QMessageBox*) { QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Escape); },
         "00:00:42"},
        {"Yes", [](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); }, "00:00:00"},
    };
    {
        TBestDialog dialog(ShapeKind::Triangle, path);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        EXPECT_EQ(dialog.windowTitle(), "Bestzeiten - Dreieck");
        for (const Answer& a : answers) {
            SCOPED_TRACE(a.what);
            QString question, yes;
            bool asked = false;
            WhenModal<QMessageBox>([&](QMessageBox* box) {
                question = box->text();
                if (QAbstractButton* b = box->button(QMessageBox::Yes))
                    yes = b->text();
                asked = true;
                EXPECT_TRUE(WaitUntil([box] { return QApplication::activeWindow() == box; }));  // for the keys
                a.answer(box);
            });
            dialog.findChild<QPushButton*>("reset")->click();
            EXPECT_TRUE(WaitUntil([&] { return asked; }, 500));
            EXPECT_EQ(question, QString::fromUtf8("Die Bestzeiten aller f\u00FCnf Stufen dieser Zellform zur\u00FCcksetzen?"));
            EXPECT_EQ(yes, "&Ja");
            EXPECT_EQ(dialog.findChild<QLabel*>("time1")->text(), a.time1);
        }
        EXPECT_EQ(dialog.findChild<QLabel*>("name1")->text(), "Anonym");
        EXPECT_EQ(dialog.findChild<QLabel*>("name0")->text(), "Anonym");
        dialog.reject();  // the close box
    }
    IniFile after;
    after.Load(path.toStdString());
    EXPECT_EQ(after.Text(), before);
    {
        TBestDialog dialog(ShapeKind::Triangle, path);
        WhenModal<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
        dialog.findChild<QPushButton*>("reset")->click();
        dialog.findChild<QPushButton*>("ok")->click();
    }
    if (oldLanguage.isNull())
        qunsetenv("LANGUAGE");
    else
        qputenv("LANGUAGE", oldLanguage);
    after.Load(path.toStdString());
    EXPECT_EQ(after.GetInt("TRIANGLE", "T1", -1), 0);
    // Shown in the language of the window, written as every build reads it.
    EXPECT_EQ(after.GetString("TRIANGLE", "N4", "", 29), "Anonymous");
    EXPECT_EQ(after.GetString("TRIANGLE", "N1", "", 29), "Anonymous");
}

// Where no browser can show the help page, a box says so and names it.
TEST(FrameWindow, HelpThatCannotBeShownSaysSo)
{
    QStringList opened;
    FrameFixture f("[MVRO]\r\nTEXTURE=0\r\n", 7, [&](const QString& file) {
        opened << file;
        return false;
    });
    const QString page = f.dir.filePath("mvro-help.html");
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<h1>Help</h1>");
    file.close();
    QString told;
    WhenModal<QMessageBox>([&](QMessageBox* box) {
        told = box->text();
        box->accept();
    });
    f.frame->Command(cmd::HelpContents);
    EXPECT_EQ(opened, QStringList{page});
    EXPECT_TRUE(told.contains(page)) << told.toStdString();
    EXPECT_EQ(told, UiText(text::NoHelpViewer).arg(page));
}
