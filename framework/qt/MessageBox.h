#pragma once
#include <string>

#include "framework/Markup.h"
#include "framework/Status.h"

class QWidget;

namespace fw {

// Message boxes in the style of the window system's: text, caption, the
// buttons and icon of `style` (mb::OkCancel | mb::IconQuestion ...), and a
// help topic that adds a Help button. Texts are Windows-1252. The result is
// mb::IdOk, mb::IdCancel, mb::IdYes or mb::IdNo.
int ShowMessage(QWidget* parent, const std::string& text, const std::string& caption, unsigned style,
                int helpContext = 0);

// The translated text `id` (kind 1) with `insert` put in its first
// conversion ("%s"); "@IDA" becomes the program's name. A text without a
// conversion shows the insert on a line of its own below it. A detail (the
// reason behind the message) follows on a line of its own.
std::string MessageText(int id, const std::string& insert = {}, const std::string& detail = {});
int ShowMessageId(QWidget* parent, int id, const std::string& insert, const std::string& caption, unsigned style,
                  int helpContext = 0);

// The translated text of a system error number (kind 3 of the translation
// files); "Error #n" when there is none.
std::string SystemErrorText(int number);

// A failed status as the user sees it: titled "Error", with the stop icon;
// the system's reason follows when the status names one.
int ShowStatus(QWidget* parent, const Status& status);

// Shows internal consistency reports (ReportUnexpected) in an OK/Cancel
// box; the program goes on whichever button is pressed.
void InstallUnexpectedBox();

}  // namespace fw
