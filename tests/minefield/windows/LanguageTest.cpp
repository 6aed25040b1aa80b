#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTableWidget>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QToolButton>
#include <QTranslator>
#include <set>

#include "FrameFixture.h"
#include "GuiTestSupport.h"
#include "minefield/windows/Commands.h"
#include "minefield/windows/UiText.h"

using namespace mf;
using mftest::FrameFixture;
using mftest::WaitUntil;
using mftest::WhenModal;

namespace {

QString Code(Language language)
{
    return QString::fromLatin1(LanguageCode(language).data(), qsizetype(LanguageCode(language).size()));
}

QString English(int id) { return QString::fromUtf8(Text(id).data(), qsizetype(Text(id).size())); }

// Translations read from another folder for one test.
class FolderScope {
public:
    explicit FolderScope(const QString& folder) : m_old(TranslationFolder()) { SetTranslationFolder(folder); }
    ~FolderScope() { SetTranslationFolder(m_old); }

private:
    QString m_old;
};

std::string Ini(const std::string& language)
{
    return "[MVRO]\r\nTEXTURE=0\r\n" + (language.empty() ? std::string() : "MvLanguage=" + language + "\r\n");
}

QString MenuTitle(TMyFrameWindow& frame, int index) { return frame.menuBar()->actions().at(index)->text(); }

QChar Mnemonic(const QString& text)
{
    const qsizetype at = text.indexOf('&');
    return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toLower() : QChar();
}

}  // namespace

TEST(Texts, EveryTextIsThereInEveryLanguage)
{
    mftest::App();
    std::vector<std::set<QString>> distinct(size_t(text::Last) + 1);
    for (int id = 1; id <= text::Last; ++id)
        distinct[size_t(id)].insert(English(id));
    const QRegularExpression placeholder(QStringLiteral("%[0-9d]"));
    for (Language language : AllLanguages) {
        if (language == Language::English)
            continue;
        QTranslator translator;
        ASSERT_TRUE(translator.load("mvro_" + Code(language), TranslationFolder())) << Code(language).toStdString();
        for (int id = 1; id <= text::Last; ++id) {
            SCOPED_TRACE("text " + std::to_string(id) + " language " + Code(language).toStdString());
            const QString english = English(id);
            const QString translated =
                translator.translate("mvro", english.toUtf8().constData(), QByteArray::number(id).constData());
            EXPECT_FALSE(translated.isEmpty());
            distinct[size_t(id)].insert(translated);
            // The same places for the numbers and names put in, and a mnemonic where English has one.
            QStringList want, got;
            for (const auto& m : placeholder.globalMatch(english))
                want << m.captured();
            for (const auto& m : placeholder.globalMatch(translated))
                got << m.captured();
            EXPECT_EQ(got, want) << translated.toStdString();
            EXPECT_EQ(translated.count('&'), english.count('&')) << translated.toStdString();
        }
    }
    // A text left in English everywhere would show up as one.
    for (int id = 1; id <= text::Last; ++id)
        EXPECT_GT(distinct[size_t(id)].size(), 1u) << "text " << id;
}

// English is the texts as written, also where a translation cannot be read.
TEST(Language, EnglishIsAsWrittenAndAMissingOrDamagedTranslationFallsBackToIt)
{
    QTemporaryDir folder;
    {
        QFile damaged(folder.filePath("mvro_de.qm"));
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        damaged.write(QByteArray(300, '\x3c'));
        QFile real(":/mvro/lang/mvro_it.qm");
        ASSERT_TRUE(real.open(QIODevice::ReadOnly));
        QFile cut(folder.filePath("mvro_it.qm"));
        ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
        cut.write(real.readAll().left(int(real.size() / 2)));
    }
    const std::pair<int, const char*> written[] = {
        {cmd::New, "&New"},
        {cmd::BestTimes, "&Best times..."},
        {cmd::Exit, "E&xit"},
        {cmd::ShapeSquare, "&Square (classic)"},
        {cmd::ShapeDiamond, "&Diamond"},
        {cmd::ShapeBrick, "&Brick"},
        {cmd::ShapeTriangle, "&Triangle"},
        {cmd::ShapeShifted, "S&hifted Triangle"},
        {cmd::ShapeHexagon, "&Hexagon"},
        {cmd::LevelBeginner, "&Beginner"},
        {cmd::LevelBeginner + 1, "&Novice"},
        {cmd::LevelBeginner + 2, "&Intermediate"},
        {cmd::LevelBeginner + 3, "&Advanced"},
        {cmd::LevelExpert, "&Expert"},
        {cmd::BackgroundColor, "Set &background color..."},
        {cmd::Texture1, "Use texture &1"},
        {cmd::Texture2, "Use texture &2"},
        {cmd::Texture3, "Use texture &3"},
        {cmd::Texture4, "Use texture &4"},
        {cmd::LoadTexture, "&Load texture..."},
        {cmd::NoTexture, "&No texture"},
        {cmd::Sound, "&Sound on"},
        {cmd::HelpContents, "&Help contents"},
        {cmd::HomePage, "&Visit Minevaro home page"},
        {cmd::About, "&About..."},
    };
    struct Case {
        const char* what;
        QString folder;
        const char* language;
    };
    const Case cases[] = {
        {"English chosen", TranslationFolder(), "en"},
        {"German from a damaged file", folder.path(), "de"},
        {"Italian from a file cut in half", folder.path(), "it"},
        {"French without a file", folder.path(), "fr"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        FolderScope scope(k.folder);
        FrameFixture f(Ini(k.language));
        QStringList titles;
        for (QAction* menu : f.frame->menuBar()->actions())
            titles << menu->text();
        EXPECT_EQ(titles.join('|'), "&Game|&Cells|&Level|&Options|&View|&Help");
        for (const auto& [id, text] : written) {
            QAction* action = nullptr;
            for (QAction* a : f.frame->findChildren<QAction*>())
                if (a->data().toInt() == id)
                    action = a;
            ASSERT_NE(action, nullptr) << id;
            EXPECT_EQ(action->text(), text);
        }
        EXPECT_EQ(f.frame->ClockText(), "Time: 00:00:00");
        EXPECT_EQ(f.frame->findChild<QToolButton*>("newButton")->toolTip(), "New game");
        EXPECT_EQ(UiText(text::BestNamePrompt), " You have the best time. Please enter your name:");
        EXPECT_EQ(UiText(text::BestTimesTitle).arg(UiText(text::ShapeSquare + 4)), "Best Times - Shifted Triangle");
        EXPECT_TRUE(f.frame->IsChecked(cmd::LanguageFirst + int(*LanguageFromCode(k.language))));
    }
}

// The menu switches at once; the game in play, its clock and its marks go on.
TEST(Language, TheMenuSwitchesALiveWindowAndKeepsTheGame)
{
    mftest::LanguageScope session("en");
    FrameFixture f(Ini(""));
    f.frame->Command(cmd::LevelBeginner + 1);
    f.frame->Command(cmd::NoTexture);
    CellPos number{-1, -1};
    for (int32_t r = 0; r < f.Game().Height() && number.c < 0; ++r)
        for (int32_t c = 0; c < f.Game().Width() && number.c < 0; ++c)
            if (f.Game().Cell({c, r}).value > 0 && f.Game().Cell({c, r}).value < 9)
                number = {c, r};
    f.Click(number);
    ASSERT_EQ(f.Game().Cell(number).state, 1);
    const std::vector<CellPos> mines = f.Game().MinePositions();
    f.PassSeconds(3);
    ASSERT_EQ(MenuTitle(*f.frame, 0), "&Game");

    struct Case {
        Language language;
        const char* game;
        const char* clock;
    };
    const Case cases[] = {
        {Language::German, "&Spiel", "Zeit: 00:00:03"},
        {Language::Catalan, "&Joc", "Temps: 00:00:03"},
        {Language::French, "&Partie", "Temps\u00A0: 00:00:03"},
        {Language::English, "&Game", "Time: 00:00:03"},
        {Language::German, "&Spiel", "Zeit: 00:00:03"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(Code(k.language).toStdString());
        f.frame->Command(cmd::LanguageFirst + int(k.language));
        QApplication::processEvents();
        EXPECT_EQ(ShownLanguage(), k.language);
        EXPECT_EQ(MenuTitle(*f.frame, 0), QString::fromUtf8(k.game));
        EXPECT_EQ(f.frame->ClockText(), QString::fromUtf8(k.clock));
        for (Language other : AllLanguages)
            EXPECT_EQ(f.frame->IsChecked(cmd::LanguageFirst + int(other)), other == k.language);
        // The game and every other check mark as they were.
        EXPECT_EQ(f.Game().Cell(number).state, 1);
        EXPECT_EQ(f.Game().MinePositions(), mines);
        EXPECT_TRUE(f.frame->ClockRunning());
        EXPECT_TRUE(f.frame->IsChecked(cmd::LevelBeginner + 1));
        EXPECT_TRUE(f.frame->IsChecked(cmd::NoTexture));
        EXPECT_TRUE(f.frame->IsChecked(cmd::Sound));
        EXPECT_TRUE(f.frame->IsChecked(cmd::ZoomFirst));
        // The new menus work.
        auto* more = f.frame->menuBar()->findChild<QToolButton*>("qt_menubar_ext_button");
        ASSERT_NE(more, nullptr);
        EXPECT_FALSE(more->isVisible()) << "menu bar " << f.frame->menuBar()->width() << " px";
    }
    f.PassSeconds(2);
    EXPECT_EQ(f.frame->ClockText(), "Zeit: 00:00:05");
    f.frame->Command(cmd::Pause);
    EXPECT_TRUE(f.frame->Paused());
    EXPECT_TRUE(f.frame->IsChecked(cmd::Pause));
}

// The choice is kept in a key of our own; without one, or with one that is
// none of ours, the session's language shows.
TEST(Language, TheChoiceIsKeptInAKeyOfOurOwnAndTheSessionDecidesWithoutIt)
{
    struct Case {
        const char* what;
        const char* session;
        const char* stored;       // MvLanguage as the file has it ("" absent)
        int choose;               // a language chosen in the menu, or -1
        const char* game;         // the first menu's title then
        const char* written;      // MvLanguage after the window is closed ("-" absent)
    };
    const Case cases[] = {
        {"no key, German session", "de_DE", "", -1, "&Spiel", "-"},
        {"no key, unknown session", "pt_BR", "", -1, "&Game", "-"},
        {"key over the session", "fr", "es", -1, "&Juego", "es"},
        {"English chosen over a German session", "de", "en", -1, "&Game", "en"},
        {"unknown key kept, session shows", "it", "xx", -1, "&Partita", "xx"},
        {"damaged key", "ca", "\xC3\x28 de", -1, "&Joc", "\xC3\x28 de"},
        {"chosen in the menu", "de", "", int(Language::Italian), "&Partita", "it"},
        {"chosen over an unknown key", "de", "zz", int(Language::Spanish), "&Juego", "es"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        mftest::LanguageScope session(k.session);
        std::string before;
        {
            FrameFixture f(Ini(k.stored));
            if (k.choose >= 0)
                f.frame->Command(cmd::LanguageFirst + k.choose);
            EXPECT_EQ(MenuTitle(*f.frame, 0), QString::fromUtf8(k.game));
            const std::string path = f.IniPath().toStdString();
            f.frame.reset();
            IniFile ini;
            ini.Load(path);
            EXPECT_EQ(ini.GetString("MVRO", "MvLanguage", "-", 253), k.written);
            before = ini.Text();
            // The next start speaks the language the window closed with.
            f.WriteIni(before);
            TMyFrameWindow::Options options;
            options.iniPath = f.IniPath();
            TMyFrameWindow again(options);
            EXPECT_EQ(MenuTitle(again, 0), QString::fromUtf8(k.game));
        }
        // A window closed: texts follow the session again.
        EXPECT_EQ(ShownLanguage(), SessionLanguage());
    }
}

// In every language the entries of one menu have mnemonics of their own
// (English keeps its menus as written).
TEST(Language, EveryMenuHasDistinctMnemonicsInEveryTranslation)
{
    FrameFixture f(Ini(""));
    for (Language language : AllLanguages) {
        if (language == Language::English)
            continue;
        SCOPED_TRACE(Code(language).toStdString());
        f.frame->Command(cmd::LanguageFirst + int(language));
        std::vector<QMenu*> menus;
        for (QAction* top : f.frame->menuBar()->actions())
            menus.push_back(top->menu());
        std::map<QChar, QString> bar;
        for (QAction* top : f.frame->menuBar()->actions()) {
            const QChar key = Mnemonic(top->text());
            EXPECT_FALSE(key.isNull()) << top->text().toStdString();
            EXPECT_TRUE(bar.emplace(key, top->text()).second) << top->text().toStdString() << " / " << bar[key].toStdString();
        }
        for (size_t i = 0; i < menus.size(); ++i) {
            std::map<QChar, QString> seen;
            for (QAction* entry : menus[i]->actions()) {
                if (entry->isSeparator())
                    continue;
                if (entry->menu())
                    menus.push_back(entry->menu());
                const QChar key = Mnemonic(entry->text());
                if (key.isNull())
                    continue;  // the zoom steps
                EXPECT_TRUE(seen.emplace(key, entry->text()).second)
                    << entry->text().toStdString() << " / " << seen[key].toStdString();
            }
        }
    }
}

// No window shows an English text of ours where the language has its own
// words for it: every text goes through the translations.
TEST(Language, NoWindowShowsEnglishInAnotherLanguage)
{
    FrameFixture f(Ini("de"));
    std::set<QString> english;
    for (int id = 1; id <= text::Last; ++id)
        if (UiText(id) != English(id))
            english.insert(English(id));
    // Also "Use texture &1" and its kind, made of a text and a number.
    for (int i = 1; i <= 4; ++i)
        english.insert(English(text::TextureMenu).arg(i));
    english.insert(English(text::ClockLabel) + "00:00:00");

    const auto shows = [](QWidget* window) {
        QStringList texts{window->windowTitle(), window->toolTip()};
        for (QLabel* label : window->findChildren<QLabel*>())
            texts << label->text();
        for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
            texts << button->text() << button->toolTip();
        for (QComboBox* box : window->findChildren<QComboBox*>())
            for (int i = 0; i < box->count(); ++i)
                texts << box->itemText(i);
        for (QTableWidget* table : window->findChildren<QTableWidget*>())
            for (int c = 0; c < table->columnCount(); ++c)
                texts << table->horizontalHeaderItem(c)->text();
        for (QAction* action : window->findChildren<QAction*>())
            texts << action->text() << action->iconText();
        return texts;
    };
    const auto expectNoEnglish = [&](const QStringList& texts, const char* where) {
        for (const QString& t : texts)
            EXPECT_EQ(english.count(t), 0u) << where << ": \"" << t.toStdString() << '"';
    };
    QApplication::processEvents();
    expectNoEnglish(shows(f.frame.get()), "main window");
    const std::pair<int, const char*> dialogs[] = {
        {cmd::BestTimes, "best times"}, {cmd::Statistics, "statistics"},
        {cmd::LevelCustom, "custom board"}, {cmd::About, "about"}};
    for (const auto& [id, where] : dialogs) {
        QStringList texts;
        bool seen = false;
        WhenModal<QDialog>([&](QDialog* d) {
            texts = shows(d);
            seen = true;
            d->reject();
        });
        f.frame->Command(id);
        ASSERT_TRUE(WaitUntil([&] { return seen; })) << where;
        EXPECT_GT(texts.size(), 3) << where;
        expectNoEnglish(texts, where);
    }
}
