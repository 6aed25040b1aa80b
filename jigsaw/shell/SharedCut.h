#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "jigsaw/document/CutRecipe.h"
#include "jigsaw/scores/PuzzleId.h"

namespace qv {

class Puz;

// A cut passed between players as one short line of text, so that friends
// play the same pieces of a puzzle each has on a shelf:
//
//   QvCut1:Old+Mill;2;19x17;1000x872;R;240;3735928559;1A2B3-4C5D6-7E8F9-A0B1C;5E0C1A9B
//
// The prefix and the format's version, the title, the level, columns "x"
// rows, the picture's size, the options ("R" no rotation, "M" plain pieces,
// "-" neither), the cutting version and seed, the puzzle file's id, and a
// CRC-32 of everything before it. The line holds only printable ASCII and no
// blank: the title's blanks are "+", and "%", ";", "+", braces and every
// byte outside the printable range are written "%" and two hex digits.
// Decoding accepts only the one spelling encoding gives, so a changed,
// missing or extra character is always refused.
struct SharedCut {
    static constexpr std::string_view Prefix = "QvCut";
    static constexpr int Format = 1;

    enum class Fault {
        None,
        NotShared,    // no shared cut at all (the prefix is missing)
        NewerFormat,  // a format this build does not know
        Malformed,    // a part missing, out of range or not as encoding writes it
        Checksum,     // the check sum does not match the text
    };

    std::string title;
    PuzzleId id;
    CutRecipe recipe;  // its mark is the check sum, the same for every share of this cut

    // The cut of the open game.
    static SharedCut FromGame(const Puz& puz, const PuzzleId& id);
    std::string Encode() const;

    struct Decoded;
    // Blanks and line ends around the line are dropped (a clipboard or a
    // chat may add them); nothing else is forgiven.
    static Decoded Decode(std::string_view text);
    // Whether a clipboard text is meant as a shared cut (damaged or not).
    static bool LooksShared(std::string_view text);
    // The English reason of a fault, for logs and tests.
    static const char* FaultName(Fault fault);
};

// A decoded text: the cut, or why there is none.
struct SharedCut::Decoded {
    std::optional<SharedCut> cut;
    Fault fault = Fault::None;
};

// CRC-32 (the polynomial of zip files) of the bytes.
uint32_t Crc32(std::string_view bytes);

}  // namespace qv
