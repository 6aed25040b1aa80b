// Every shipped language has every text the play window's menus and the
// game's message boxes ask for, and the options window switches the
// language of the running game.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <algorithm>

#include "ShellFixture.h"
#include "framework/Bmp.h"
#include "framework/Markup.h"
#include "framework/qt/MUBox.h"
#include "framework/qt/MenuBuilder.h"
#include "framework/qt/MessageBox.h"
#include "framework/qt/Screenshot.h"
#include "framework/qt/UiText.h"
#include "jigsaw/document/Entry.h"
#include "jigsaw/shell/NewPuzzleRules.h"
#include "jigsaw/library/SaveAsRules.h"
#include "jigsaw/shell/windows/WOptions.h"
#include "jigsaw/play/windows/WBox.h"
#include "jigsaw/scores/ScoresHost.h"
#include "jigsaw/shell/windows/PuzCommands.h"

using namespace shelltest;

namespace {

// The messages the game shows: opening and saving files, making puzzles,
// certificates and rankings, the exit question, pausing, the box window's
// notice and the editor's leave question.
const int kMessages[] = {
    fw::msg::Cancelled,        fw::msg::OutOfMemory,       qv::msg::BadFile,
    fw::msg::BadPicture,       fw::msg::BadPictureFile,
    qv::msg::TooNew,           qv::msg::FrameLarger,       qv::msg::ScreenTooSmall,
    qv::msg::PiecesTooSmall,   qv::msg::TooFewPieces,      qv::msg::CannotOpen,
    qv::msg::PictureUnusable,  qv::msg::OverwriteSavedGame, qv::msg::SavedGameExists,
    qv::msg::CertificateForged, qv::msg::OwnOldCertificate, qv::msg::PuzzleNotOnShelf,
    qv::msg::DifferentPuzzleFile, qv::msg::RankingTextForged, qv::msg::RankingNotLoadable,
    510 /* save before leaving? */, 525 /* replace a puzzle on a shelf */, 812 /* leave the editor */,
    987 /* paused */, 995 /* double-click hint */,
    4710, 4711, 4712, 4713, 4714, 4715, 4716, /* shared cuts */ qv::msg::CutTableTooSmall, qv::msg::CutPuzzleDiffers,
};

// Every entry of the menu and its submenus has a label; the ones without are
// collected by where they are.
void labels(const fw::Menu& menu, std::vector<std::string>& empty, const std::string& where)
{
    for (const fw::Menu::Item& item : menu.items()) {
        if (item.kind == fw::Menu::Item::Separator)
            continue;
        const std::string label = item.textId ? fw::UiText::lookup(1, item.textId) : item.text;
        if (label.empty())
            empty.push_back(where + " command " + std::to_string(item.command));
        if (item.submenu)
            labels(*item.submenu, empty, where + " > " + label);
    }
}

// Builds, shows and closes the menu, as a click would.
void openMenu(const fw::Menu& menu, fw::EventHandler* target, QWidget* parent)
{
    std::unique_ptr<QMenu> q(fw::MenuBuilder::build(menu, target, parent));
    q->popup(QPoint(10, 10));
    QApplication::processEvents();
    q->hide();
}

class Languages : public ::testing::TestWithParam<const char*> {};

TEST_P(Languages, MenusAndMessagesFindAllTheirTexts)
{
    const std::string code = GetParam();
    ProgramFolder folder("[Main]\r\nOptions=4096\r\nlang=" + code + "\r\n");
    const auto puzzle = makePuzzle(folder / "p.puz", 4, 3);
    Started s(folder, puzzle.string());
    ASSERT_EQ(s.status, 0);
    ASSERT_GT(s.puz().pieceCount(), 0);
    qv::App& app = *s.app;
    ASSERT_EQ(app.traductor().currentLanguage(), code);

    std::vector<std::string> reports;
    app.traductor().setReporter([&](const std::string& r) { reports.push_back(r); });
    app.traductor().setReportAll(true);

    // The menus: the play window's and each box's; built as the
    // language is now, as they are after a switch.
    app.traductor().SetLanguage(code, false);
    std::vector<std::string> empty;
    qv::WPuz& w = s.window();
    labels(w.windowMenu(), empty, "play window");
    openMenu(w.windowMenu(), &app.commands(), &w);
    for (const auto& box : w.boxes()) {
        labels(box->windowMenu(), empty, "box");
        openMenu(box->windowMenu(), box.get(), &w);
    }

    for (const int id : kMessages) {
        const std::string text = fw::MessageText(id, "x");
        EXPECT_NE(text.rfind("#", 0), 0u) << "message " << id << " has no text";
        fw::MUBox box(&w, fw::MarkupMessage(text, "Quorvane", fw::mb::YesNoCancel | fw::mb::IconQuestion));
        box.prepare();
    }

    app.traductor().setReportAll(false);
    EXPECT_TRUE(empty.empty()) << code << ": " << ::testing::PrintToString(empty);
    EXPECT_TRUE(reports.empty()) << code << ": " << ::testing::PrintToString(reports);
}

// The options window in every language: no button or box cuts its caption,
// and every control lies inside the window.
TEST_P(Languages, TheOptionsWindowShowsEveryCaptionWhole)
{
    const std::string code = GetParam();
    ProgramFolder folder("[Main]\r\nOptions=4096\r\nlang=" + code + "\r\n");
    const auto puzzle = makePuzzle(folder / "p.puz", 4, 3);
    Started s(folder, puzzle.string());
    ASSERT_EQ(s.status, 0);
    qv::App& app = *s.app;
    qv::WOptions options(&s.window(), app.options(), app.profile(), app.programDir(), &app.traductor());
    options.show();
    QApplication::processEvents();
    const QRect inside = options.rect();
    std::vector<std::string> cut;
    for (QAbstractButton* b : options.findChildren<QAbstractButton*>()) {
        if (b->sizeHint().width() > b->width())
            cut.push_back(b->text().toStdString() + " needs " + std::to_string(b->sizeHint().width()) + ", has " +
                          std::to_string(b->width()));
        if (!inside.contains(QRect(b->mapTo(&options, QPoint(0, 0)), b->size())))
            cut.push_back(b->text().toStdString() + " lies outside the window");
    }
    EXPECT_TRUE(cut.empty()) << code << ": " << ::testing::PrintToString(cut);
}

INSTANTIATE_TEST_SUITE_P(Shipped, Languages, ::testing::Values("eng", "cas", "cat", "deu", "fra", "ita"));

TEST(LanguageSwitch, TheOptionsWindowSwitchesRemembersAndRebuildsTheMenus)
{
    ProgramFolder folder("[Main]\r\nOptions=4096\r\nlang=eng\r\n");
    const auto puzzle = makePuzzle(folder / "p.puz", 4, 3);
    Started s(folder, puzzle.string());
    ASSERT_EQ(s.status, 0);
    qv::App& app = *s.app;
    const std::vector<std::string>& codes = app.traductor().languages();
    const int deu = static_cast<int>(std::find(codes.begin(), codes.end(), "deu") - codes.begin());
    ASSERT_LT(deu, static_cast<int>(codes.size()));
    const std::string englishOpen = app.caption(101), englishTidy = app.caption(1103);

    for (const bool ok : {false, true}) {
        qv::WOptions options(&s.window(), app.options(), app.profile(), app.programDir(), &app.traductor());
        auto* list = qobject_cast<QComboBox*>(options.control(qv::WOptions::IdLanguage));
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->count(), static_cast<int>(codes.size()));
        EXPECT_EQ(list->currentIndex(), app.traductor().currentIndex());
        EXPECT_EQ(list->itemText(deu), "Deutsch");
        list->setCurrentIndex(deu);
        fw::saveScreenshot(options, "options-language");
        options.sendCommand(ok ? qv::WOptions::IdOk : qv::WOptions::IdCancel);
        if (!ok) {
            EXPECT_EQ(app.traductor().currentLanguage(), "eng") << "cancelled";
            EXPECT_EQ(app.profile().getString("lang"), "eng");
        }
    }

    EXPECT_EQ(app.traductor().currentLanguage(), "deu");
    EXPECT_EQ(app.profile().getString("lang"), "deu");
    const std::string germanOpen = app.caption(101), germanTidy = app.caption(1103);
    EXPECT_NE(germanOpen, englishOpen);
    EXPECT_NE(germanTidy, englishTidy);
    ASSERT_FALSE(s.window().windowMenu().items().empty());
    EXPECT_EQ(s.window().windowMenu().items().front().text, germanOpen);
    ASSERT_FALSE(s.window().boxes().empty());
    for (const auto& box : s.window().boxes())
        EXPECT_EQ(box->windowMenu().items().front().text, germanTidy);
}

}  // namespace
