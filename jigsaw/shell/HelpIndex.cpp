#include "jigsaw/shell/HelpIndex.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace qv {

namespace {

// Help pages are a few kilobytes; anything far larger is not one of ours.
constexpr std::uintmax_t kLargestPage = 1 << 20;
constexpr int kLargestTopic = 99999;

bool isPage(const fs::directory_entry& e)
{
    std::error_code ec;
    if (!e.is_regular_file(ec))
        return false;
    std::string ext = e.path().extension().string();
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return (ext == ".html" || ext == ".htm") && e.file_size(ec) <= kLargestPage && !ec;
}

}  // namespace

std::optional<fs::path> HelpIndex::FindFolder(const std::vector<fs::path>& candidates)
{
    for (const fs::path& dir : candidates) {
        std::error_code ec;
        if (!dir.empty() && fs::is_regular_file(dir / ContentsPage, ec))
            return dir;
    }
    return std::nullopt;
}

HelpIndex::HelpIndex(fs::path folder) : m_folder(std::move(folder))
{
    std::error_code ec;
    // Sorted, so that a topic found on two pages always opens the same one.
    std::vector<fs::path> pages;
    for (const auto& e : fs::directory_iterator(m_folder, ec)) {
        if (isPage(e))
            pages.push_back(e.path());
    }
    std::sort(pages.begin(), pages.end());
    for (const fs::path& p : pages)
        readPage(p);
}

void HelpIndex::readPage(const fs::path& page)
{
    std::ifstream in(page, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    static const std::string kMark = "id=\"t";
    for (size_t at = text.find(kMark); at != std::string::npos; at = text.find(kMark, at + 1)) {
        size_t i = at + kMark.size();
        int topic = 0;
        size_t digits = 0;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && topic <= kLargestTopic) {
            topic = topic * 10 + (text[i] - '0');
            ++i;
            ++digits;
        }
        if (digits == 0 || i >= text.size() || text[i] != '"' || topic > kLargestTopic)
            continue;
        m_pages.emplace(topic, page.filename().string());
    }
}

std::string HelpIndex::AnchorOf(int topic) const
{
    return m_pages.count(topic) ? "t" + std::to_string(topic) : std::string();
}

std::string HelpIndex::PageOf(int topic) const
{
    const auto it = m_pages.find(topic);
    if (it == m_pages.end())
        return ContentsPage;
    return it->second + "#" + AnchorOf(topic);
}

fs::path HelpIndex::FileOf(int topic) const
{
    const auto it = m_pages.find(topic);
    return m_folder / (it == m_pages.end() ? std::string(ContentsPage) : it->second);
}

}  // namespace qv
