#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "jigsaw/play/GameSounds.h"

using namespace qv;
namespace fs = std::filesystem;

TEST(GameSounds, PlaysByNumberHonoursMuteAndSkipsMissingFiles)
{
    fs::path dir = fs::temp_directory_path() / ("qv-sounds-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    for (const char* name : {"click1", "toca", "fxr2r"})
        std::ofstream(dir / (std::string(name) + ".wav")) << "RIFF";

    std::vector<std::string> played;
    GameSounds sounds(dir, [&](const std::string& p) { played.push_back(fs::path(p).stem().string()); });

    sounds.play(GameSounds::PickUp, 0);
    sounds.play(GameSounds::Join, 0x08);          // muted
    sounds.play(GameSounds::Effect, 0x1000);      // effects off
    sounds.play(GameSounds::Effect, 0);
    sounds.play(GameSounds::Complete, 0);         // file missing
    sounds.play(0, 0);                            // out of range
    sounds.play(8, 0);
    fs::remove(dir / "click1.wav");
    sounds.play(GameSounds::PickUp, 0);           // resolved once: still plays its remembered path
    EXPECT_EQ(played, (std::vector<std::string>{"click1", "fxr2r", "click1"}));

    std::ofstream(dir / "fin.wav") << "RIFF";
    sounds.play(GameSounds::Complete, 0);         // known missing stays missing
    EXPECT_EQ(played.size(), 3u);
    fs::remove_all(dir);
}
