#pragma once
#include <cstdint>
#include <filesystem>
#include <string_view>

#include "framework/Profile.h"

namespace fw {

// Bits of the options word (key "Options").
namespace opt {
constexpr uint32_t Transient = 0x0001;      // cleared at every load
// The transient bit is the picture-cache setting: a decoded picture is kept
// in its puzzle file only for the run that asked for it.
constexpr uint32_t PictureCache = Transient;
constexpr uint32_t DragEffect = 0x0002;
constexpr uint32_t Mute = 0x0008;
constexpr uint32_t EscMinimizes = 0x0010;
constexpr uint32_t DefCompetition = 0x0020;
constexpr uint32_t DefAutoSave = 0x0040;
constexpr uint32_t DefHideBoxes = 0x0080;
constexpr uint32_t DefHideScore = 0x0100;
constexpr uint32_t DefHidePreview = 0x0200;
constexpr uint32_t NoBalloons = 0x0400;
constexpr uint32_t GreyEdges = 0x0800;      // piece edges in plain greys, not blended
constexpr uint32_t NoAnimations = 0x1000;
constexpr uint32_t NoBoxSound = 0x4000;
}  // namespace opt

// Bits of a game's options (the game defaults, "/Options:" in a game header).
namespace gameopt {
constexpr uint32_t Competition = 0x01;
constexpr uint32_t AutoSave = 0x02;
constexpr uint32_t HidePreview = 0x04;
constexpr uint32_t HideBoxes = 0x08;
constexpr uint32_t HideScore = 0x10;
}  // namespace gameopt

// The user's options, loaded from the settings profile at start-up and saved
// at exit. Keys are read from the profile's default section ("Main").
class Options {
public:
    static constexpr int DefaultLoupeSize = 210;
    static constexpr double DefaultLoupeFactor = 2.0;

    uint32_t word = 0;          // opt:: bits
    uint32_t gameDefaults = 0;  // gameopt:: bits of new games
    uint8_t noSparkle = 0;
    uint8_t noShadow = 0;
    uint8_t solidShadow = 0;
    int loupeSize = DefaultLoupeSize;
    double loupeFactor = DefaultLoupeFactor;
    // The ghost picture's strength in percent, 0 off (our own key "QvGhost").
    static constexpr uint8_t MaxGhost = 100;
    uint8_t ghost = 0;
    // Set by the options windows; the options window saves the options when
    // it is destroyed with this set, and clears it.
    uint8_t changed = 0;

    // Reads the options. The older keys "Mute", "DefAutoSave" and
    // "DefCompetition" set or clear their bits and are deleted; the transient
    // bit is cleared. When either changed the word, it is saved at once.
    void load(Profile& profile);
    // Writes "Options" and "Loupe", and "QvGhost" while the ghost is on
    // (off, the key goes); false when the file could not be written.
    bool save(Profile& profile) const;

    static uint32_t deriveGameDefaults(uint32_t word);

    // The settings file of a program: base + ".ini" in its directory, unless
    // that file's key "FileProfile" names another. A bare name (no path
    // separator) lies in the program's directory and gets the extension "ini".
    static std::filesystem::path settingsPath(const std::filesystem::path& programDir, std::string_view base);
    static std::filesystem::path resolveProfileName(const std::filesystem::path& programDir, std::string_view name);
};

}  // namespace fw
