// fuzz-links: jigsaw_document
// The header string of puzzle files and saved games: key lookups, numbers,
// and the document's reading of both forms followed by writing them back.
#include "fuzz/FuzzSupport.h"
#include "jigsaw/document/HeaderString.h"
#include "jigsaw/document/Puz.h"

namespace {

const char* const kKeys[] = {"Med0:", "Meds:", "WantPgmVersion:", "(c):", "Rndn:", "BkClr:", "Tit:", "NoRotable",
                             "Nopreview", "Vers:", "SZW:", "FactorImgSav:", "boxnm:", "clr2box:", "BoxFlags:",
                             "dateStart:", "wmuestra:", "MinRes:", "nocustom", "/", ""};

void lookups(const std::string& text, const std::string& separators)
{
    qv::HeaderString h(text, separators);
    for (const char* key : kKeys) {
        while (auto v = h.take(key)) {
            qv::HeaderString::parseNumber(*v);
            qv::HeaderString::parseReal(*v);
            int64_t a = 0, b = 0;
            qv::HeaderString::parsePair(*v, 'x', a, b);
            qv::HeaderString::parsePair(*v, '#', a, b);
            if (key[0] == '\0')
                break;  // the empty key matches at every separator
        }
    }
    qv::HeaderString::escape(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input in(data, size);
    const uint8_t mode = in.byte();
    const std::string text = in.text();
    lookups(text, mode & 1 ? "/-" : "/");

    qv::Puz puz;
    qv::HeadlessUser user;
    user.confirm = mode & 2;
    puz.setUser(&user);
    if (mode & 4)
        puz.edit = qv::Puz::Making;
    const bool saved = mode & 8;
    if (puz.ParseHeader(text, saved).ok()) {
        // What was read must write and read back to the same header.
        const std::string built = puz.BuildHeader(saved);
        qv::Puz again;
        again.setUser(&user);
        again.edit = puz.edit;
        again.ParseHeader(built, saved);
        // A scale factor just below 1 is written with six decimals as
        // "1.000000", which reads back as 1 and is then not written at all.
        const std::string rebuilt = again.BuildHeader(saved);
        std::string withoutFactor = built;
        const std::string one = "/FactorImgSav:1.000000";
        if (size_t at = withoutFactor.find(one); at != std::string::npos)
            withoutFactor.erase(at, one.size());
        if (rebuilt != built && rebuilt != withoutFactor)
            __builtin_trap();
    }
    return 0;
}
