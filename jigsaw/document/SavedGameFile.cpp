#include "jigsaw/document/SavedGameFile.h"

#include <array>
#include <cstring>

#include "jigsaw/document/Puz.h"

namespace qv {

namespace {

fw::Status damaged(const Puz& puz) { return fw::Status(msg::BadFile, puz.savedPath.string()); }

}  // namespace

fw::Status SavedGameFile::readHead(Puz& puz, fw::ByteReader& in, std::string& puzzlePath)
{
    puz.savedName = in.text();
    puzzlePath = in.text();
    puz.sizeIndex = in.i8();
    if (puz.sizeIndex == Puz::CustomSize) {
        puz.rows[Puz::CustomSize] = in.i16();
        puz.columns[Puz::CustomSize] = in.i16();
    }
    puz.counters.joinedSides = in.u32();
    puz.playerName = in.text();
    puz.password = in.text();
    puz.counters.elapsedMs = in.i32();
    uint32_t helpWord = in.u32();
    puz.counters.helps = static_cast<uint16_t>(helpWord & 0xFFFF);
    puz.counters.helpSides = static_cast<uint16_t>(helpWord >> 16);
    // Games saved before help sides were kept: a help then cost one and a half sides.
    if (puz.counters.helps != 0 && puz.counters.helpSides == 0)
        puz.counters.helpSides = static_cast<uint16_t>(puz.counters.helps * 3 / 2);
    puz.counters.moves = in.u32();
    uint16_t boxCount = in.u16();
    if (in.failed() || puz.sizeIndex < 0 || puz.sizeIndex > Puz::CustomSize || !in.has(uint64_t(boxCount) * BoxRecordBytes))
        return damaged(puz);
    puz.boxes.assign(boxCount, Box{});
    for (Box& b : puz.boxes) {
        char name[Box::StoredNameBytes];
        in.bytes(name, sizeof name);
        b.name.assign(name, strnlen(name, sizeof name));
        b.colour = in.u32();
    }
    return in.failed() ? damaged(puz) : fw::Status{};
}

fw::Status SavedGameFile::readHeaderAndSeed(Puz& puz, fw::ByteReader& in)
{
    std::string header = in.text();
    uint32_t seed = in.u32();
    if (in.failed())
        return damaged(puz);
    fw::Status st = puz.ParseHeader(header, true);
    if (!st.ok())
        return st;
    puz.cuttingSeed = seed;
    return {};
}

fw::Status SavedGameFile::readPieces(Puz& puz, fw::ByteReader& in, int* read)
{
    int count = 0;
    bool shortRecord = false;
    for (SPuz& s : puz.pieces) {
        PieceRecord r;
        if (!readRecord(in, r)) {
            shortRecord = true;
            break;
        }
        ++count;
        s.placeAt(r.x, r.y);
        s.rotation = r.rotation & 3;
        s.joined = r.joined & 0x0F;
        uint8_t box = r.box;
        if (box != SPuz::OnTable && box >= puz.boxes.size())
            box = SPuz::OnTable;
        if (box != SPuz::OnTable)
            ++puz.boxes[box].pieceCount;
        s.box = box;
        s.flags = r.flags;
    }
    // Pieces not read have no joins, so the joins of the ones read toward
    // them are undone here too.
    repairJoins(puz);
    for (const SPuz& s : puz.pieces) {
        if (s.joined)
            puz.state |= Puz::PlayStarted;
    }
    if (read)
        *read = count;
    return shortRecord ? damaged(puz) : fw::Status{};
}

bool SavedGameFile::readRecord(fw::ByteReader& in, PieceRecord& r)
{
    if (!in.has(PieceRecordBytes))
        return false;
    r.x = in.i16();
    r.y = in.i16();
    r.rotation = in.u8();
    r.joined = in.u8();
    r.box = in.u8();
    r.flags = in.u8();
    return !in.failed();
}

// A side is joined on both pieces or on neither, and never on the border;
// a damaged file that says otherwise loses that join rather than breaking
// the group rules.
void SavedGameFile::repairJoins(Puz& puz)
{
    for (SPuz& s : puz.pieces) {
        for (int k = 0; k < 4; ++k) {
            if (!(s.joined & (1 << k)))
                continue;
            int n = s.neighbour[k];
            if (n < 0 || !(puz.pieces[n].joined & (1 << ((k + 2) % 4))))
                s.joined &= static_cast<uint8_t>(~(1 << k));
        }
    }
}

void SavedGameFile::readOrder(Puz& puz, fw::ByteReader& in)
{
    const int n = puz.pieceCount();
    std::vector<int16_t> order(n);
    std::vector<bool> seen(n, false);
    bool good = in.has(uint64_t(n) * 2);
    for (int i = 0; good && i < n; ++i) {
        int16_t v = in.i16();
        good = v >= 0 && v < n && !seen[v];
        if (good) {
            seen[v] = true;
            order[i] = v;
        }
    }
    if (!good) {
        for (int i = 0; i < n; ++i)
            order[i] = static_cast<int16_t>(i);
    }
    puz.order = std::move(order);
    for (int i = 0; i < n; ++i)
        puz.pieces[puz.order[i]].orderPos = static_cast<int16_t>(i);
}

std::string SavedGameFile::storedPuzzlePath(const Puz& puz)
{
    auto puzzleDir = puz.puzzlePath.parent_path().lexically_normal();
    auto savedDir = puz.savedPath.parent_path().lexically_normal();
    if (puzzleDir == savedDir)
        return puz.puzzlePath.filename().string();
    return std::filesystem::absolute(puz.puzzlePath).string();
}

std::filesystem::path SavedGameFile::resolvePuzzlePath(const std::string& stored, const std::filesystem::path& savedFile)
{
    std::string s = stored;
    for (char& c : s) {
        if (c == '\\')
            c = '/';
    }
    const auto savedDir = savedFile.parent_path();
    // "C:/Puzzles/x.puz" from another system: look beside the saved game.
    if (s.size() >= 2 && s[1] == ':')
        return savedDir / std::filesystem::path(s).filename();
    std::filesystem::path p(s);
    return p.is_absolute() ? p : savedDir / p;
}

bool SavedGameFile::write(const Puz& puz, fw::Stream& out)
{
    fw::ByteWriter w(out);
    w.text(puz.savedName);
    w.text(storedPuzzlePath(puz));
    w.i8(puz.sizeIndex);
    if (puz.sizeIndex == Puz::CustomSize) {
        w.i16(puz.rows[Puz::CustomSize]);
        w.i16(puz.columns[Puz::CustomSize]);
    }
    w.u32(puz.counters.joinedSides);
    w.text(puz.playerName);
    w.text(puz.password);
    w.i32(puz.counters.elapsedMs);
    w.u32(static_cast<uint32_t>(puz.counters.helps) | (static_cast<uint32_t>(puz.counters.helpSides) << 16));
    w.u32(puz.counters.moves);
    w.u16(static_cast<uint16_t>(puz.boxes.size()));
    for (const Box& b : puz.boxes) {
        char name[Box::StoredNameBytes] = {};
        std::memcpy(name, b.name.data(), std::min(b.name.size(), sizeof name));
        w.bytes(name, sizeof name);
        w.u32(b.colour);
    }
    w.text(puz.BuildHeader(true));
    w.u32(puz.cuttingSeed);
    writePieces(puz, w);
    for (int16_t v : puz.order)
        w.i16(v);
    return !w.failed();
}

void SavedGameFile::writePieces(const Puz& puz, fw::ByteWriter& w)
{
    std::array<uint8_t, WriteBufferBytes> buffer;
    size_t used = 0;
    for (const SPuz& s : puz.pieces) {
        if (used + PieceRecordBytes > buffer.size()) {
            w.bytes(buffer.data(), used);
            used = 0;
        }
        uint8_t* r = buffer.data() + used;
        fw::storeU16(r, static_cast<uint16_t>(s.tableCell.x));
        fw::storeU16(r + 2, static_cast<uint16_t>(s.tableCell.y));
        r[4] = s.rotation;
        r[5] = s.joined;
        r[6] = s.box;
        r[7] = static_cast<uint8_t>(s.flags);
        used += PieceRecordBytes;
    }
    w.bytes(buffer.data(), used);
}

}  // namespace qv
