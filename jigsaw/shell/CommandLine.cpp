#include "jigsaw/shell/CommandLine.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace qv {

namespace {

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::string trimmed(const std::string& s)
{
    size_t a = 0, b = s.size();
    while (a < b && std::isspace(static_cast<unsigned char>(s[a])))
        ++a;
    while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1])))
        --b;
    return s.substr(a, b - a);
}

bool isPictureExtension(const std::string& ext)
{
    static const std::array<const char*, 6> kPictures = {".jpg", ".jpe", ".jpeg", ".jfif", ".bmp", ".gif"};
    return std::any_of(kPictures.begin(), kPictures.end(), [&](const char* p) { return ext == p; });
}

bool parseInstallSwitch(const std::string& text, CommandLine& out)
{
    static const std::array<const char*, 5> kSwitches = {"@setup", "@remove", "@instalfiles", "@instalpack",
                                                         "@instalprogman"};
    const std::string low = lower(text);
    for (const char* s : kSwitches) {
        const std::string sw = s;
        if (low.compare(0, sw.size(), sw) != 0)
            continue;
        const std::string rest = trimmed(text.substr(sw.size()));
        // Only the last switch takes an argument; "@setupX" is no switch.
        if (!rest.empty() && sw != "@instalprogman")
            continue;
        out.kind = CommandLine::Kind::Install;
        out.installSwitch = sw;
        if (lower(rest).rfind("/lang:", 0) == 0)
            out.language = trimmed(rest.substr(6));
        return true;
    }
    return false;
}

}  // namespace

CommandLine CommandLine::parse(std::string text)
{
    CommandLine out;
    text = trimmed(text);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = trimmed(text.substr(1, text.size() - 2));
    if (text.empty())
        return out;
    if (text.front() == '@' && parseInstallSwitch(text, out))
        return out;
    out.path = std::filesystem::path(text);
    out.kind = KindOfPath(out.path);
    return out;
}

CommandLine::Kind CommandLine::KindOfPath(const std::filesystem::path& path)
{
    const std::string ext = lower(path.extension().string());
    if (isPictureExtension(ext))
        return Kind::Picture;
    if (ext == ".puz")
        return Kind::Puzzle;
    if (ext == ".sav")
        return Kind::SavedGame;
    return Kind::OtherPath;
}

}  // namespace qv
