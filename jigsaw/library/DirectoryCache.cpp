#include "jigsaw/library/DirectoryCache.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "framework/AtomicFile.h"
#include "framework/ByteIO.h"
#include "framework/FileStream.h"
#include "framework/ScrambledStream.h"
#include "jigsaw/library/FileNames.h"

namespace fs = std::filesystem;

namespace qv {

namespace {

bool isMarker(char c) { return c == '0' || c == '1'; }

fs::path normalised(const fs::path& dir) { return dir.lexically_normal(); }

// The bytes that would break the record text: its end, a record start and
// a field end.
bool holdsReservedByte(std::string_view text)
{
    for (char c : text) {
        if (c == '\0' || c == DirectoryCache::RecordStart || c == DirectoryCache::FieldEnd)
            return true;
    }
    return false;
}

// Every record start is preceded by a marker, and the text begins with one.
bool wellFormed(std::string_view text)
{
    if (text.empty())
        return true;
    if (text.size() < 2 || text[1] != DirectoryCache::RecordStart)
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == DirectoryCache::RecordStart && (i == 0 || !isMarker(text[i - 1])))
            return false;
    }
    return true;
}

// Reads the fields of one record, each up to its 0xFF, never past the
// record's end.
class FieldReader {
public:
    FieldReader(std::string_view record) : m_rest(record) {}

    std::string text()
    {
        size_t end = m_rest.find(DirectoryCache::FieldEnd);
        if (end == std::string_view::npos) {
            m_ok = false;
            return {};
        }
        std::string value(m_rest.substr(0, end));
        m_rest.remove_prefix(end + 1);
        return value;
    }

    int64_t number(int64_t low, int64_t high)
    {
        std::string t = text();
        int64_t v = 0;
        auto r = std::from_chars(t.data(), t.data() + t.size(), v);
        if (r.ec != std::errc() || r.ptr != t.data() + t.size() || v < low || v > high)
            m_ok = false;
        return v;
    }
    int16_t i16() { return static_cast<int16_t>(number(INT16_MIN, INT16_MAX)); }

    bool ok() const { return m_ok; }
    bool atEnd() const { return m_rest.empty(); }

private:
    std::string_view m_rest;
    bool m_ok = true;
};

void putField(std::string& out, std::string_view value)
{
    out += value;
    out += DirectoryCache::FieldEnd;
}
void putField(std::string& out, int64_t value) { putField(out, std::to_string(value)); }

std::string encodeFields(const ShelfEntry& e)
{
    std::string out;
    if (e.kind == ShelfEntry::Kind::Puzzle) {
        putField(out, DirectoryCache::PuzzleTag);
        putField(out, e.formatVersion);
        putField(out, e.requiredVersion);
        putField(out, e.title);
        putField(out, e.sizeCount);
        putField(out, e.noCustom ? 1 : 0);
        putField(out, e.optionFlags);
        for (int i = 0; i < e.sizeCount && i < 5; ++i) {
            putField(out, e.columns[i]);
            putField(out, e.rows[i]);
        }
    } else {
        putField(out, DirectoryCache::SavedTag);
        putField(out, e.title);
        putField(out, e.puzzleFile);
        putField(out, e.sizeIndex);
        putField(out, e.savedColumns);
        putField(out, e.savedRows);
        putField(out, e.savedNumber);
        putField(out, e.savedText);
    }
    return out;
}

void decodePuzzle(FieldReader& f, ShelfEntry& e)
{
    e.formatVersion = f.i16();
    e.requiredVersion = f.i16();
    e.title = f.text();
    e.sizeCount = static_cast<int16_t>(f.number(0, 5));
    e.noCustom = f.number(0, 1) != 0;
    e.optionFlags = static_cast<uint8_t>(f.number(0, 255));
    for (int i = 0; f.ok() && i < e.sizeCount; ++i) {
        e.columns[i] = f.i16();
        e.rows[i] = f.i16();
    }
}

void decodeSaved(FieldReader& f, ShelfEntry& e)
{
    e.title = f.text();
    e.puzzleFile = f.text();
    e.sizeIndex = static_cast<int16_t>(f.number(0, 5));
    e.savedColumns = f.i16();
    e.savedRows = f.i16();
    e.savedNumber = static_cast<int32_t>(f.number(INT32_MIN, INT32_MAX));
    e.savedText = f.text();
}

enum class Decoded { Ok, OtherKind, Damaged };

// The fields after "NAME=" up to the record's end.
Decoded decode(std::string_view record, ShelfEntry::Kind expected, ShelfEntry& e)
{
    FieldReader f(record);
    std::string tag = f.text();
    ShelfEntry::Kind kind;
    if (tag == DirectoryCache::PuzzleTag)
        kind = ShelfEntry::Kind::Puzzle;
    else if (tag == DirectoryCache::SavedTag)
        kind = ShelfEntry::Kind::SavedGame;
    else
        return Decoded::Damaged;
    if (kind != expected)
        return Decoded::OtherKind;
    e.kind = kind;
    if (kind == ShelfEntry::Kind::Puzzle)
        decodePuzzle(f, e);
    else
        decodeSaved(f, e);
    return f.ok() && f.atEnd() ? Decoded::Ok : Decoded::Damaged;
}

}  // namespace

void DirectoryCache::requestRebuild()
{
    m_rebuild = true;
    m_rebuilt.clear();
}

void DirectoryCache::Open(const fs::path& dir, bool keepMarks)
{
    if (m_open && normalised(m_dir) == normalised(dir)) {
        if (!keepMarks) {
            for (size_t i = 1; i < m_text.size(); ++i) {
                if (m_text[i] == RecordStart)
                    m_text[i - 1] = '0';
            }
        }
        return;
    }
    Close();
    m_dir = dir;
    m_open = true;
    load(keepMarks);
}

void DirectoryCache::load(bool keepMarks)
{
    m_text.clear();
    m_dirty = false;
    FileContent content = ReadFile(m_dir);
    bool rebuild = m_rebuild && m_rebuilt.insert(normalised(m_dir)).second;
    if (!content.found)
        return;
    if (!content.accepted || rebuild) {
        // Written again at the next save even if nothing is stored.
        m_dirty = true;
        return;
    }
    m_text = std::move(content.text);
    if (!keepMarks) {
        for (size_t i = 1; i < m_text.size(); ++i) {
            if (m_text[i] == RecordStart)
                m_text[i - 1] = '0';
        }
    }
}

DirectoryCache::FileContent DirectoryCache::ReadFile(const fs::path& dir)
{
    FileContent out;
    fw::FileStream file(dir / FileName, fw::FileStream::Mode::Read);
    if (!file.isOpen())
        return out;
    out.found = true;
    if (file.size() < 4 || file.size() > MaxFileBytes)
        return out;
    fw::ScrambledStream scrambled(file, ScrambleKey, 0);
    fw::ByteReader in(scrambled);
    out.stamp = in.u32();
    std::vector<uint8_t> raw = in.bytes(static_cast<size_t>(scrambled.remaining()));
    if (in.failed())
        return out;
    std::string text(raw.begin(), raw.end());
    // The text ends at its first 0x00, and that is its last byte.
    size_t zero = text.find('\0');
    if (zero == std::string::npos || zero + 1 != text.size())
        return out;
    text.pop_back();
    out.text = std::move(text);
    out.accepted = out.stamp == Stamp && wellFormed(out.text);
    return out;
}

bool DirectoryCache::findRecord(const std::string& upperName, size_t& begin, size_t& end) const
{
    std::string key;
    key += RecordStart;
    key += upperName;
    key += '=';
    size_t at = m_text.find(key);
    if (at == std::string::npos || at == 0)
        return false;
    begin = at - 1;
    end = recordEnd(at + 1);
    return true;
}

size_t DirectoryCache::recordEnd(size_t from) const
{
    size_t next = m_text.find(RecordStart, from);
    return next == std::string::npos ? m_text.size() : next - 1;
}

bool DirectoryCache::Lookup(const std::string& fileName, ShelfEntry::Kind kind, ShelfEntry& entry)
{
    if (!m_open)
        return false;
    const std::string upper = files::upperAscii(fileName);
    size_t begin = 0, end = 0;
    if (!findRecord(upper, begin, end))
        return false;
    const size_t fields = begin + 2 + upper.size() + 1;
    ShelfEntry e;
    if (decode(std::string_view(m_text).substr(fields, end - fields), kind, e) != Decoded::Ok) {
        drop();
        return false;
    }
    m_text[begin] = '1';
    e.fileName = fileName;
    e.path = m_dir / fileName;
    entry = std::move(e);
    return true;
}

bool DirectoryCache::Cacheable(const ShelfEntry& e)
{
    if (!e.status.ok() || e.fileName.empty() || e.fileName.find('=') != std::string::npos)
        return false;
    for (const std::string* text : {&e.fileName, &e.title, &e.puzzleFile, &e.savedText}) {
        if (holdsReservedByte(*text))
            return false;
    }
    return e.sizeCount >= 0 && e.sizeCount <= 5 && e.sizeIndex >= 0 && e.sizeIndex <= 5;
}

bool DirectoryCache::Store(const ShelfEntry& entry)
{
    if (!m_open)
        return false;
    Forget(entry.fileName);
    if (!Cacheable(entry))
        return false;
    m_text += '1';
    m_text += RecordStart;
    m_text += files::upperAscii(entry.fileName);
    m_text += '=';
    m_text += encodeFields(entry);
    m_dirty = true;
    return true;
}

void DirectoryCache::Forget(const std::string& fileName)
{
    if (!m_open)
        return;
    const std::string upper = files::upperAscii(fileName);
    size_t begin = 0, end = 0;
    // A foreign cache may hold a name twice; none may survive.
    while (findRecord(upper, begin, end)) {
        m_text.erase(begin, end - begin);
        m_dirty = true;
    }
}

void DirectoryCache::drop()
{
    m_text.clear();
    m_dirty = true;
}

bool DirectoryCache::hasUnseen() const
{
    for (size_t i = 1; i < m_text.size(); ++i) {
        if (m_text[i] == RecordStart && m_text[i - 1] == '0')
            return true;
    }
    return false;
}

void DirectoryCache::removeUnseen()
{
    std::string kept;
    kept.reserve(m_text.size());
    size_t begin = 0;
    while (begin < m_text.size()) {
        size_t end = recordEnd(begin + 2);
        if (m_text[begin] == '1')
            kept.append(m_text, begin, end - begin);
        begin = end;
    }
    if (kept.size() != m_text.size())
        m_dirty = true;
    m_text = std::move(kept);
}

bool DirectoryCache::Save()
{
    if (!m_open)
        return false;
    removeUnseen();
    bool ok = fw::replaceFile(m_dir / FileName, [this](fw::Stream& s) {
        fw::ScrambledStream scrambled(s, ScrambleKey, 0);
        fw::ByteWriter w(scrambled);
        w.u32(Stamp);
        w.bytes(m_text.data(), m_text.size());
        w.u8(0);
        return !w.failed();
    });
    if (ok)
        m_dirty = false;
    return ok;
}

void DirectoryCache::Close()
{
    if (m_open && (m_dirty || hasUnseen()))
        Save();
    Discard();
}

void DirectoryCache::Discard()
{
    m_text.clear();
    m_dir.clear();
    m_open = false;
    m_dirty = false;
}

std::vector<DirectoryCache::Record> DirectoryCache::Records(const std::string& text)
{
    std::vector<Record> out;
    size_t at = text.find(RecordStart);
    while (at != std::string::npos) {
        size_t next = text.find(RecordStart, at + 1);
        // A damaged text may hold two record starts in a row: an empty record.
        size_t end = next == std::string::npos ? text.size() : std::max(next - 1, at + 1);
        std::string_view record(text.data() + at + 1, end - at - 1);
        Record r;
        r.seen = at > 0 && text[at - 1] == '1';
        size_t eq = record.find('=');
        if (eq != std::string_view::npos) {
            r.entry.fileName = std::string(record.substr(0, eq));
            std::string_view fields = record.substr(eq + 1);
            ShelfEntry::Kind kind = fields.substr(0, 4) == SavedTag ? ShelfEntry::Kind::SavedGame : ShelfEntry::Kind::Puzzle;
            r.readable = decode(fields, kind, r.entry) == Decoded::Ok;
        }
        out.push_back(std::move(r));
        at = next;
    }
    return out;
}

}  // namespace qv
