// fuzz-links: jigsaw_document
// A puzzle file as the library and the document read it: the entry
// (preamble, header, directory) from memory, then the whole opening with
// cutting, without pixels.
#include "framework/Stream.h"
#include "fuzz/FuzzSupport.h"
#include "jigsaw/document/Entry.h"
#include "jigsaw/document/Puz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input in(data, size);
    const uint8_t sizeIndex = in.byte();
    const uint8_t options = in.byte();

    fw::MemoryStream memory(in.data(), in.size());
    qv::Entry entry;
    entry.read(memory, "fuzz.puz");

    const std::filesystem::path file = fuzz::scratchDir() / "fuzz.puz";
    fuzz::writeFile(file, in.data(), in.size());
    qv::Puz puz;
    qv::HeadlessUser user;
    if (options & 1)
        user.customSize = std::to_string(options);  // a piece count for the custom size
    puz.setUser(&user);
    qv::CutRandom rng;
    puz.setGenerator(&rng);
    puz.OpenPuzzle(file, sizeIndex % 7, (options & 2 ? qv::Puz::NoRotable : 0) | (options & 4 ? qv::Puz::NoDeform : 0));
    return 0;
}
