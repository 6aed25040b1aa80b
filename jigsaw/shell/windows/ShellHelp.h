#pragma once
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/Status.h"
#include "jigsaw/shell/HelpIndex.h"

class QUrl;

namespace qv {

// Opens the program's HTML help in the user's browser at a topic. The pages
// are looked for beside the program (the build and the installed program's
// private folder), then in the system's shared data folders.
class ShellHelp {
public:
    using Opener = std::function<bool(const QUrl&)>;

    explicit ShellHelp(std::filesystem::path programDir);

    // Tests look at the address instead of starting a browser.
    void setOpener(Opener opener) { m_open = std::move(opener); }
    // Messages of help that cannot be shown.
    enum : int { NoHelpPages = 1060, NoHelpViewer = 1061 };

    // Fails with NoHelpPages (naming the folder the pages belong in) or
    // NoHelpViewer (naming the page) when the help cannot be shown.
    fw::Status Show(int topic);
    // The folder of the help pages, or nullopt when there is none.
    std::optional<std::filesystem::path> folder();

    // The key page's list is the program's own, in the player's language:
    // the pages are shown from a copy in copyFolder whose key page holds the
    // list as made now. Without a copy (the folder cannot be written) the
    // installed pages are shown, with the list they were shipped with.
    using KeyList = std::function<std::string()>;  // the list's HTML, UTF-8
    void setKeyList(std::filesystem::path copyFolder, KeyList list);
    static constexpr const char* KeyPage = "keys.html";
    static constexpr const char* ListStart = "<!-- key list -->";
    static constexpr const char* ListEnd = "<!-- end of key list -->";
    // The page with the text between its marks replaced by the list; the
    // page as it is when it lacks the marks.
    static std::string WithKeyList(const std::string& page, const std::string& list);

private:
    std::vector<std::filesystem::path> candidates() const;
    std::optional<std::filesystem::path> copyWithKeyList() const;

    std::filesystem::path m_programDir;
    bool m_looked = false;
    std::optional<std::filesystem::path> m_installed;
    std::optional<HelpIndex> m_index;
    Opener m_open;
    std::filesystem::path m_copyFolder;
    KeyList m_keyList;
};

}  // namespace qv
