#pragma once
// Plays a game with random but meaningful input from a seed and stops at
// the first finding: a crash, a sanitizer report, a hang, a broken check of
// the game, or a file of the game that no longer reads.
#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "Desk.h"
#include "Game.h"

namespace monkey {

struct Config {
    std::string game;               // "qvrk32" or "mvro"
    std::filesystem::path folder;   // the game's portable folder
    std::filesystem::path puzdump;  // the inspector that checks the jigsaw's files
    std::filesystem::path logDir;
    std::string user;
    int seconds = 60;
    uint64_t seed = 1;
};

class Monkey {
public:
    explicit Monkey(Config config);
    // 0 when clean, 1 on a finding, 2 when the monkey itself could not run.
    int run();

private:
    using Clock = std::chrono::steady_clock;

    // --- randomness from the seed
    int below(int n);
    bool chance(int percent);
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }

    // --- the record of inputs
    void note(const std::string& what);

    // --- input
    void pause(int ms);
    void moveTo(int x, int y);
    void glide(int x0, int y0, int x1, int y1, int steps);
    void press(int b) { m_desk.button(b, true); }
    void release(int b) { m_desk.button(b, false); }
    void click(int x, int y, int b = 1);
    void tap(unsigned long keysym, const std::vector<unsigned long>& mods = {});
    void type(const std::string& text);

    // --- the game's windows
    bool refresh();  // false when the game has no window
    const Win* topDialog() const;
    const Win* topPopup() const;

    // --- what to play
    void step();
    void answerPopup(const Win& popup);
    void answerDialog(const Win& dialog);
    void playJigsaw();
    void playMines();
    void jigsawKey();
    void jigsawDrag(bool turnWhileCarrying);
    std::pair<int, int> pointOnPiece();
    std::pair<int, int> anyPoint();
    std::string someText();

    // --- the game's life
    bool launch(bool reopenOwnFiles);
    bool closeGame();
    bool sync();  // waits for the game to handle what was sent; false on a hang
    std::string hangStacks();
    bool checkFiles();
    bool checkIni(const std::filesystem::path& file);
    bool checkAfterEnd(bool asked);
    void finding(const std::string& kind, const std::string& details);

    Config m_cfg;
    std::mt19937_64 m_rng;
    Desk m_desk;
    Game m_gameRun;
    std::vector<Win> m_windows;
    Win m_main;
    std::deque<std::string> m_last;
    std::ofstream m_inputs;
    Clock::time_point m_start;
    long m_inputCount = 0;
    int m_restarts = 0;
    int m_dialogs = 0;
    bool m_found = false;
    bool m_closing = false;
    std::vector<Window> m_seenDialogs;
    std::vector<uint32_t> m_shot;  // the play window's colours on a grid
    bool m_shotTaken = false;
};

}  // namespace monkey
