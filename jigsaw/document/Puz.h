#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/FileStream.h"
#include "framework/Status.h"
#include "jigsaw/document/Box.h"
#include "jigsaw/document/CutRandom.h"
#include "jigsaw/document/CutRecipe.h"
#include "jigsaw/document/EdgeStyle.h"
#include "jigsaw/document/Entry.h"
#include "jigsaw/document/PuzzleSteps.h"
#include "jigsaw/document/PuzzleUser.h"
#include "jigsaw/document/Rect16.h"
#include "jigsaw/document/SPuz.h"

namespace fw {
class ByteReader;
}

namespace qv {

// The play counters a saved game carries for the score keeping. The score
// keeping copies them in after opening and out before saving.
struct PlayCounters {
    uint32_t joinedSides = 0;
    int32_t elapsedMs = 0;
    uint16_t helps = 0;
    uint16_t helpSides = 0;  // joined sides produced by helps
    uint32_t moves = 0;
};

// A knob as one piece sees it.
struct KnobRef {
    Rect16 rect;
    int8_t direction = 0;  // +1 tab, -1 hole, 0 = no knob on that side
};

// The puzzle document: the one open puzzle, its pieces, boxes, picture and
// the state of the game. It is made once and reset between puzzles.
//
// The fields are public because every part of the game works on them (the
// picture and sheet code, play rules, score keeping, windows); the
// operations below keep them consistent while a puzzle is opened and saved.
// Picture loading, sheet rendering and scattering are not done here but
// through PuzzleSteps; questions to the user go through PuzzleUser.
class Puz {
public:
    enum StateFlag : uint8_t {
        Busy = 0x01,            // opening, or a rotation runs
        AutoHelp = 0x02,
        Complete = 0x04,
        FromSaved = 0x08,       // opened from a saved game
        Changed = 0x10,         // changed since the last open or save
        PlayStarted = 0x20,
        BringIntoView = 0x40,   // frame smaller than the saved one
    };
    enum EditFlag : uint8_t { Opening = 0x20, Making = 0x40, Editing = 0x80 };
    enum OptionFlag : uint16_t {
        BackgroundReset = 0x0002,
        ImgFull = 0x0004,
        ScatterFull = 0x0008,
        NoRotable = 0x0020,
        NoHelp = 0x0040,
        NoDeform = 0x0100,  // plain rectangles, "Mosaic"
        NoPreview = 0x0200,
    };
    enum SizeFlag : uint8_t { CustomRequested = 0x01, NoCustomSize = 0x02 };
    enum SaveFlag : unsigned { TemporarySave = 0x10 };
    static constexpr int CustomSize = 5;        // size index of the custom grid
    static constexpr int16_t SavingVersion = 240;   // "Vers:" written into saved games
    static constexpr int16_t CuttingVersion = 240;  // cutting rules of new cuts
    static constexpr int MaxPieces = 32767;     // piece numbers are signed 16-bit

    Puz();
    Puz(const Puz&) = delete;
    Puz& operator=(const Puz&) = delete;
    ~Puz();

    // --- collaborators (not owned); defaults: PictureSizeSteps, HeadlessUser, the document's own generator
    void setSteps(PuzzleSteps* steps);
    void setUser(PuzzleUser* user);
    void setGenerator(CutRandom* rng);
    PuzzleSteps& steps() { return *m_steps; }
    PuzzleUser& user() { return *m_user; }
    CutRandom& generator() { return *m_rng; }

    // --- files
    // By extension: "puz" or "sav" (any case); otherwise message 20.
    fw::Status Open(const std::filesystem::path& path, int sizeIndex, unsigned options);
    // Options: 0x20 forces NoRotable, 0x100 forces NoDeform.
    fw::Status OpenPuzzle(const std::filesystem::path& path, int sizeIndex, unsigned options);
    fw::Status OpenSaved(const std::filesystem::path& path);
    // A new game of the puzzle cut as the recipe says (another player's
    // shared cut): its level and grid without asking, its options, picture
    // size, cutting version and seed. Fails with 4718 when the puzzle cannot
    // be cut so, 4717 when the table cannot hold the picture at its size.
    fw::Status OpenCut(const std::filesystem::path& path, const CutRecipe& recipe);
    // Writes the saved game at savedPath (replacing the file as a whole).
    // TemporarySave rebuilds the pieces through a temporary saved game; when
    // that game cannot even be written (a full disk), the document is left
    // exactly as it was and `untouched` (if given) says so.
    fw::Status Save(unsigned flags = 0, bool* untouched = nullptr);
    void Reset();

    fw::Status ParseHeader(const std::string& text, bool saved);
    std::string BuildHeader(bool saved) const;

    // --- cutting
    fw::Status MakePiezas();
    SPuz* Neighbour(int piece, int side);
    KnobRef Knob(int piece, int side) const;
    void SetKnob(int piece, int side, int32_t knobIndex, int direction);
    int pieceCount() const { return static_cast<int>(pieces.size()); }
    int gridRows() const { return rows[sizeIndex]; }
    int gridColumns() const { return columns[sizeIndex]; }
    const std::string& title() const { return entry.title; }

    // --- the document's fields
    std::filesystem::path puzzlePath;
    std::filesystem::path savedPath;
    std::string pictureSource;   // "F:"
    std::string picture16Path;   // "F16:"
    std::string thumbnailPath;   // "Tmb:"
    Entry entry;
    std::string savedName;
    std::string playerName;
    std::string password;        // plain text; empty = none
    int16_t rows[6] = {};
    int16_t columns[6] = {};
    int8_t sizeIndex = 0;
    int16_t stockSizeCount = 0;
    std::string headerText;      // as read from the puzzle file
    int16_t requiredVersion = Entry::DefaultRequired;  // "WantPgmVersion:" while editing
    int16_t programVersion = Entry::DefaultRequired;   // "Vers:" of a saved game
    Point16 savedFrame;          // "SZW:"
    float pictureScale = 1.0f;   // "FactorImgSav:"
    // Our own key "QvPicSz:" of a saved game: the picture rectangle's size
    // when it was saved and the full size of the picture it was scaled from
    // (zero = absent). The six decimals of the factor can stand for one
    // pixel less, and one pixel changes the whole cut.
    Point16 savedPictureSize;
    Point16 savedPictureFull;
    std::string rights;          // "(c):"
    uint32_t puzzleSeed = 0;     // "Rndn:" of the puzzle; 0 = cut at random
    uint32_t cuttingSeed = 0;
    int16_t cuttingVersion = 0;  // "VersMakePieza:"
    std::string background;      // "BkClr:" up to "["
    uint32_t backgroundColour = 0xFFFFFFFF;  // after "["; all ones = not chosen
    // Our own key "QvBkTex:": the table's texture (a file name of the
    // program's textures, or a full path) and the picture outline switched
    // off. Kept apart from "BkClr:", which holds numbers only.
    std::string backgroundTexture;
    uint8_t backgroundFrameOff = 0;
    std::vector<SPuz> pieces;
    std::vector<int16_t> order;  // stacking order, 0 = top
    std::vector<Rect16> knobs;   // each knob twice, one copy per piece
    std::vector<Box> boxes;
    std::vector<BoxPlace> boxPlaces;  // parallel to boxes when the game has placed them
    fw::Bitmap picture;
    fw::Bitmap pieceSheet;
    fw::Bitmap maskSheet;
    // The edges renderSheets shaded the sheets with, so that later turns
    // shade alike; none until the sheets are rendered.
    std::optional<EdgeStyle> sheetEdges;
    Rect16 pictureRect;
    Point16 pictureFull;         // the picture's size before scaling
    int16_t pieceWidth = 0;
    int16_t pieceHeight = 0;
    double mouseTravel = 0;      // millimetres, "mmsrun:"
    uint32_t dateStart = 0;
    uint32_t dateEnd = 0;
    uint8_t state = 0;
    uint8_t edit = 0;
    uint16_t options = BackgroundReset;
    uint8_t sizeFlags = 0;
    Point16 scorePos;            // "ScorePos:"
    Point16 viewOrigin;          // "bmphalf:"
    // Our own key "QvZoom:" of a saved game: the table's zoom in thousandths
    // (1000: 100 %, no key) and the table point in the middle of the view.
    uint16_t viewZoom = 1000;
    Point16 viewCentre;
    std::optional<Point16> previewPos;  // "wmuestra:", when there is a preview window
    PlayCounters counters;
    // The game's options ("Options:" of a saved game): competition,
    // autosave, hidden preview, boxes and score. Unset until a saved game
    // brings them or the shell gives a new game its defaults.
    std::optional<uint32_t> gameOptions;
    // Our own key "QvCut:" of a saved game: the mark of the shared cut the
    // game was started from; empty for every other game.
    std::string sharedCut;
    // Set only while OpenCut opens a puzzle: the picture is scaled to its size.
    std::optional<CutRecipe> cutRecipe;
    // A damage found while opening that did not stop it (a saved game cut
    // short in its piece records opens with the pieces it has): the caller
    // tells the player. Success when there was none.
    fw::Status notice;

private:
    fw::Status openMarked(const std::filesystem::path& path, int sizeIndex, unsigned options);
    fw::Status applyRecipe();
    fw::Status openPuzzleFile(const std::filesystem::path& path, int sizeIndex, unsigned options);
    fw::Status readSavedHead();
    fw::Status readSavedHeader();
    fw::Status readSavedPieces();
    void readOrderList(fw::ByteReader& in);
    void repairJoins();
    fw::Status askCustomGrid();
    fw::Status saveTemporary(bool* untouched);
    void closeSaved();
    void scatterUnread();

    PuzzleSteps* m_steps;
    PuzzleUser* m_user;
    CutRandom m_ownGenerator;
    CutRandom* m_rng;
    std::unique_ptr<PictureSizeSteps> m_defaultSteps;
    std::unique_ptr<HeadlessUser> m_defaultUser;
    // The saved game being opened stays open until its pieces are read.
    std::unique_ptr<fw::FileStream> m_savedFile;
    std::unique_ptr<fw::ByteReader> m_savedReader;
    // The first piece a short saved game had no record for; -1 = all read.
    int m_unreadFrom = -1;
};

}  // namespace qv
