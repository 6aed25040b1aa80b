// fuzz-links: jigsaw_document
// A saved game: head, boxes, saved header, seed, piece records and order
// list, read over a small puzzle file lying beside it; a game that opens is
// saved and opened again.
#include "fuzz/FuzzSupport.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/document/PuzzleFileWriter.h"

namespace {

// The puzzle the fuzzed saved games name ("base.puz", beside them).
void makeBasePuzzle()
{
    static bool made = false;
    if (made)
        return;
    qv::PuzzleFileContent c;
    c.title = "Castle";
    c.sizeCount = 2;
    c.header = "/Med0:4#6/Med1:6#8/Tit:Castle/Rndn:0";
    c.palette = {0x112233};
    c.jpeg = {0xFF, 0xD8, 0xFF, 0xD9};
    if (!qv::writePuzzleFile(fuzz::scratchDir() / "base.puz", c).ok())
        std::abort();
    made = true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    makeBasePuzzle();
    const std::filesystem::path file = fuzz::scratchDir() / "game.sav";
    fuzz::writeFile(file, data, size);

    qv::HeadlessUser user;
    user.confirm = size & 1;
    qv::CutRandom rng;
    qv::Puz puz;
    puz.setUser(&user);
    puz.setGenerator(&rng);
    if (!puz.OpenSaved(file).ok())
        return 0;
    // "FP:" in the saved header may point the game at another puzzle file;
    // only a game that stays with its puzzle must survive the round trip.
    if (puz.puzzlePath.parent_path() != fuzz::scratchDir())
        return 0;
    puz.savedPath = fuzz::scratchDir() / "again.sav";
    if (!puz.Save().ok())
        __builtin_trap();  // a game that was read must be writable
    qv::Puz again;
    again.setUser(&user);
    again.setGenerator(&rng);
    if (!again.OpenSaved(puz.savedPath).ok() || again.pieceCount() != puz.pieceCount())
        __builtin_trap();  // and what was written must open again
    return 0;
}
