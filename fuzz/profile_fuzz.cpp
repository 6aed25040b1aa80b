// fuzz-links: framework
// The settings file of the jigsaw game (a profile of sections and keys):
// reading every key the program uses, loading the options, changing keys
// and reading the changed file again.
#include <filesystem>

#include "framework/Options.h"
#include "framework/Profile.h"
#include "fuzz/FuzzSupport.h"

namespace {

const char* const kKeys[] = {"FileProfile", "lang",   "ForceDIRotate", "Options", "Loupe",     "NoSparkle",
                             "NoShadow",    "Mute",   "DefAutoSave",   "LastPuz", "AbEnd",     "nSayClick2",
                             "LastCert",    "Shelf",  "DirPuzzles",    "sx",      "Level",     "MovePuz"};
const char* const kSections[] = {"", "Main", "PicClr", "OptsLoad", "DontAsk", "History", "main"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::filesystem::path file = fuzz::scratchDir() / "QVrk.ini";
    fuzz::writeFile(file, data, size);
    fw::Profile::parseInt(std::string_view(reinterpret_cast<const char*>(data), size));

    fw::Profile profile(file);
    profile.setDefaultSection("Main");
    for (const char* section : kSections) {
        for (const char* key : kKeys) {
            profile.has(section, key);
            profile.getString(section, key, "x");
            profile.getInt(section, key, 7);
        }
    }
    fw::Options options;
    options.load(profile);
    options.save(profile);
    fw::Options::resolveProfileName(fuzz::scratchDir(), profile.getString("FileProfile"));

    // A key written is read back, and a second reader of the file sees it.
    if (profile.setString("Main", "LastPuz", "C:\\Puzzles\\Castle.puz")) {
        fw::Profile other(file);
        if (other.getString("Main", "LastPuz") != "C:\\Puzzles\\Castle.puz")
            __builtin_trap();
    }
    profile.deleteKey("Main", "Mute");
    profile.deleteSection("History");
    if (profile.setInt("DontAsk", "MovePuz", 1) && profile.getInt("DontAsk", "MovePuz") != 1)
        __builtin_trap();
    return 0;
}
