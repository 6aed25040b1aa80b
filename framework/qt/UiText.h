#pragma once
#include <QString>
#include <functional>
#include <string>
#include <string_view>

namespace fw {

// Where the window layer takes its translated texts (menu entries and
// button captions: kind 4, by command or control id). The program points it
// at its translation layer once at start-up; until then texts come out
// empty. One source for the process on purpose, as the toolkit's own
// translators are: the language is the program's, and every window follows
// a change of it at once.
class UiText {
public:
    using Source = std::function<std::string(int kind, int id)>;

    static void setSource(Source source);
    static std::string lookup(int kind, int id);
    // The text, or the English fallback while the translation files lack it.
    static std::string lookupOr(int kind, int id, std::string_view fallback);
    static QString text(int kind, int id);
};

}  // namespace fw
