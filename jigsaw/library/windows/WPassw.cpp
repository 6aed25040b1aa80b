#include "jigsaw/library/windows/WPassw.h"

#include <QLineEdit>

#include "jigsaw/library/windows/LibraryTexts.h"

namespace qv {

WPassw::WPassw(QWidget* parent, const std::string& fileName) : WBaseInfo(parent, fileName)
{
    addText(IdLabel, QRect(12, 14, 90, 24), libtext::text(IdLabel, "Password:"));
    QLineEdit* edit = addEdit(IdPassword, QRect(106, 14, 150, 24), {}, Limit);
    edit->setEchoMode(QLineEdit::Password);
    addButton(IdOk, QRect(76, 52, 86, 28), {}, true);
    addButton(IdCancel, QRect(170, 52, 86, 28));
    setClientSize(268, 92);
    setFocusTo(IdPassword);
}

std::optional<std::string> PasswordPrompt(QWidget* parent, const std::string& fileName)
{
    WPassw w(parent, fileName);
    if (w.RunModal() != WPassw::IdOk)
        return std::nullopt;
    return w.password();
}

}  // namespace qv
