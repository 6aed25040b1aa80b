#pragma once
#include <functional>
#include <string>

namespace qv {

class Puz;

// The credits roll's text in the credits markup: fonts and sound, the
// picture's acknowledgement, the open puzzle, the program, its authors.
struct CreditsText {
    // Picture numbers the text refers to; the caller supplies the pictures.
    enum : long { Thumbnail = 1, Icon = 200, Icon2 = 201 };

    // text(id) gives a translated text; versionText the program's version;
    // programDir stands in for the puzzle when none is open.
    static std::string build(const Puz& puz, const std::function<std::string(int)>& text,
                             const std::string& versionText, const std::string& programDir, bool hasThumbnail);
};

}  // namespace qv
