#include "jigsaw/shell/OptionTexts.h"

namespace qv {

std::string fillText(std::string text, const std::string& insert)
{
    const size_t at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, insert);
    return text;
}

std::string plainCaption(std::string caption)
{
    std::string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size() && caption[i + 1] != '&')
            continue;
        out += caption[i];
    }
    while (!out.empty() && (out.back() == '.' || out.back() == ' '))
        out.pop_back();
    return out;
}

}  // namespace qv
