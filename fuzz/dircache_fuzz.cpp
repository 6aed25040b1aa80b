// fuzz-links: jigsaw_library
// The directory cache of a shelf. The input is the file's content before
// scrambling (stamp, record text, final 0x00); it is scrambled on its way
// to the disk as the program's own caches are. The cache is read as the
// library opens it and as the inspection tool lists it, looked up by every
// name it holds, changed, saved and opened again.
#include <filesystem>

#include "framework/ScrambledStream.h"
#include "fuzz/FuzzSupport.h"
#include "jigsaw/library/DirectoryCache.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input in(data, size);
    const uint8_t mode = in.byte();
    const std::filesystem::path dir = fuzz::scratchDir() / "shelf";
    std::filesystem::create_directories(dir);
    std::vector<uint8_t> bytes(in.data(), in.data() + in.size());
    fw::ScrambledStream::scramble(bytes.data(), bytes.size(), 0, qv::DirectoryCache::ScrambleKey);
    fuzz::writeFile(dir / qv::DirectoryCache::FileName, bytes.data(), bytes.size());

    const auto content = qv::DirectoryCache::ReadFile(dir);
    const auto records = qv::DirectoryCache::Records(content.text);

    qv::DirectoryCache cache;
    if (mode & 1)
        cache.requestRebuild();
    cache.Open(dir, mode & 2);
    for (const auto& r : records) {
        qv::ShelfEntry e;
        const auto kind = (mode & 4) ? qv::ShelfEntry::Kind::SavedGame : qv::ShelfEntry::Kind::Puzzle;
        cache.Lookup(r.entry.fileName, kind, e);
    }
    qv::ShelfEntry added;
    added.fileName = "Added.puz";
    added.title = "Added";
    added.sizeCount = 1;
    added.columns[0] = added.rows[0] = 4;
    if (!cache.Store(added))
        __builtin_trap();
    if (!cache.Save())
        return 0;
    // What was saved is a cache the next run accepts, with the new record.
    const auto saved = qv::DirectoryCache::ReadFile(dir);
    if (!saved.found || !saved.accepted)
        __builtin_trap();
    qv::DirectoryCache next;
    next.Open(dir, true);
    qv::ShelfEntry e;
    if (!next.Lookup("added.PUZ", qv::ShelfEntry::Kind::Puzzle, e) || e.title != "Added")
        __builtin_trap();
    return 0;
}
