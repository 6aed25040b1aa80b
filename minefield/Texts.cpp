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
    {text::StatisticsMenu,
     {"S&tatistics...", "E&stad\u00EDsticas...", "E&stad\u00EDstiques...", "S&tatistik...", "S&tatistiques...",
      "S&tatistiche..."}},
    {text::StatisticsTitle,
     {"Statistics", "Estad\u00EDsticas", "Estad\u00EDstiques", "Statistik", "Statistiques", "Statistiche"}},
    {text::CellShapeLabel,
     {"Cell &shape:", "&Forma de casilla:", "&Forma de casella:", "&Zellform:", "&Forme des cases\u00A0:",
      "&Forma delle caselle:"}},
    {text::ColumnLevel, {"Level", "Nivel", "Nivell", "Stufe", "Niveau", "Livello"}},
    {text::ColumnPlayed, {"Played", "Jugadas", "Jugades", "Gespielt", "Jou\u00E9es", "Giocate"}},
    {text::ColumnWon, {"Won", "Ganadas", "Guanyades", "Gewonnen", "Gagn\u00E9es", "Vinte"}},
    {text::ColumnWinRate,
     {"Win rate", "% de victorias", "% de vict\u00F2ries", "Gewinnquote", "Taux de victoires", "% di vittorie"}},
    {text::ColumnStreak,
     {"Current streak", "Racha actual", "Ratxa actual", "Aktuelle Serie", "S\u00E9rie en cours", "Serie attuale"}},
    {text::ColumnBestStreak,
     {"Best streak", "Mejor racha", "Millor ratxa", "Beste Serie", "Meilleure s\u00E9rie", "Serie migliore"}},
    {text::ColumnBestRate,
     {"Best 3BV/s", "Mejor 3BV/s", "Millor 3BV/s", "Beste 3BV/s", "Meilleur 3BV/s", "Miglior 3BV/s"}},
    {text::WinsOfLevel,
     {"Wins (%1), latest first:", "Victorias (%1), la m\u00E1s reciente primero:",
      "Vict\u00F2ries (%1), la m\u00E9s recent primer:", "Siege (%1), der neueste zuerst:",
      "Victoires (%1), la plus r\u00E9cente d'abord\u00A0:", "Vittorie (%1), dalla pi\u00F9 recente:"}},
    {text::ColumnTime, {"Time", "Tiempo", "Temps", "Zeit", "Temps", "Tempo"}},
    {text::ResetButton,
     {"&Reset", "&Borrar", "&Esborra", "&Zur\u00FCcksetzen", "&R\u00E9initialiser", "&Azzera"}},
    {text::StatisticsResetQuestion,
     {"Reset the statistics of all levels of this cell shape?",
      "\u00BFBorrar las estad\u00EDsticas de todos los niveles de esta forma de casilla?",
      "Voleu esborrar les estad\u00EDstiques de tots els nivells d'aquesta forma de casella?",
      "Die Statistik aller Stufen dieser Zellform zur\u00FCcksetzen?",
      "Effacer les statistiques de tous les niveaux de cette forme de case\u00A0?",
      "Azzerare le statistiche di tutti i livelli di questa forma di casella?"}},
    {text::CloseButton, {"&Close", "&Cerrar", "&Tanca", "&Schlie\u00DFen", "&Fermer", "&Chiudi"}},
    {text::NoWinYet,
     {"No win yet.", "A\u00FAn ninguna victoria.", "Encara cap vict\u00F2ria.", "Noch kein Sieg.",
      "Aucune victoire pour l'instant.", "Ancora nessuna vittoria."}},
    {text::LevelCustom,
     {"Custom", "Personalizado", "Personalitzat", "Eigene Gr\u00F6\u00DFe", "Personnalis\u00E9", "Personalizzato"}},
    {text::LevelBeginner, {"Beginner", "Principiante", "Principiant", "Anf\u00E4nger", "D\u00E9butant", "Principiante"}},
    {text::LevelBeginner + 1, {"Novice", "Novato", "Novell", "Neuling", "Novice", "Novizio"}},
    {text::LevelBeginner + 2, {"Intermediate", "Intermedio", "Intermedi", "Mittel", "Interm\u00E9diaire", "Intermedio"}},
    {text::LevelBeginner + 3, {"Advanced", "Avanzado", "Avan\u00E7at", "Fortgeschritten", "Avanc\u00E9", "Avanzato"}},
    {text::LevelBeginner + 4, {"Expert", "Experto", "Expert", "Experte", "Expert", "Esperto"}},
    {text::ShapeSquare, {"Square", "Cuadrado", "Quadrat", "Quadrat", "Carr\u00E9", "Quadrato"}},
    {text::ShapeSquare + 1, {"Diamond", "Rombo", "Rombe", "Raute", "Losange", "Rombo"}},
    {text::ShapeSquare + 2, {"Brick", "Ladrillo", "Ma\u00F3", "Ziegel", "Brique", "Mattone"}},
    {text::ShapeSquare + 3, {"Triangle", "Tri\u00E1ngulo", "Triangle", "Dreieck", "Triangle", "Triangolo"}},
    {text::ShapeSquare + 4,
     {"Shifted Triangle", "Tri\u00E1ngulo desplazado", "Triangle despla\u00E7at", "Versetztes Dreieck",
      "Triangle d\u00E9cal\u00E9", "Triangolo sfalsato"}},
    {text::ShapeSquare + 5, {"Hexagon", "Hex\u00E1gono", "Hex\u00E0gon", "Sechseck", "Hexagone", "Esagono"}},
    {text::CustomMenu,
     {"&Custom...", "&Personalizado...", "&Personalitzat...", "&Eigene Gr\u00F6\u00DFe...", "&Personnalis\u00E9...",
      "&Personalizzato..."}},
    {text::CustomTitle,
     {"Custom board", "Tablero personalizado", "Tauler personalitzat", "Eigenes Spielfeld", "Plateau personnalis\u00E9",
      "Campo personalizzato"}},
    {text::CustomWidth,
     {"&Width (columns):", "&Ancho (columnas):", "&Amplada (columnes):", "&Breite (Spalten):",
      "&Largeur (colonnes)\u00A0:", "&Larghezza (colonne):"}},
    {text::CustomHeight,
     {"&Height (rows):", "A&lto (filas):", "A&l\u00E7ada (files):", "&H\u00F6he (Zeilen):", "&Hauteur (lignes)\u00A0:",
      "&Altezza (righe):"}},
    {text::CustomMines, {"&Mines:", "&Minas:", "&Mines:", "&Minen:", "&Mines\u00A0:", "&Mine:"}},
    {text::CustomLimits,
     {"From 1 to 32 columns, 1 to 24 rows, and fewer mines than cells.",
      "De 1 a 32 columnas, de 1 a 24 filas y menos minas que casillas.",
      "D'1 a 32 columnes, d'1 a 24 files i menys mines que caselles.",
      "1 bis 32 Spalten, 1 bis 24 Zeilen und weniger Minen als Zellen.",
      "De 1 \u00E0 32 colonnes, de 1 \u00E0 24 lignes et moins de mines que de cases.",
      "Da 1 a 32 colonne, da 1 a 24 righe e meno mine che caselle."}},
    {text::Ok, {"OK", "Aceptar", "D'acord", "OK", "OK", "OK"}},
    {text::Cancel, {"Cancel", "Cancelar", "Cancel\u00B7la", "Abbrechen", "Annuler", "Annulla"}},
    {text::ReplayMenu,
     {"&Replay this board", "&Repetir este tablero", "&Repeteix aquest tauler", "Dieses Feld &wiederholen",
      "&Rejouer ce plateau", "&Rigioca questo campo"}},
    {text::PauseMenu, {"&Pause", "&Pausa", "&Pausa", "&Pause", "&Pause", "&Pausa"}},
    {text::PausedBoard,
     {"Paused. Press P or click to go on.", "En pausa. Pulse P o haga clic para seguir.",
      "En pausa. Premeu P o feu clic per continuar.", "Pause. P dr\u00FCcken oder klicken, um weiterzuspielen.",
      "En pause. Appuyez sur P ou cliquez pour continuer.", "In pausa. Premi P o fai clic per continuare."}},
    {text::WonInNoTime,
     {"Congratulations. You solved the game in less than a second.",
      "Enhorabuena. Ha resuelto la partida en menos de un segundo.",
      "Enhorabona. Heu resolt la partida en menys d'un segon.",
      "Gl\u00FCckwunsch. Sie haben das Spiel in weniger als einer Sekunde gel\u00F6st.",
      "F\u00E9licitations. Vous avez r\u00E9solu la partie en moins d'une seconde.",
      "Complimenti. Hai risolto la partita in meno di un secondo."}},
    {text::PicturesFilter, {"Pictures", "Im\u00E1genes", "Imatges", "Bilder", "Images", "Immagini"}},
    {text::AllFilesFilter,
     {"All files", "Todos los archivos", "Tots els fitxers", "Alle Dateien", "Tous les fichiers", "Tutti i file"}},
    {text::StatisticsNotWritten,
     {"The statistics could not be written to %1.", "No se han podido guardar las estad\u00EDsticas en %1.",
      "No s'han pogut desar les estad\u00EDstiques a %1.", "Die Statistik konnte nicht in %1 geschrieben werden.",
      "Les statistiques n'ont pas pu \u00EAtre \u00E9crites dans %1.",
      "Non \u00E8 stato possibile scrivere le statistiche in %1."}},
    {text::NoGuess,
     {"No-&guess boards", "Tableros sin &azar", "Taulers sense &atzar", "Felder ohne &Raten",
      "Grilles sans &hasard", "Campi senza &azzardo"}},
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
    {text::ViewMenu, {"&View", "&Ver", "&Visualitza", "&Ansicht", "&Affichage", "&Visualizza"}},
    {text::ZoomIn,
     {"Zoom &in", "&Acercar", "&Apropa", "Ver&gr\u00F6\u00DFern", "Zoom &avant", "&Ingrandisci"}},
    {text::ZoomOut, {"Zoom &out", "A&lejar", "A&llunya", "Ver&kleinern", "Zoom a&rri\u00E8re", "Ri&duci"}},
    {text::ZoomActual,
     {"&Actual size", "&Tama\u00F1o real", "Mida &real", "&Originalgr\u00F6\u00DFe", "&Taille r\u00E9elle",
      "Dimensioni &reali"}},
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
