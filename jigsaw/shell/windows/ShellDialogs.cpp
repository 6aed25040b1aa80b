#include "jigsaw/shell/windows/ShellDialogs.h"

#include <QApplication>
#include <cassert>

#include "framework/Background.h"
#include "framework/Markup.h"
#include "framework/Traductor.h"
#include "framework/qt/MessageBox.h"
#include "framework/qt/WBkgChoose.h"
#include "jigsaw/document/PictureFormats.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/library/Library.h"
#include "jigsaw/library/SavedGameHead.h"
#include "jigsaw/library/windows/WLibrary.h"
#include "jigsaw/library/windows/WPassw.h"
#include "jigsaw/library/windows/WSaveAs.h"
#include "jigsaw/play/windows/WBox.h"
#include "jigsaw/play/windows/WPuz.h"
#include "jigsaw/print/windows/WPrint.h"
#include "jigsaw/shell/CommandTable.h"
#include "jigsaw/shell/GameFolders.h"
#include "jigsaw/shell/ProgramName.h"
#include "jigsaw/shell/windows/CreditsShow.h"
#include "jigsaw/shell/windows/NewPuzzle.h"
#include "jigsaw/shell/windows/ShellHelp.h"
#include "jigsaw/shell/windows/WAdvanced.h"
#include "jigsaw/shell/windows/WEdPuz.h"
#include "jigsaw/shell/windows/WOptions.h"
#include "jigsaw/shell/windows/WOptsBox.h"

namespace qv {

namespace {

constexpr int kWrongPassword = 4610;

}  // namespace

ShellDialogs::ShellDialogs(const ShellParts& parts)
    : m_parts(parts), m_help(std::make_unique<ShellHelp>(parts.programDir))
{
    // The help's key list comes from the key table, in the player's language.
    m_help->setKeyList(parts.folders.cacheFolder() / "help-pages", [this] {
        const fw::Traductor& t = m_parts.traductor;
        const auto caption = [&t](int id, int variant) { return t.Lookup(fw::Traductor::Caption, id, variant); };
        const auto text = [&t](int id) { return t.Lookup(fw::Traductor::Text, id); };
        const auto words = [&t](int w) { return t.Lookup(fw::Traductor::VariantText, commands::KeyWordsText, w); };
        return commands::keyListHtml(commands::keyList(caption, text, words), text);
    });
}

ShellDialogs::~ShellDialogs() = default;

WPuz& ShellDialogs::window() const
{
    assert(m_window);
    return *m_window;
}

std::string ShellDialogs::text(int id) const { return m_parts.traductor.Lookup(fw::Traductor::Text, id); }

void ShellDialogs::showHelp(int topic)
{
    const fw::Status status = m_help->Show(topic);
    if (!status.ok())
        fw::ShowMessageId(QApplication::activeWindow(), status.id, status.text, program::LongName,
                          fw::mb::Ok | fw::mb::IconInformation);
}

std::optional<OpenChoice> ShellDialogs::library()
{
    // New and removed shelves and moved puzzles answer "again": the window
    // is shown anew over the changed shelves.
    for (;;) {
        WLibrary library(&window(), m_parts.library);
        library.setHelp([this](int topic) { showHelp(topic); });
        const int result = library.Exec();
        if (result == WLibrary::IdAgain)
            continue;
        if (result != WLibrary::IdOk)
            return std::nullopt;
        return library.choice();
    }
}

WMakePuzzke::Result ShellDialogs::makePuzzle(bool atStartUp)
{
    WMakePuzzke dialog(&window(), m_parts.profile, atStartUp);
    dialog.setNewPuzzleRunning(&NewPuzzle::running);
    dialog.setHelp([this](int topic) { showHelp(topic); });
    return dialog.Exec();
}

std::optional<std::filesystem::path> ShellDialogs::newPuzzle(const std::filesystem::path& picture,
                                                             NewPuzzleHost& host)
{
    NewPuzzle operation(&window(), m_parts.library, host, m_parts.display);
    operation.setEditorRun([this](WEdPuz& editor) {
        editor.setHelp([this](int topic) { showHelp(topic); });
        return editor.Exec();
    });
    return operation.FromPicture(picture);
}

void ShellDialogs::options()
{
    WOptions dialog(&window(), m_parts.options, m_parts.profile, m_parts.programDir, &m_parts.traductor);
    dialog.setHelp([this](int topic) { showHelp(topic); });
    dialog.setAdvanced([this, &dialog] { advanced(&dialog); });
    dialog.RunModal();
}

void ShellDialogs::advanced(QWidget* over)
{
    const bool pieces = m_parts.puz.pieceCount() > 0;
    WAdvanced dialog(over ? over : &window(), m_parts.profile, m_parts.options, pieces ? &m_parts.puz : nullptr,
                     m_parts.programDir / "qvrk32", std::string(program::LongName) + " 2.00");
    dialog.RunModal();
}

void ShellDialogs::boxOptions(int box, BoxOptionsHost& host)
{
    WOptsBox dialog(window().boxes()[box].get(), m_parts.puz, box, m_parts.options, host, m_parts.programDir, true);
    dialog.setHelp([this](int topic) { showHelp(topic); });
    dialog.RunModal();
}

void ShellDialogs::print(const CaptionFacts& facts)
{
    // The table as the player chose it, texture and all; white paper when
    // the game never chose one.
    fw::Background paper;
    const fw::Background* background = m_parts.puz.background.empty() ? &paper : &window().tableBackground();
    PrintDialog(&window(), m_parts.puz, background, facts);
}

int ShellDialogs::saveAs(bool saveAsMode)
{
    WSaveAs dialog(&window(), m_parts.puz, m_parts.library.shelves().CurrentDirectory(), saveAsMode);
    dialog.setHelp([this](int topic) { showHelp(topic); });
    return dialog.Exec();
}

bool ShellDialogs::background()
{
    // The table's own background: what the window picks shows on the table.
    fw::WBkg::Places places;
    places.puzzlesRoot = m_parts.folders.cacheFolder();
    places.texturesDir = WPuz::texturesFolder();
    places.reader = readPictureFile;
    return fw::ChooseBackground(&window(), window().tableBackground(), m_parts.profile, places);
}

void ShellDialogs::credits()
{
    CreditsShow::run(CreditsShow::Facts{m_parts.puz, [this](int id) { return text(id); }, m_parts.programDir},
                     &window(), m_parts.options, m_parts.player);
}

bool ShellDialogs::passwordGiven(const std::filesystem::path& file)
{
    SavedGameHead head;
    // An unreadable head is reported by the opening itself.
    if (!SavedGameHead::read(file, head).ok() || head.password.empty())
        return true;
    const std::optional<std::string> typed = PasswordPrompt(&window(), file.filename().string());
    if (!typed)
        return false;
    if (!PasswordMatches(head.password, *typed)) {
        fw::ShowMessage(&window(), text(kWrongPassword), program::LongName, fw::mb::Ok | fw::mb::IconStop);
        return false;
    }
    return true;
}

}  // namespace qv
