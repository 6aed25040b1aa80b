// fuzz-links: jigsaw_library
// A puzzle file or saved game as the library lists it: the entry read from
// the file's head (the saved game's head without opening its puzzle), then
// kept in and read back from the directory cache.
#include <filesystem>

#include "fuzz/FuzzSupport.h"
#include "jigsaw/library/DirectoryCache.h"
#include "jigsaw/library/SavedGameHead.h"
#include "jigsaw/library/ShelfEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input in(data, size);
    const bool saved = in.byte() & 1;
    const std::filesystem::path dir = fuzz::scratchDir() / "entries";
    std::filesystem::create_directories(dir);
    const std::filesystem::path file = dir / (saved ? "Game.sav" : "Castle.puz");
    fuzz::writeFile(file, in.data(), in.size());

    if (saved) {
        qv::SavedGameHead head;
        qv::SavedGameHead::read(file, head);
    }
    qv::ShelfEntry entry = qv::ShelfEntry::read(file, qv::ShelfEntry::kindOf(file));
    qv::DirectoryCache cache;
    cache.Open(dir, false);
    if (!cache.Store(entry))
        return 0;
    qv::ShelfEntry back;
    if (!cache.Lookup(entry.fileName, entry.kind, back))
        __builtin_trap();  // a record just stored must read back
    if (back.title != entry.title || back.sizeCount != entry.sizeCount || back.puzzleFile != entry.puzzleFile ||
        back.savedText != entry.savedText || back.savedNumber != entry.savedNumber)
        __builtin_trap();
    cache.Close();
    return 0;
}
