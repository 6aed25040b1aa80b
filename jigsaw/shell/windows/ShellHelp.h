#pragma once
#include <filesystem>
#include <functional>
#include <optional>
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

private:
    std::vector<std::filesystem::path> candidates() const;

    std::filesystem::path m_programDir;
    std::optional<HelpIndex> m_index;
    Opener m_open;
};

}  // namespace qv
