#pragma once
#include <filesystem>
#include <memory>
#include <optional>

#include "jigsaw/library/windows/WMakePuzzke.h"
#include "jigsaw/shell/windows/ShellParts.h"

class QWidget;

namespace qv {

class BoxOptionsHost;
class NewPuzzleHost;
class ShellHelp;
class WPuz;
struct CaptionFacts;
struct OpenChoice;

// The modal windows the commands open over the play window, each made with
// what it needs and its help button wired. They answer what the user chose;
// the commands decide what follows (opening, saving, cutting again).
class ShellDialogs {
public:
    explicit ShellDialogs(const ShellParts& parts);
    ~ShellDialogs();
    void attach(WPuz& window) { m_window = &window; }

    ShellHelp& help() { return *m_help; }
    void showHelp(int topic);
    // The library, shown again while it answers "again"; what it chose.
    std::optional<OpenChoice> library();
    WMakePuzzke::Result makePuzzle(bool atStartUp);
    // The new-puzzle operation and its editor; the puzzle it wrote.
    std::optional<std::filesystem::path> newPuzzle(const std::filesystem::path& picture, NewPuzzleHost& host);
    void options();
    // Over the play window, or over the options window whose button opened it.
    void advanced(QWidget* over);
    void boxOptions(int box, BoxOptionsHost& host);
    void print(const CaptionFacts& facts);
    // The save-as dialog's answer (saveas:: in SaveAsRules.h).
    int saveAs(bool saveAsMode);
    // The table's background; true when the player changed it.
    bool background();
    void credits();
    // A saved game with a password asks for it: false when it was not given right.
    bool passwordGiven(const std::filesystem::path& savedGame);

private:
    WPuz& window() const;
    std::string text(int id) const;

    ShellParts m_parts;
    WPuz* m_window = nullptr;
    std::unique_ptr<ShellHelp> m_help;
};

}  // namespace qv
