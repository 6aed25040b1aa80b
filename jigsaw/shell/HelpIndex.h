#pragma once
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qv {

// Where each help topic lives among the program's HTML help pages. A topic
// is an anchor id="t<number>" in one of the pages; the pages are read once,
// so a page added or reworded needs no change here. Topics no page holds,
// and the contents themselves, open the contents page.
//
//   HelpIndex help(*HelpIndex::FindFolder({programDir / "help", dataDir / "help"}));
//   help.PageOf(110)  ->  "boxes.html#t110"
class HelpIndex {
public:
    static constexpr const char* ContentsPage = "index.html";
    static constexpr int Contents = 0;

    // The first of the folders that holds the contents page.
    static std::optional<std::filesystem::path> FindFolder(const std::vector<std::filesystem::path>& candidates);

    explicit HelpIndex(std::filesystem::path folder);

    const std::filesystem::path& folder() const { return m_folder; }
    // The page of the topic and its anchor, relative to the folder.
    std::string PageOf(int topic) const;
    // The same as a full path and the anchor on its own ("" for the contents).
    std::filesystem::path FileOf(int topic) const;
    std::string AnchorOf(int topic) const;

private:
    void readPage(const std::filesystem::path& page);

    std::filesystem::path m_folder;
    std::map<int, std::string> m_pages;  // topic -> page file name
};

}  // namespace qv
