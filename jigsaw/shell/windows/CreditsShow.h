#pragma once
#include <QPixmap>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

class QWidget;

namespace fw {
class Options;
class SoundPlayer;
}  // namespace fw

namespace qv {

class Puz;

// The credits roll over the play window: its text, the pictures it names
// (the puzzle's thumbnail and the program's icons) and its sound.
class CreditsShow {
public:
    // What the roll tells of: the open puzzle, the translated texts and the
    // program's folder.
    struct Facts {
        const Puz& puz;
        std::function<std::string(int id)> text;
        std::filesystem::path programDir;
    };

    static std::string textOf(const Facts& facts);
    static std::map<int, QPixmap> picturesOf(const Puz& puz);
    // Runs the roll modally over a window; its tune unless the sound is off.
    static void run(const Facts& facts, QWidget* over, const fw::Options& options, fw::SoundPlayer& player);

    // The same of a running program: anything with puz(), text(id) and programDir().
    template <class Program>
    static std::string text(Program& program)
    {
        return textOf(Facts{program.puz(), [&program](int id) { return program.text(id); }, program.programDir()});
    }
    template <class Program>
    static std::map<int, QPixmap> pictures(Program& program)
    {
        return picturesOf(program.puz());
    }
};

}  // namespace qv
