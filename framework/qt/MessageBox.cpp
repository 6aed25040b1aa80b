#include "framework/qt/MessageBox.h"

#include <QApplication>
#include <QWidget>

#include "framework/Traductor.h"
#include "framework/TraductorFormat.h"
#include "framework/qt/MUBox.h"
#include "framework/qt/UiText.h"

namespace fw {

namespace {

bool hasConversion(const std::string& text)
{
    for (size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + 2)) {
        if (at + 1 < text.size() && text[at + 1] != '%')
            return true;
    }
    return false;
}

}  // namespace

int ShowMessage(QWidget* parent, const std::string& text, const std::string& caption, unsigned style,
                int helpContext)
{
    MUBox box(parent, MarkupMessage(text, caption, style), helpContext);
    return box.Execute();
}

std::string MessageText(int id, const std::string& insert, const std::string& detail)
{
    std::string text = UiText::lookup(Traductor::Text, id);
    if (text.empty())
        text = "#" + std::to_string(id);
    text = Traductor::FillIda(std::move(text), UiText::lookup(Traductor::Context, 0));
    if (hasConversion(text))
        text = formatText(text, {insert});
    else if (!insert.empty())
        text += "\n" + insert;
    return detail.empty() ? text : text + "\n" + detail;
}

int ShowMessageId(QWidget* parent, int id, const std::string& insert, const std::string& caption, unsigned style,
                  int helpContext)
{
    return ShowMessage(parent, MessageText(id, insert), caption, style, helpContext);
}

std::string SystemErrorText(int number)
{
    std::string text = UiText::lookup(Traductor::ErrorMessage, number);
    return text.empty() ? "Error #" + std::to_string(number) : text;
}

int ShowStatus(QWidget* parent, const Status& status)
{
    const std::string detail =
        status.detail.empty() && status.systemError != 0 ? SystemErrorText(status.systemError) : status.detail;
    return ShowMessage(parent, MessageText(status.id, status.text, detail), "Error", mb::Ok | mb::IconStop);
}

void InstallUnexpectedBox()
{
    SetUnexpectedHandler([](const std::string& text, const std::string& title) {
        ShowMessage(QApplication::activeWindow(), text, title, mb::OkCancel);
    });
}

}  // namespace fw
