#pragma once
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "jigsaw/library/ShelfEntry.h"

namespace qv {

// The header facts of one shelf folder's puzzle files and saved games, kept
// in the scrambled file "dircache.tmp" of that folder so that a shelf lists
// without opening every file.
//
// The file holds a stamp and a record text. Each record is a marker ("1"
// seen since the cache was opened, "0" not yet), 0xFE, the file name in
// upper case, "=", a tag ("a1z9" puzzle, "b2y8" saved game) and the fields,
// each followed by 0xFF; the text ends with one 0x00. Saving drops the
// records not seen, so files deleted or renamed behind the program's back
// leave the cache.
class DirectoryCache {
public:
    static constexpr uint32_t Stamp = 1101;
    static constexpr const char* ScrambleKey = "Qe7v";
    static constexpr const char* FileName = "dircache.tmp";
    static constexpr char RecordStart = '\xFE';
    static constexpr char FieldEnd = '\xFF';
    static constexpr const char* PuzzleTag = "a1z9";
    static constexpr const char* SavedTag = "b2y8";
    // A larger file is no cache of ours: it is not read.
    static constexpr uint64_t MaxFileBytes = 16u << 20;

    // The previous run did not end normally: every folder's cache is read
    // from the files again the first time it is opened in this run.
    void requestRebuild();

    // Makes dir's cache the open one. A cache of another folder that holds
    // records or changes is saved first. A cache file that is missing,
    // damaged, of another stamp or due for a rebuild leaves the cache empty.
    // Unless keepMarks, every record starts as not seen.
    void Open(const std::filesystem::path& dir, bool keepMarks);
    // Fills entry from the record of that file and marks it seen; false on
    // a miss. A record of the other kind, or one that cannot be read, drops
    // the whole cache (it is rebuilt from the files).
    bool Lookup(const std::string& fileName, ShelfEntry::Kind kind, ShelfEntry& entry);
    // Replaces the file's record, marked seen. An entry that cannot be kept
    // (read failed, or a field holds 0x00, 0xFE or 0xFF, or the name an "=")
    // is not cached: its old record goes and false is returned.
    bool Store(const ShelfEntry& entry);
    // Removes the file's record (the file was moved or deleted).
    void Forget(const std::string& fileName);
    // Drops the records not seen and writes the file; false when it cannot
    // be written (the old file stays).
    bool Save();
    // Saves when there is anything to save, then empties the cache.
    void Close();
    // Empties the cache without saving (its folder is going away).
    void Discard();

    bool isOpen() const { return m_open; }
    const std::filesystem::path& directory() const { return m_dir; }
    // The record text, without the final 0x00.
    const std::string& text() const { return m_text; }

    static bool Cacheable(const ShelfEntry& entry);

    // A cache file as it lies on the disk, for tools: the stamp, whether
    // the text passes the checks, and the records in file order.
    struct Record {
        bool seen = false;
        ShelfEntry entry;   // fileName in upper case, as stored
        bool readable = false;
    };
    struct FileContent {
        bool found = false;
        uint32_t stamp = 0;
        bool accepted = false;
        std::string text;   // without the final 0x00
    };
    static FileContent ReadFile(const std::filesystem::path& dir);
    static std::vector<Record> Records(const std::string& text);

private:
    void load(bool keepMarks);
    void drop();
    // [begin, end) of the record of that upper-case name, begin at its marker.
    bool findRecord(const std::string& upperName, size_t& begin, size_t& end) const;
    size_t recordEnd(size_t fieldsFrom) const;
    bool hasUnseen() const;
    void removeUnseen();

    std::filesystem::path m_dir;
    std::string m_text;
    bool m_open = false;
    bool m_dirty = false;
    bool m_rebuild = false;
    std::set<std::filesystem::path> m_rebuilt;
};

}  // namespace qv
