#pragma once
#include <string>

#include "framework/Status.h"

namespace qv {

class Puz;
class HeaderString;

// The document's side of the header string: which keys a puzzle file and a
// saved game carry and how their values map onto the document's fields.
class PuzHeader {
public:
    // Reads the keys of the puzzle form (saved = false) or the saved-game
    // form into the document. Fails with 1002 (screen below "MinRes:") or
    // the cancelled status (question 1001 answered Cancel).
    static fw::Status parse(Puz& puz, const std::string& text, bool saved);
    static std::string build(const Puz& puz, bool saved);

private:
    static void parseCommon(Puz& puz, HeaderString& h, bool saved);
    static void parseSizes(Puz& puz, HeaderString& h);
    static fw::Status parseSaved(Puz& puz, HeaderString& h);
    static void parseBoxes(Puz& puz, HeaderString& h);
    static fw::Status parsePuzzle(Puz& puz, HeaderString& h);
    static void buildCommon(const Puz& puz, std::string& out);
    static void buildSaved(const Puz& puz, std::string& out);
    static void buildBoxes(const Puz& puz, std::string& out);
    static void parseGameOptions(Puz& puz, HeaderString& h);
    static void parseBoxWindows(Puz& puz, HeaderString& h);
    static void buildBoxWindows(const Puz& puz, std::string& out);
    static void parsePictureSize(Puz& puz, HeaderString& h);
    static void buildPictureSize(const Puz& puz, std::string& out);
    static void parseTexture(Puz& puz, HeaderString& h);
    static void buildTexture(const Puz& puz, std::string& out);
    static bool isCutMark(const std::string& mark);
    static void parseSharedCut(Puz& puz, HeaderString& h);
    static void parseZoom(Puz& puz, HeaderString& h);
    static void buildZoom(const Puz& puz, std::string& out);
};

}  // namespace qv
