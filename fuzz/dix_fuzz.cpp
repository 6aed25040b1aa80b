// fuzz-links: framework
// Translation files. The input is the file before scrambling (table offset,
// version, flag BMP, keys, offsets, pool); it is scrambled on its way to the
// disk like a real file. The translation layer loads it and looks up every
// entry it holds, following references and the fallbacks of contexts and
// variants, and fills each text as a format with a few values.
#include <filesystem>

#include "framework/ScrambledStream.h"
#include "framework/Traductor.h"
#include "framework/TraductorFormat.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<uint8_t> plain(data, data + size);
    fw::DixTable table;
    std::string why;
    const bool parsed = fw::parseDix(plain, table, why);

    const std::filesystem::path dir = fuzz::scratchDir() / "dix";
    std::filesystem::create_directories(dir);
    std::vector<uint8_t> bytes = plain;
    fw::ScrambledStream::scramble(bytes.data(), bytes.size(), 0, fw::kDixScrambleKey);
    fuzz::writeFile(dir / "QV21eng.dix", bytes.data(), bytes.size());

    fw::Traductor t;
    t.setReporter([](const std::string&) {});
    if (!t.Create("eng", dir, "QV21", 0, "eng,cas").ok())
        return 0;
    if (!parsed)
        __builtin_trap();  // the layer loaded what the parser refused
    for (int32_t key : table.keys) {
        const int id = key & 0xFFFF;
        const int high = static_cast<uint16_t>(key >> 16);
        const int kind = high & 0xFF, variant = high >> 8;
        for (int context : {0, 16, 32, 64, 80}) {
            const std::string text = t.Lookup(kind, id, variant, context, fw::Traductor::ReportMissing);
            fw::formatText(text, {42, "text", 2.5, -7});
        }
        t.GetText(id, id);
        t.Pluralize(t.Lookup(kind, id, 0, 0, fw::Traductor::Raw));
    }
    fw::Traductor::ErrorText(&t, 3);
    t.SetLanguage("cas");
    return 0;
}
