#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QRegularExpression>
#include <QTimer>
#include <functional>

#include "WindowsFixture.h"
#include "framework/qt/Screenshot.h"
#include "jigsaw/library/windows/WMakePuzzke.h"

using namespace qv;
namespace fs = std::filesystem;

namespace {

TEST(PictureDialogStart, LastImageGivesFolderAndPattern)
{
    const struct {
        const char* last;
        const char* dir;
        const char* pattern;
    } cases[] = {
        {"", "/cwd", "*.jpg"},
        {"C:\\Pics\\tree.bmp", "C:/Pics", "*.bmp"},
        {"/home/ann/pics/sea.JPEG", "/home/ann/pics", "*.JPEG"},
        {"/home/ann/pics/noext", "/home/ann/pics", "*.jpg"},
    };
    for (const auto& c : cases) {
        const PictureDialogStart s = PictureDialogStartFor(c.last, "/cwd");
        EXPECT_EQ(s.directory, fs::path(c.dir)) << c.last;
        EXPECT_EQ(s.pattern, c.pattern) << c.last;
    }
}

struct WMakePuzzkeTest : ::testing::Test {
    winfix::TempDir dir;
    fw::Profile settings{dir / "QVrk.ini"};
    std::vector<PictureDialogStart> asked;
    std::optional<fs::path> answer;

    void SetUp() override
    {
        winfix::useEnglishTexts();
        settings.setDefaultSection("Main");
        settings.setString("Main", "LastPuz", "/shelf/Castle.puz");
    }
    void TearDown() override { fw::UiText::setSource(nullptr); }

    std::unique_ptr<WMakePuzzke> dialog(bool atStartUp = false)
    {
        auto w = std::make_unique<WMakePuzzke>(nullptr, settings, atStartUp);
        w->setChooser([this](const PictureDialogStart& s) {
            asked.push_back(s);
            return answer;
        });
        return w;
    }
};

TEST_F(WMakePuzzkeTest, ShowsItsTextsAndTheSelectButton)
{
    auto w = dialog();
    EXPECT_EQ(w->windowTitle(), "Make a puzzle");
    for (int id : {850, 851, 856, 852, 853})
        EXPECT_FALSE(w->text(id).empty()) << id;
    EXPECT_EQ(w->text(WMakePuzzke::IdSelect), "Select a picture...");
    EXPECT_TRUE(w->acceptDrops());
    w->show();
    fw::saveScreenshot(*w, "library-make-puzzle");
}

TEST_F(WMakePuzzkeTest, AChosenPictureIsRememberedAndOpensTheNextDialogInItsFolder)
{
    auto w = dialog();
    answer = std::nullopt;
    w->sendCommand(WMakePuzzke::IdSelect);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].pattern, "*.jpg");
    EXPECT_EQ(asked[0].directory, fs::current_path());
    EXPECT_FALSE(w->result().picture) << "cancelled file dialog: the dialog stays";
    EXPECT_EQ(settings.getString("History", "LastImage"), "");

    answer = dir / "pics" / "tree.bmp";
    w->sendCommand(WMakePuzzke::IdSelect);
    EXPECT_EQ(w->result().picture, answer);
    EXPECT_EQ(settings.getString("History", "LastImage"), answer->string());

    auto next = dialog();
    answer = std::nullopt;
    next->sendCommand(WMakePuzzke::IdSelect);
    EXPECT_EQ(asked.back().directory, dir / "pics");
    EXPECT_EQ(asked.back().pattern, "*.bmp");
}

TEST_F(WMakePuzzkeTest, ADroppedPictureIsTakenWithoutTouchingLastImage)
{
    settings.setString("History", "LastImage", "/pics/old.jpg");
    auto w = dialog();
    fw::DropFilesEvent drop({dir / "first.jpg", dir / "second.jpg"}, 10, 10);
    w->OnEvent(drop);
    EXPECT_EQ(w->result().picture, dir / "first.jpg");
    EXPECT_EQ(settings.getString("History", "LastImage"), "/pics/old.jpg");
    EXPECT_TRUE(asked.empty());
}

TEST_F(WMakePuzzkeTest, CancelAfterStartUpForgetsTheLastPuzzleUnlessMakingRuns)
{
    const struct {
        bool atStartUp;
        bool running;
        int command;
        bool reopen;
    } cases[] = {
        {true, false, 2, true},
        {true, true, 2, false},
        {false, false, 2, false},
        {true, false, 1, false},
        {true, false, 1302, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.command) + (c.atStartUp ? " start-up" : "") + (c.running ? " running" : ""));
        settings.setString("Main", "LastPuz", "/shelf/Castle.puz");
        auto w = dialog(c.atStartUp);
        w->setNewPuzzleRunning([&] { return c.running; });
        w->sendCommand(static_cast<uint32_t>(c.command));
        EXPECT_EQ(w->result().reopenLast, c.reopen);
        EXPECT_FALSE(w->result().picture);
        EXPECT_EQ(settings.getString("Main", "LastPuz"), c.reopen ? "" : "/shelf/Castle.puz");
    }
}

TEST_F(WMakePuzzkeTest, HelpOpensTopic152)
{
    int topic = 0;
    auto w = dialog();
    w->setHelp([&](int t) { topic = t; });
    w->sendCommand(119);
    EXPECT_EQ(topic, 152);
}

}  // namespace

namespace {

// The file dialog as the player sees it: its kinds of file are read, then
// it is cancelled.
QStringList filtersOfTheShownDialog()
{
    QStringList seen;
    std::function<void(int)> look = [&](int tries) {
        if (auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            seen = d->nameFilters();
            d->reject();
        } else if (tries > 0) {
            QTimer::singleShot(20, [&look, tries] { look(tries - 1); });
        }
    };
    QTimer::singleShot(20, [&look] { look(200); });
    EXPECT_FALSE(ChoosePictureFile(nullptr, PictureDialogStart{fs::temp_directory_path(), "*.jpg"}));
    return seen;
}

}  // namespace

// Every picture format the program decodes can be chosen, alone or with
// the others, and so can any file at all.
TEST(PictureFileDialog, OffersEveryFormatWeReadAndAllFiles)
{
    winfix::useEnglishTexts();
    const QStringList filters = filtersOfTheShownDialog();
    fw::UiText::setSource(nullptr);
    ASSERT_FALSE(filters.isEmpty());
    EXPECT_TRUE(filters.front().startsWith("All supported images (")) << filters.front().toStdString();
    QStringList wanted = {"*.jpg", "*.jpeg", "*.bmp"};
#ifdef QV_HAVE_PNG
    wanted << "*.png";
    EXPECT_TRUE(filters.contains("PNG files (*.png)"));
#endif
#ifdef QV_HAVE_GIF
    wanted << "*.gif";
    EXPECT_TRUE(filters.contains("GIF files (*.gif)"));
#endif
#ifdef QV_HAVE_WEBP
    wanted << "*.webp";
    EXPECT_TRUE(filters.contains("WebP files (*.webp)"));
#endif
    for (const QString& pattern : wanted)
        EXPECT_TRUE(filters.front().split(QRegularExpression("[ ()]"), Qt::SkipEmptyParts).contains(pattern))
            << pattern.toStdString() << " in " << filters.front().toStdString();
    EXPECT_EQ(filters.back(), "All files (*)");
    EXPECT_TRUE(filters.contains("JPEG files (*.jpg *.jpeg *.jpe *.jfif *.fif)"));
    EXPECT_TRUE(filters.contains("BitMap files (*.bmp *.dib)"));
}
