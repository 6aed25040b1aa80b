#include "jigsaw/document/Puz.h"

#include <algorithm>
#include <new>
#include <unistd.h>

#include "framework/AtomicFile.h"
#include "framework/ByteIO.h"
#include "jigsaw/document/GridFromCount.h"
#include "jigsaw/document/PieceCutter.h"
#include "jigsaw/document/PuzHeader.h"
#include "jigsaw/document/SavedGameFile.h"

namespace qv {

namespace {

std::string lowerExtension(const std::filesystem::path& path)
{
    std::string ext = path.extension().string();
    for (char& c : ext)
        c = static_cast<char>((c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c);
    return ext;
}

}  // namespace

fw::Status PictureSizeSteps::loadPicture(Puz& puz)
{
    puz.pictureRect = {0, 0, static_cast<int16_t>(m_width), static_cast<int16_t>(m_height)};
    puz.pictureFull = {static_cast<int16_t>(m_width), static_cast<int16_t>(m_height)};
    return {};
}

Puz::Puz()
    : m_defaultSteps(std::make_unique<PictureSizeSteps>()), m_defaultUser(std::make_unique<HeadlessUser>())
{
    m_steps = m_defaultSteps.get();
    m_user = m_defaultUser.get();
    m_rng = &m_ownGenerator;
}

Puz::~Puz() = default;

void Puz::setSteps(PuzzleSteps* steps) { m_steps = steps ? steps : m_defaultSteps.get(); }
void Puz::setUser(PuzzleUser* user) { m_user = user ? user : m_defaultUser.get(); }
void Puz::setGenerator(CutRandom* rng) { m_rng = rng ? rng : &m_ownGenerator; }

void Puz::Reset()
{
    picture = pieceSheet = maskSheet = fw::Bitmap();
    sheetEdges.reset();
    pieces.clear();
    order.clear();
    knobs.clear();
    boxes.clear();
    boxPlaces.clear();
    mouseTravel = 0;
    backgroundColour = 0xFFFFFFFF;
    background.clear();
    backgroundTexture.clear();
    backgroundFrameOff = 0;
    state = edit = 0;
    options = BackgroundReset;
    sizeFlags = 0;
    cuttingSeed = puzzleSeed = 0;
    cuttingVersion = 0;
    puzzlePath.clear();
    savedPath.clear();
    pictureSource.clear();
    picture16Path.clear();
    thumbnailPath.clear();
    savedName.clear();
    playerName.clear();
    password.clear();
    rights.clear();
    headerText.clear();
    entry.clear();
    dateStart = dateEnd = 0;
    pictureScale = 1.0f;
    savedPictureSize = savedPictureFull = pictureFull = {};
    pictureRect = {};
    pieceWidth = pieceHeight = 0;
    std::fill(std::begin(rows), std::end(rows), 0);
    std::fill(std::begin(columns), std::end(columns), 0);
    sizeIndex = 0;
    stockSizeCount = 0;
    requiredVersion = programVersion = Entry::DefaultRequired;
    savedFrame = scorePos = viewOrigin = viewCentre = {};
    viewZoom = 1000;
    previewPos.reset();
    counters = {};
    gameOptions.reset();
    sharedCut.clear();
    cutRecipe.reset();
    notice = {};
    m_unreadFrom = -1;
}

fw::Status Puz::ParseHeader(const std::string& text, bool saved) { return PuzHeader::parse(*this, text, saved); }

std::string Puz::BuildHeader(bool saved) const { return PuzHeader::build(*this, saved); }

fw::Status Puz::Open(const std::filesystem::path& path, int sizeIndex, unsigned opts)
{
    const std::string ext = lowerExtension(path);
    if (ext == ".puz")
        return OpenPuzzle(path, sizeIndex, opts);
    if (ext == ".sav")
        return OpenSaved(path);
    return fw::Status(msg::BadFile, path.string());
}

fw::Status Puz::OpenPuzzle(const std::filesystem::path& path, int index, unsigned opts)
{
    const bool reopening = m_savedReader != nullptr;
    if (!reopening) {
        Reset();
        dateStart = m_user->today();
    }
    return openMarked(path, index, opts);
}

fw::Status Puz::OpenCut(const std::filesystem::path& path, const CutRecipe& recipe)
{
    Reset();
    dateStart = m_user->today();
    cutRecipe = recipe;
    fw::Status st = openMarked(path, recipe.level, recipe.options & CutRecipe::CutOptions);
    if (st.ok())
        sharedCut = recipe.mark;
    cutRecipe.reset();
    return st;
}

fw::Status Puz::openMarked(const std::filesystem::path& path, int index, unsigned opts)
{
    puzzlePath = path;
    state |= Busy;
    edit |= Opening;
    fw::Status st = openPuzzleFile(path, index, opts);
    state &= static_cast<uint8_t>(~(Busy | Changed));
    edit &= static_cast<uint8_t>(~Opening);
    return st;
}

fw::Status Puz::openPuzzleFile(const std::filesystem::path& path, int index, unsigned opts)
{
    const bool reopening = m_savedReader != nullptr;
    fw::Status st = entry.readFile(path);
    if (!st.ok())
        return st;
    headerText = entry.header;
    stockSizeCount = 0;
    for (int k = 0; k < 5; ++k) {
        rows[k] = entry.rows[k];
        columns[k] = entry.columns[k];
        if (rows[k] != 0 && stockSizeCount == k)
            stockSizeCount = static_cast<int16_t>(k + 1);
    }
    sizeIndex = static_cast<int8_t>(index);
    if (index < 0 || index >= stockSizeCount) {
        sizeFlags |= CustomRequested;
        sizeIndex = CustomSize;
    }
    if (st = ParseHeader(headerText, false); !st.ok())
        return st;
    if (cutRecipe && !reopening) {
        if (st = applyRecipe(); !st.ok())
            return st;
    }
    if (reopening) {
        if (st = SavedGameFile::readHeaderAndSeed(*this, *m_savedReader); !st.ok())
            return st;
        // A grid from the file is bounded before anything is allocated for
        // it. Its records may fall short: those read are kept.
        int64_t n = int64_t(gridRows()) * gridColumns();
        if (gridRows() < 1 || gridColumns() < 1 || n > MaxPieces)
            return fw::Status(msg::BadFile, savedPath.string());
    }
    if (opts & NoRotable)
        options |= NoRotable;
    if (opts & NoDeform)
        options |= NoDeform;
    if (!reopening && puzzleSeed != 0)
        cuttingSeed = puzzleSeed;
    if (st = m_steps->loadPicture(*this); !st.ok()) {
        Reset();
        return st;
    }
    if (cutRecipe && !reopening) {
        // Another table may have scaled the picture otherwise, and one pixel
        // changes every piece.
        if (pictureRect.w != cutRecipe->picture.x || pictureRect.h != cutRecipe->picture.y) {
            const std::string size = std::to_string(cutRecipe->picture.x) + "x" + std::to_string(cutRecipe->picture.y);
            Reset();
            return fw::Status(msg::CutTableTooSmall, size);
        }
        cuttingSeed = m_rng->seed(cutRecipe->seed);
    } else if (!reopening) {
        cuttingSeed = m_rng->seed(puzzleSeed != 0 ? cuttingSeed : 0);
    }
    if (st = MakePiezas(); !st.ok())
        return st;
    if (reopening) {
        scatterUnread();
        m_steps->restorePlayState(*this);
    } else {
        m_steps->scatter(*this);
    }
    return {};
}

// The recipe's level and grid replace the puzzle's (a custom grid is not
// asked for); its options are applied by the caller like a player's choice.
fw::Status Puz::applyRecipe()
{
    const CutRecipe& r = *cutRecipe;
    if (fw::Status st = r.fits(rows, columns, stockSizeCount, options, title()); !st.ok())
        return st;
    sizeIndex = r.level;
    if (r.level == CustomSize) {
        rows[CustomSize] = r.rows;
        columns[CustomSize] = r.columns;
    }
    sizeFlags &= static_cast<uint8_t>(~CustomRequested);
    return {};
}

// The pieces a short saved game has no records for would lie at their
// places in the picture, all at once: they are spread over the table like
// a new game's, around the pieces that were read. Scattering leaves marked
// pieces where they are, so the read ones are marked for its duration.
void Puz::scatterUnread()
{
    if (m_unreadFrom < 0)
        return;
    constexpr uint32_t kKeepInPlace = 0x0001;
    std::vector<uint32_t> flags(pieces.size());
    for (size_t i = 0; i < pieces.size(); ++i) {
        flags[i] = pieces[i].flags;
        if (static_cast<int>(i) < m_unreadFrom)
            pieces[i].flags |= kKeepInPlace;
    }
    m_steps->scatter(*this);
    for (size_t i = 0; i < pieces.size(); ++i)
        pieces[i].flags = flags[i];
    m_unreadFrom = -1;
}

fw::Status Puz::OpenSaved(const std::filesystem::path& path)
{
    Reset();
    savedPath = path;
    m_savedFile = std::make_unique<fw::FileStream>(path, fw::FileStream::Mode::Read);
    if (!m_savedFile->isOpen()) {
        const int why = m_savedFile->openErrno();
        closeSaved();
        return fw::Status(msg::CannotOpen, path.filename().string()).because(why);
    }
    m_savedReader = std::make_unique<fw::ByteReader>(*m_savedFile);
    std::string storedPuzzle;
    fw::Status st = SavedGameFile::readHead(*this, *m_savedReader, storedPuzzle);
    if (st.ok()) {
        state |= FromSaved;
        st = OpenPuzzle(SavedGameFile::resolvePuzzlePath(storedPuzzle, path), sizeIndex, 0);
    }
    closeSaved();
    if (!st.ok())
        state &= static_cast<uint8_t>(~FromSaved);
    savedPath = path;  // a failed picture load resets the document
    return st;
}

void Puz::closeSaved()
{
    m_savedReader.reset();
    m_savedFile.reset();
}

fw::Status Puz::Save(unsigned flags, bool* untouched)
{
    if (untouched)
        *untouched = false;
    if (flags & TemporarySave)
        return saveTemporary(untouched);
    savedFrame = m_user->playFrameSize();
    int why = 0;
    bool ok = fw::replaceFile(savedPath, [this](fw::Stream& out) { return SavedGameFile::write(*this, out); }, &why);
    if (!ok)  // a full disk is not a damaged file: the player only has to make room
        return fw::isNoRoomError(why) ? fw::Status(fw::msg::DiskFull, savedPath.string())
                                      : fw::Status(msg::BadFile, savedPath.string()).because(why);
    state |= FromSaved;
    state &= static_cast<uint8_t>(~Changed);
    m_user->rememberLastPuzzle(savedPath);
    return {};
}

// Rebuilds the pieces (after the screen or a drawing option changed) by
// saving to a temporary game and opening it again.
fw::Status Puz::saveTemporary(bool* untouched)
{
    const std::string oldName = savedName, oldPlayer = playerName;
    const std::filesystem::path oldPath = savedPath;
    // The rebuild is not a save: a game never saved still is not one
    // opened from a saved game, and its changes are still unsaved.
    const uint8_t kept = state & (Changed | FromSaved);
    std::error_code ec;
    std::filesystem::path temp = std::filesystem::temp_directory_path(ec) /
                                 ("_Temp" + std::to_string(::getpid()) + ".sav");
    savedName = "_Temp" + oldName;
    playerName = "_Temp";
    savedPath = temp;
    savedFrame = m_user->playFrameSize();
    int why = 0;
    const bool ok = fw::replaceFile(temp, [this](fw::Stream& out) { return SavedGameFile::write(*this, out); }, &why);
    fw::Status st;
    if (ok)
        st = OpenSaved(temp);
    else if (fw::isNoRoomError(why))
        st = fw::Status(fw::msg::DiskFull, temp.string());
    else
        st = fw::Status(msg::BadFile, temp.string()).because(why);
    std::filesystem::remove(temp, ec);
    savedName = oldName;
    playerName = oldPlayer;
    savedPath = oldPath;
    if (st.ok())
        state = static_cast<uint8_t>((state & ~(Changed | FromSaved)) | kept);
    if (!ok && untouched)
        *untouched = true;
    return st;
}

fw::Status Puz::MakePiezas()
{
    const bool saved = state & FromSaved;
    if (saved)
        m_rng->seed(cuttingSeed);
    if ((sizeFlags & CustomRequested) && !saved) {
        if (fw::Status st = askCustomGrid(); !st.ok())
            return st;
    }
    PieceCutter cutter(*this, *m_rng);
    try {
        if (fw::Status st = cutter.makeGrid(); !st.ok())
            return st;
    } catch (const std::bad_alloc&) {
        Reset();
        return fw::Status(fw::msg::OutOfMemory);
    }
    if (saved && m_savedReader) {
        // Cut short: the pieces read so far stay, the order list becomes
        // the identity and the player is told the file is damaged.
        int read = 0;
        if (fw::Status st = SavedGameFile::readPieces(*this, *m_savedReader, &read); !st.ok()) {
            notice = st;
            m_unreadFrom = read;
        }
        SavedGameFile::readOrder(*this, *m_savedReader);
    }
    cutter.drawRotations(saved);
    if (!saved)
        cuttingVersion = cutRecipe ? cutRecipe->version : CuttingVersion;
    cutter.placeKnobs();
    if (!pieceSheet.isNull())
        m_user->reportInconsistency("MakePiezas:: bmp!=NULL");
    return m_steps->renderSheets(*this);
}

fw::Status Puz::askCustomGrid()
{
    std::optional<std::string> answer = m_user->askCustomSize(*this);
    if (!answer)
        return fw::Status(fw::msg::Cancelled);
    Grid g = GridFromCount(pictureRect.w, pictureRect.h, *answer);
    if (!g.status.ok())
        return g.status;
    rows[CustomSize] = static_cast<int16_t>(g.rows);
    columns[CustomSize] = static_cast<int16_t>(g.columns);
    return {};
}

SPuz* Puz::Neighbour(int piece, int side)
{
    if (piece < 0 || piece >= pieceCount() || side < 0 || side > 3)
        return nullptr;
    int n = pieces[piece].neighbour[side];
    return n >= 0 && n < pieceCount() ? &pieces[n] : nullptr;
}

KnobRef Puz::Knob(int piece, int side) const
{
    if (piece < 0 || piece >= pieceCount() || side < 0 || side > 3)
        return {};
    const SPuz& s = pieces[piece];
    int32_t k = s.knob[side];
    if (k < 0 || static_cast<size_t>(k) >= knobs.size() || s.knobDir[side] == 0)
        return {};
    return {knobs[k], s.knobDir[side]};
}

void Puz::SetKnob(int piece, int side, int32_t knobIndex, int direction)
{
    SPuz& s = pieces[piece];
    s.knob[side] = knobIndex;
    s.knobDir[side] = static_cast<int8_t>(direction);
    if (direction > 0) {
        s.bounding = unite(s.bounding, knobs[knobIndex]);
        s.updateTable();
    }
}

}  // namespace qv
