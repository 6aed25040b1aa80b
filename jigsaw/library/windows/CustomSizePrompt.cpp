#include "jigsaw/library/windows/CustomSizePrompt.h"

#include <QLineEdit>

#include "framework/Markup.h"
#include "framework/qt/MUBox.h"
#include "jigsaw/library/windows/LibraryTexts.h"

namespace qv {

namespace {

// Braces in a title must not end the token that carries it.
std::string braceless(std::string text)
{
    for (char& c : text) {
        if (c == '{')
            c = '(';
        else if (c == '}')
            c = ')';
    }
    return text;
}

}  // namespace

std::string CustomSizeMarkup(const std::string& title)
{
    return "{TIT:" + braceless(libtext::text(503, "Puzzle:") + " " + title) + "}{+0,6}{STR:" +
           braceless(libtext::text(857, "How many pieces would you like?")) + "}{LIN}{+0,+6}{inp:XXXXXXXX/limittext:7}" +
           "{+6,+0}{STR:" + braceless(libtext::text(500, "pieces")) + "}{LIN}{+0,+12}{btns{OK}{CANCEL}{HELP}}";
}

std::optional<std::string> AskCustomSize(QWidget* parent, const std::string& title, int helpTopic)
{
    fw::MUBox box(parent, CustomSizeMarkup(title), helpTopic);
    box.prepare();
    if (auto* edit = qobject_cast<QLineEdit*>(box.control(fw::mubox::FirstField)))
        edit->setPlaceholderText("(9999)");
    if (box.Execute() != fw::mb::IdOk)
        return std::nullopt;
    return box.fieldText(fw::mubox::FirstField);
}

}  // namespace qv
