#include "jigsaw/library/windows/LibraryTexts.h"

#include "framework/qt/UiText.h"

namespace qv::libtext {

std::string text(int kind, int id, std::string_view fallback)
{
    std::string t = fw::UiText::lookup(kind, id);
    return t.empty() ? std::string(fallback) : t;
}

std::string noAmpersand(const std::string& caption)
{
    std::string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size() && caption[i + 1] == '&')
            out += caption[++i];
        else if (caption[i] != '&')
            out += caption[i];
    }
    return out;
}

std::string plain(std::string caption)
{
    std::string out = noAmpersand(caption);
    while (!out.empty() && (out.back() == '.' || out.back() == ' '))
        out.pop_back();
    return out;
}

std::string fill(std::string text, const std::string& insert)
{
    const size_t at = text.find("%s");
    if (at == std::string::npos)
        return text;
    return text.replace(at, 2, insert);
}

}  // namespace qv::libtext
