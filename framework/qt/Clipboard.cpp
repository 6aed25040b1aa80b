#include "framework/qt/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "framework/qt/Text.h"

namespace fw {

void Clipboard::setText(std::string_view text) { QGuiApplication::clipboard()->setText(toQString(text)); }

std::string Clipboard::text() { return fromQString(QGuiApplication::clipboard()->text()); }

}  // namespace fw
