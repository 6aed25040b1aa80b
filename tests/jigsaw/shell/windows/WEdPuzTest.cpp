#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <QScrollBar>
#include <QTest>

#include "tests/jigsaw/library/windows/WindowsFixture.h"
#include "framework/Bmp.h"
#include "framework/VirtualKey.h"
#include "framework/qt/Screenshot.h"
#include "jigsaw/document/Entry.h"
#include "jigsaw/document/GridFromCount.h"
#include "jigsaw/library/ShelfEntry.h"
#include "jigsaw/shell/windows/EdPuzView.h"
#include "jigsaw/shell/windows/NewPuzzle.h"
#include "jigsaw/library/windows/Thumbnails.h"
#include "jigsaw/shell/windows/WEdPuz.h"

using namespace qv;
namespace fs = std::filesystem;

namespace {

struct FakeEditorUser : EditorUser {
    bool leave = true;
    bool replace = true;
    std::optional<std::string> shelf;
    std::vector<std::string> log;

    bool confirmLeave() override
    {
        log.push_back("812");
        return leave;
    }
    bool confirmReplace(const fs::path& file) override
    {
        log.push_back("replace " + file.filename().string());
        return replace;
    }
    void showStatus(const fw::Status& status) override { log.push_back("status " + std::to_string(status.id)); }
    std::optional<std::string> chooseShelf(const std::string& current) override
    {
        log.push_back("shelf " + current);
        return shelf;
    }
};

struct WEdPuzTest : ::testing::Test {
    winfix::LibrarySetup lib;
    FakeEditorUser user;
    fs::path jpeg = lib.dir / "Harbour.jpg";

    void SetUp() override
    {
        winfix::useEnglishTexts();
        winfix::writeJpeg(jpeg, 320, 240);
    }
    void TearDown() override { fw::UiText::setSource(nullptr); }

    std::unique_ptr<WEdPuz> editor()
    {
        fw::Bitmap picture;
        EXPECT_TRUE(LoadEditorPicture(nullptr, jpeg, picture).ok());
        auto w = std::make_unique<WEdPuz>(nullptr, *lib.library, std::move(picture), jpeg);
        w->setUser(&user);
        return w;
    }
    static void type(WEdPuz& w, int id, const char* text)
    {
        auto* e = qobject_cast<QLineEdit*>(w.control(id));
        ASSERT_NE(e, nullptr);
        e->clear();
        QTest::keyClicks(e, text);
    }
    static int top(WEdPuz& w, int id) { return w.control(id)->geometry().top(); }
};

TEST_F(WEdPuzTest, ThePanelKeepsItsOrderAndOffersTheShelfOnlyWithTwoShelves)
{
    auto w = editor();
    const int order[] = {537, 564, 6000, 6001, 6002, 6003, 6004, 6013, 6014, 6015, 855, 6010, 6018, 6016, 1, 2};
    for (size_t i = 1; i < std::size(order); ++i)
        EXPECT_LT(top(*w, order[i - 1]), top(*w, order[i])) << order[i - 1] << " above " << order[i];
    EXPECT_EQ(top(*w, 537), top(*w, 500));
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(top(*w, 6000 + k), top(*w, 110 + k));
    EXPECT_TRUE(w->isChecked(WEdPuz::IdCustom));
    EXPECT_FALSE(w->isChecked(WEdPuz::IdNoPreview));
    EXPECT_EQ(w->text(WEdPuz::IdTitle), "Harbour");
    EXPECT_EQ(w->control(WEdPuz::IdTitle)->width(), WEdPuz::PanelWidth - 42);
    EXPECT_EQ(w->text(WEdPuz::IdZoom), "100%");
    EXPECT_EQ(w->text(WEdPuz::IdPictureSize), "320x240");
    EXPECT_EQ(w->control(WEdPuz::IdChooseShelf), nullptr);
    EXPECT_EQ(w->control(WEdPuz::IdShelf), nullptr);

    ASSERT_TRUE(lib.library->shelves().CreateShelf("Animals"));
    auto two = editor();
    ASSERT_NE(two->control(WEdPuz::IdChooseShelf), nullptr);
    EXPECT_EQ(two->text(WEdPuz::IdShelf), "Quorvane");
    EXPECT_LT(top(*two, 6010), top(*two, 6019));
    EXPECT_LT(top(*two, 6019), top(*two, 6018));
    user.shelf = "Animals";
    two->sendCommand(WEdPuz::IdChooseShelf);
    EXPECT_EQ(two->text(WEdPuz::IdShelf), "Animals");
    EXPECT_EQ(user.log, std::vector<std::string>{"shelf Quorvane"});
}

TEST_F(WEdPuzTest, PieceCountsFollowTheSizesAndTheCroppedPicture)
{
    auto w = editor();
    // Proposed counts that the 320 x 240 picture takes.
    EXPECT_EQ(w->text(6000), "24");
    const Grid g = GridFromCount(320, 240, "24");
    EXPECT_EQ(w->text(110), "(" + std::to_string(g.rows * g.columns) + ")");
    EXPECT_EQ(w->text(6004), "480");
    type(*w, 6001, "4x6");
    EXPECT_EQ(w->text(111), "(24)");
    EXPECT_EQ(w->shownSize(), 1);
    type(*w, 6001, "7000");
    EXPECT_EQ(w->text(111), "") << "pieces under 12 pixels give no grid";
    type(*w, 6001, "");
    EXPECT_EQ(w->text(111), "");

    w->setCrop(QRect(10, 20, 100, 60));
    EXPECT_EQ(w->text(WEdPuz::IdPictureSize), "100x60");
    EXPECT_EQ(w->text(114), "") << "480 pieces do not fit into 100 x 60";
    EXPECT_EQ(w->area(), QRect(10, 20, 100, 60));
}

TEST_F(WEdPuzTest, DraggingCropsEscRemovesAndTinyDragsAreDiscarded)
{
    auto w = editor();
    EdPuzView& view = w->view();
    w->setZoom(200);
    EXPECT_EQ(w->text(WEdPuz::IdZoom), "200%");
    EXPECT_EQ(view.size(), QSize(640, 480));
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(40, 60));
    QTest::mouseMove(&view, QPoint(240, 200));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(240, 200));
    EXPECT_EQ(view.crop(), QRect(20, 30, 100, 70)) << "picture pixels at 200 %";

    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(14, 14));
    EXPECT_TRUE(view.crop().isNull()) << "a 2 x 2 rectangle is no rectangle";

    w->setCrop(QRect(5, 5, 50, 50));
    fw::KeyEvent esc(fw::KeyEvent::Down, 0, fw::vk::Escape);
    w->OnEvent(esc);
    EXPECT_TRUE(esc.handled());
    EXPECT_TRUE(view.crop().isNull());
    fw::KeyEvent again(fw::KeyEvent::Down, 0, fw::vk::Escape);
    w->OnEvent(again);
    EXPECT_TRUE(user.log.empty()) << "Esc without a rectangle is the owner's, not Cancel";

    w->setZoom(1000);
    EXPECT_EQ(w->zoom(), 300);
    w->setZoom(1);
    EXPECT_EQ(w->zoom(), 25);
}

TEST_F(WEdPuzTest, PlainViewHidesGridAndRectangle)
{
    auto w = editor();
    w->sendCommand(WEdPuz::IdPlain, 1);
    EXPECT_TRUE(w->view().plain());
    EXPECT_TRUE(w->isChecked(WEdPuz::IdPlain));
    w->sendCommand(WEdPuz::IdPlain, 0);
    EXPECT_FALSE(w->view().plain());
    w->setChecked(WEdPuz::IdPlain, true);
    EXPECT_TRUE(w->view().plain());
}

TEST_F(WEdPuzTest, OkWritesThePuzzleOnTheShelfWithItsChoices)
{
    auto w = editor();
    for (int k = 0; k < 5; ++k)
        type(*w, 6000 + k, "");
    type(*w, 6001, "12");
    type(*w, 6003, "3x4");
    type(*w, WEdPuz::IdTitle, "Old harbour");
    type(*w, WEdPuz::IdRights, "Ann Example");
    w->setChecked(WEdPuz::IdCustom, false);
    w->setChecked(WEdPuz::IdNoHelp, true);
    w->setChecked(WEdPuz::IdNoRotate, true);
    w->sendCommand(WEdPuz::IdOk);
    const fs::path file = lib.root / "Old harbour.puz";
    ASSERT_EQ(w->made(), file) << ::testing::PrintToString(user.log);
    EXPECT_EQ(lib.settings.getString("Main", "LastPuz"), file.string());

    const ShelfEntry e = ShelfEntry::readPuzzle(file);
    ASSERT_TRUE(e.status.ok());
    EXPECT_EQ(e.title, "Old harbour");
    ASSERT_EQ(e.sizeCount, 2) << "empty fields leave no gap";
    EXPECT_EQ(e.rows[0] * e.columns[0], 12);
    EXPECT_EQ(e.rows[1], 3);
    EXPECT_EQ(e.columns[1], 4);
    EXPECT_TRUE(e.noCustom);
    EXPECT_TRUE(e.optionFlags & ShelfEntry::NoRotable);
    EXPECT_TRUE(e.optionFlags & ShelfEntry::NoHelp);
    EXPECT_FALSE(e.optionFlags & ShelfEntry::NoPreview);
    EXPECT_FALSE(PuzzleThumbnail(file).isNull());
    // The shelf's cache knows it already.
    ShelfEntry cached;
    lib.library->cache().Open(lib.root, true);
    EXPECT_TRUE(lib.library->cache().Lookup("Old harbour.puz", ShelfEntry::Kind::Puzzle, cached));
}

TEST_F(WEdPuzTest, ACroppedPictureIsStoredCropped)
{
    auto w = editor();
    w->setCrop(QRect(40, 30, 200, 150));
    w->show();
    QTest::qWait(20);
    fw::saveScreenshot(*w, "library-editor-crop");
    w->sendCommand(WEdPuz::IdOk);
    EXPECT_EQ(user.log, std::vector<std::string>{"status 1003"}) << "240 pieces are too small now";
    EXPECT_TRUE(w->text(113).empty());
    EXPECT_TRUE(w->text(114).empty());
    type(*w, 6003, "");
    type(*w, 6004, "");
    w->sendCommand(WEdPuz::IdOk);
    ASSERT_TRUE(w->made()) << ::testing::PrintToString(user.log);
    Entry entry;
    ASSERT_TRUE(entry.readFile(*w->made()).ok());
    fw::FileStream f(*w->made(), fw::FileStream::Mode::Read);
    int width = 0, height = 0;
    ASSERT_TRUE(readJpegSize(f, entry.directory.pictureOffset + PuzzleDirectory::PaletteBlockBytes, width, height).ok());
    EXPECT_EQ(width, 200);
    EXPECT_EQ(height, 150);
}

TEST_F(WEdPuzTest, RefusedChoicesAndQuestionsKeepTheEditor)
{
    auto w = editor();
    for (int k = 0; k < 5; ++k)
        type(*w, 6000 + k, "");
    w->sendCommand(WEdPuz::IdOk);
    EXPECT_FALSE(w->made());
    EXPECT_EQ(user.log.back(), "status 1004");

    type(*w, 6000, "2");
    w->sendCommand(WEdPuz::IdOk);
    EXPECT_EQ(user.log.back(), "status 1004");

    type(*w, 6000, "20");
    winfix::writeJpeg(lib.root / "Harbour.puz", 8, 8);  // any file of that name
    user.replace = false;
    w->sendCommand(WEdPuz::IdOk);
    EXPECT_FALSE(w->made());
    EXPECT_EQ(user.log.back(), "replace Harbour.puz");

    user.leave = false;
    w->sendCommand(WEdPuz::IdCancel);
    EXPECT_EQ(user.log.back(), "812");
    EXPECT_TRUE(w->isVisible() || !w->isRunning());
}

TEST(LoadEditorPicture, PicturesUnderEightPixelsAreRefused)
{
    winfix::TempDir dir;
    const struct {
        int w, h;
        int status;
    } cases[] = {{2, 3, 1008}, {2, 4, 0}, {1, 8, 0}};
    for (const auto& c : cases) {
        const fs::path file = dir / "p.bmp";
        {
            fw::FileStream f(file, fw::FileStream::Mode::Create);
            ASSERT_TRUE(fw::writeBmp(f, fw::Bitmap(c.w, c.h, 0x808080)));
        }
        fw::Bitmap out;
        EXPECT_EQ(LoadEditorPicture(nullptr, file, out).id, c.status) << c.w << "x" << c.h;
    }
    fw::Bitmap out;
    EXPECT_EQ(LoadEditorPicture(nullptr, dir / "missing.jpg", out).id, 1008);
    winfix::writeJpeg(dir / "broken.jpg", 40, 40);
    fs::resize_file(dir / "broken.jpg", 30);
    EXPECT_EQ(LoadEditorPicture(nullptr, dir / "broken.jpg", out).id, 1008);
}

struct Host : NewPuzzleHost {
    bool close = true;
    std::vector<std::string> log;
    bool settlePuzzle() override
    {
        log.push_back("settle");
        return close;
    }
    void setBusy(bool on) override { log.push_back(on ? "busy" : "idle"); }
};

TEST_F(WEdPuzTest, TheNewPuzzleOperationRunsOnceAtATime)
{
    Host host;
    NewPuzzle op(nullptr, *lib.library, host);
    bool nestedRefused = false;
    op.setEditorRun([&](WEdPuz& editor) -> std::optional<fs::path> {
        EXPECT_TRUE(NewPuzzle::running());
        NewPuzzle second(nullptr, *lib.library, host);
        nestedRefused = !second.FromPicture(jpeg) && !second.editorShown();
        editor.setUser(&user);
        editor.sendCommand(WEdPuz::IdOk);
        return editor.made();
    });
    const auto made = op.FromPicture(jpeg);
    EXPECT_TRUE(nestedRefused);
    EXPECT_TRUE(op.editorShown());
    EXPECT_EQ(made, lib.root / "Harbour.puz");
    EXPECT_FALSE(NewPuzzle::running());
    EXPECT_EQ(host.log, (std::vector<std::string>{"settle", "busy", "idle"}));

    host.close = false;
    EXPECT_FALSE(op.FromPicture(jpeg));
    EXPECT_FALSE(op.editorShown()) << "the user kept the open puzzle";
}

}  // namespace

// A picture larger than the screen: the editor still fits the screen, all
// of its panel in sight, and it opens on the screen even over an owner that
// is not (yet) where it will be.
TEST_F(WEdPuzTest, TheEditorFitsTheScreenAndOpensOnIt)
{
    const fs::path big = lib.dir / "Wide.jpg";
    winfix::writeJpeg(big, 2600, 1900);
    fw::Bitmap picture;
    ASSERT_TRUE(LoadEditorPicture(nullptr, big, picture).ok());
    QWidget owner;
    owner.setGeometry(0, 0, 40, 30);  // its middle lies near the screen's corner
    WEdPuz w(&owner, *lib.library, std::move(picture), big);
    w.setUser(&user);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize most = fw::WBaseInfo::largestOnScreen(QGuiApplication::primaryScreen());
    EXPECT_LE(w.width(), most.width());
    EXPECT_LE(w.height(), most.height());
    for (int id : {int(WEdPuz::IdOk), int(WEdPuz::IdCancel), int(WEdPuz::IdHelp)})
        EXPECT_LE(w.control(id)->geometry().bottom(), w.height()) << "button " << id << " below the window";
    QRect shown;
    QTimer::singleShot(20, [&] {
        shown = w.geometry();
        w.EndModal(WEdPuz::IdCancel);
    });
    w.RunModal();
    EXPECT_TRUE(screen.contains(shown)) << shown.x() << "," << shown.y() << " " << shown.width() << "x"
                                        << shown.height() << " on " << screen.width() << "x" << screen.height();
}
