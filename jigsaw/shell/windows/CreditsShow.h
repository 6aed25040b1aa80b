#pragma once
#include <QPixmap>
#include <map>
#include <string>

namespace qv {

class App;

// The credits roll over the play window: its text, the pictures it names
// (the puzzle's thumbnail and the program's icons) and its sound.
class CreditsShow {
public:
    static std::string text(App& app);
    static std::map<int, QPixmap> pictures(App& app);
    // Runs the roll modally.
    static void run(App& app);
};

}  // namespace qv
