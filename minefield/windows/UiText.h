#pragma once
#include <QLocale>
#include <QString>
#include <QWidget>

#include "minefield/Texts.h"

namespace mf {

// A text of our own in the language of the session.
inline QString UiText(int id)
{
    const std::string_view text = Text(id, SessionLanguage());
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// Numbers written the way the session's language writes them.
inline QLocale UiLocale()
{
    switch (SessionLanguage()) {
    case Language::Spanish:
        return QLocale(QLocale::Spanish, QLocale::Spain);
    case Language::Catalan:
        return QLocale(QLocale::Catalan, QLocale::Spain);
    case Language::German:
        return QLocale(QLocale::German, QLocale::Germany);
    case Language::French:
        return QLocale(QLocale::French, QLocale::France);
    case Language::Italian:
        return QLocale(QLocale::Italian, QLocale::Italy);
    case Language::English:
        break;
    }
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

// A dialog shows a title and a close box, and never the minimise or
// maximise buttons a window manager would give a window that asks nothing.
inline constexpr Qt::WindowFlags DialogFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

inline void MakePlainDialog(QWidget* dialog) { dialog->setWindowFlags(DialogFlags); }

}  // namespace mf
