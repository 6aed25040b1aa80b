#pragma once
#include <QPixmap>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/Status.h"
#include "framework/qt/WBaseInfo.h"
#include "jigsaw/library/LibraryPrompt.h"
#include "jigsaw/library/SavedGamesFilter.h"
#include "jigsaw/library/ShelfEntry.h"

class QComboBox;
class QLabel;
class QListWidget;

namespace qv {

class Library;

// What the library window hands back: the file to open and how.
struct OpenChoice {
    std::filesystem::path path;
    ShelfEntry::Kind kind = ShelfEntry::Kind::Puzzle;
    // Puzzles: 0..4 a stock size, 5 the custom size (the document asks for
    // the piece count through the custom-size prompt while it cuts).
    int sizeIndex = 0;
    // Puzzles: the options of Puz::OpenPuzzle (0x20 no rotation, 0x100
    // rectangular pieces) chosen for this game.
    unsigned options = 0;
};

// The library window's questions; message boxes unless replaced.
class LibraryUser : public LibraryPrompt {
public:
    // The password prompt (WPassw) of a guarded saved game.
    virtual std::optional<std::string> password(const std::string& fileName) = 0;
    virtual void wrongPassword() = 0;
    virtual std::optional<std::string> newShelfName() = 0;
    virtual bool confirmRemoveShelf(const std::string& name) = 0;
    virtual void showStatus(const fw::Status& status) = 0;
};

// The library: the shelves, the puzzles and saved games of the current
// shelf with their thumbnails, titles, sizes and options, the saved-games
// filter kept in "OptsLoad", and the choice of what to open. Creating or
// removing a shelf and moving a puzzle to another shelf end the window
// with "again" (1111): it is shown again over the changed shelves.
//
//   std::optional<OpenChoice> c = WLibrary::Run(playWindow, library);   // command 101
//   if (c) puz.Open(c->path, c->sizeIndex, c->options)   (OpenPuzzle / OpenSaved)
class WLibrary : public fw::WBaseInfo {
    Q_OBJECT

public:
    enum : int {
        IdAgain = 1111,
        IdShelves = 4600,
        IdEntries = 4601,
        IdNewShelf = 4602,
        IdRemoveShelf = 4603,
        IdMove = 4607,
        IdMoveTarget = 4626,
        IdSize = 4608,
        IdNoRotate = 6021,
        IdMosaic = 6022,
        IdFilterLevel = 4612,
        IdFilterPlayer = 4613,
        IdFilterStatus = 4614,
        IdFilterRotation = 4615,
        IdFilterPieces = 4616,
        IdPicture = 4640,
        IdTitle = 4641,
        IdDetails = 4642,
        HelpTopic = 100,
        IconWidth = 64,
        IconHeight = 48,
        PictureWidth = 220,
        PictureHeight = 165,
    };

    WLibrary(QWidget* parent, Library& library);
    ~WLibrary() override;

    void setUser(LibraryUser* user) { m_user = user; }
    void setHelp(std::function<void(int topic)> help) { m_help = std::move(help); }

    // Runs modally: 1 with a choice, 2 cancelled, 1111 to be shown again.
    int Exec();
    const std::optional<OpenChoice>& choice() const { return m_choice; }
    // The result the window ended with; 0 while it is open.
    int ended() const { return m_ended; }
    // Shows the library until it answers something else than "again".
    static std::optional<OpenChoice> Run(QWidget* parent, Library& library, LibraryUser* user = nullptr);

    // What the window shows, for the shell's tests and ours.
    const std::vector<ShelfEntry>& shown() const { return m_shown; }
    std::vector<std::string> shelfNames() const;
    bool selectShelf(const std::string& name);
    bool selectEntry(const std::string& fileName);
    const ShelfEntry* selected() const;
    QListWidget* entryList() const { return m_entries; }
    QPixmap thumbnail(const ShelfEntry& entry);

protected:
    bool OnCommand(const fw::CommandEvent& event) override;
    bool OnControl(const fw::ControlEvent& event) override;

private:
    void layOut();
    void layOutFilter(int x, int y, int width);
    void layOutDetails(int x, int y, int width);
    void fillShelves();
    void listShelf();
    void applyFilter();
    void readFilter();
    void showSelected();
    void showPuzzle(const ShelfEntry& e);
    void showSavedGame(const ShelfEntry& e);
    void open();
    bool openSaved(const ShelfEntry& e);
    void newShelf();
    void removeShelf();
    void move();
    void finish(int result);

    Library& m_library;
    std::unique_ptr<LibraryUser> m_boxes;
    LibraryUser* m_user;
    std::function<void(int)> m_help;
    QListWidget* m_shelves = nullptr;
    QListWidget* m_entries = nullptr;
    std::vector<ShelfEntry> m_listed;
    std::vector<ShelfEntry> m_shown;
    SavedGamesFilter m_filter;
    std::map<std::filesystem::path, QPixmap> m_thumbnails;
    std::vector<int> m_sizeIndexes;  // the size list's entries: size index each
    std::optional<OpenChoice> m_choice;
    bool m_filling = false;
    int m_ended = 0;
};

// Text of one entry for the list: its name and what it offers.
std::string EntryHeadline(const ShelfEntry& e);
std::string EntryDetails(const ShelfEntry& e);

}  // namespace qv
