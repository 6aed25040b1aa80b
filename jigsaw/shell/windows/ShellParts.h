#pragma once
#include <filesystem>

namespace fw {
struct Display;
class Options;
class Profile;
class SoundPlayer;
class Traductor;
}  // namespace fw

namespace qv {

class GameFolders;
class Library;
class LiveRanking;
class Puz;
class ScoreKeeper;
class ShellScoresHost;

// What the commands work with, handed over once at start-up. Everything in
// it outlives the commands.
struct ShellParts {
    Puz& puz;
    ScoreKeeper& score;
    LiveRanking& live;
    ShellScoresHost& scoresHost;
    Library& library;
    fw::Profile& profile;
    fw::Options& options;
    fw::Traductor& traductor;
    fw::SoundPlayer& player;
    const GameFolders& folders;
    const fw::Display& display;  // the screen the program runs on
    std::filesystem::path programDir;
};

}  // namespace qv
