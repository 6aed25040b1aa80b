#include "minefield/Texts.h"

#include <cstdlib>

namespace mf {

namespace {

struct Entry {
    int id;
    std::array<const char*, 6> texts;  // in the order of Language
};

const Entry kTexts[] = {
    {text::ResetQuestion,
     {"Reset the best times of all five levels of this cell shape?",
      "\u00BFBorrar los mejores tiempos de los cinco niveles de esta forma de casilla?",
      "Voleu esborrar els millors temps dels cinc nivells d'aquesta forma de casella?",
      "Die Bestzeiten aller f\u00FCnf Stufen dieser Zellform zur\u00FCcksetzen?",
      "Effacer les meilleurs temps des cinq niveaux de cette forme de case\u00A0?",
      "Azzerare i tempi migliori di tutti e cinque i livelli di questa forma di casella?"}},
    {text::Yes, {"&Yes", "&S\u00ED", "&S\u00ED", "&Ja", "&Oui", "&S\u00EC"}},
    {text::No, {"&No", "&No", "&No", "&Nein", "&Non", "&No"}},
    {text::LeftChord,
     {"&Left click on a number opens around it", "&Clic izquierdo en un n\u00FAmero abre a su alrededor",
      "&Clic esquerre en un n\u00FAmero obre al seu voltant", "&Linksklick auf eine Zahl \u00F6ffnet ringsum",
      "Clic &gauche sur un nombre ouvre autour", "Clic &sinistro su un numero apre intorno"}},
    {text::Marks,
     {"&Question marks (?)", "Marcas de &interrogaci\u00F3n (?)", "Marques d'&interrogaci\u00F3 (?)",
      "&Fragezeichen (?)", "Points d'&interrogation (?)", "Punti &interrogativi (?)"}},
    {text::SafeStart,
     {"Safe &first click", "&Primer clic seguro", "&Primer clic segur", "Sicherer &erster Klick",
      "&Premier clic s\u00FBr", "&Primo clic sicuro"}},
    {text::NoHelpViewer,
     {"The help page %1 cannot be shown: no program to show web pages was found.",
      "No se puede mostrar la p\u00E1gina de ayuda %1: no se ha encontrado ning\u00FAn programa para ver p\u00E1ginas web.",
      "No es pot mostrar la p\u00E0gina d'ajuda %1: no s'ha trobat cap programa per veure p\u00E0gines web.",
      "Die Hilfeseite %1 kann nicht angezeigt werden: Es wurde kein Programm zum Anzeigen von Webseiten gefunden.",
      "La page d'aide %1 ne peut pas \u00EAtre affich\u00E9e\u00A0: aucun programme pour afficher les pages web n'a \u00E9t\u00E9 trouv\u00E9.",
      "La pagina della guida %1 non pu\u00F2 essere mostrata: non \u00E8 stato trovato alcun programma per vedere le pagine web."}},
    {text::HelpMissing,
     {"The help file %1 is missing.", "Falta el archivo de ayuda %1.", "Falta el fitxer d'ajuda %1.",
      "Die Hilfedatei %1 fehlt.", "Le fichier d'aide %1 est introuvable.", "Manca il file della guida %1."}},
};

// "de_DE.UTF-8", "de", "de@euro" -> the two letters of the language.
bool Speaks(std::string_view locale, Language& language)
{
    const std::string_view code = locale.substr(0, locale.find_first_of("_.@"));
    const std::pair<std::string_view, Language> known[] = {
        {"en", Language::English}, {"es", Language::Spanish}, {"ca", Language::Catalan},
        {"de", Language::German},  {"fr", Language::French},  {"it", Language::Italian}};
    for (const auto& [name, lang] : known) {
        if (code == name) {
            language = lang;
            return true;
        }
    }
    return false;
}

std::string_view Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string_view(value) : std::string_view();
}

}  // namespace

std::string_view Text(int id, Language language)
{
    for (const Entry& e : kTexts)
        if (e.id == id)
            return e.texts[size_t(language)];
    return {};
}

Language LanguageOf(std::string_view languageList, std::string_view lcAll, std::string_view lcMessages,
                    std::string_view lang)
{
    Language language = Language::English;
    while (!languageList.empty()) {
        const size_t colon = languageList.find(':');
        if (Speaks(languageList.substr(0, colon), language))
            return language;
        languageList = colon == std::string_view::npos ? std::string_view() : languageList.substr(colon + 1);
    }
    // The first locale variable that is set decides.
    const std::string_view locale = !lcAll.empty() ? lcAll : !lcMessages.empty() ? lcMessages : lang;
    Speaks(locale, language);
    return language;
}

Language SessionLanguage()
{
    return LanguageOf(Variable("LANGUAGE"), Variable("LC_ALL"), Variable("LC_MESSAGES"), Variable("LANG"));
}

}  // namespace mf
