#pragma once
#include <QLocale>
#include <QString>
#include <QWidget>
#include <optional>

#include "minefield/Texts.h"

namespace mf {

// The language the windows speak: the one the player chose, or else the
// session's. Changing it takes effect with the next text looked up.
void ChooseLanguage(std::optional<Language> chosen);
Language ShownLanguage();
// Where the compiled translations (mvro_de.qm ...) are read from; the
// program's own resources unless a test points elsewhere.
void SetTranslationFolder(const QString& folder);
QString TranslationFolder();

// A text in the language shown; English where it has no translation (or
// its translation file is missing or damaged).
QString UiText(int id);
std::string UiTextUtf8(int id);

// Numbers written the way the language shown writes them.
QLocale UiLocale();

// A dialog shows a title and a close box, and never the minimise or
// maximise buttons a window manager would give a window that asks nothing.
inline constexpr Qt::WindowFlags DialogFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

inline void MakePlainDialog(QWidget* dialog) { dialog->setWindowFlags(DialogFlags); }

}  // namespace mf
