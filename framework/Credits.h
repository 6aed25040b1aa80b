#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace fw {

// The credits roll: a small markup of directives ("\fnt1:Face,28,BOLD",
// "\snd:file", "\timerres:40", "\bkclr:r,g,b") and items ("{RGB=r,g,b fnt=n text}",
// "{@icon:n}", "{@icon2:n}", "{@bmp:n}"), parsed once and then laid out and
// scrolled by the credits window.
struct CreditsFont {
    std::string face;
    int size = 0;
    bool bold = false;
};

struct CreditsItem {
    enum class Kind { Text, Icon, Icon2, Picture };
    Kind kind = Kind::Text;
    std::string text;    // Text: the lines, separated by '\n'
    int number = 0;      // Icon, Icon2, Picture: the caller's resource number
    int font = -1;       // Text: index into the fonts; -1 = none defined
    uint32_t colour = 0; // 0x00BBGGRR
    int width = 0;       // from layout
    int height = 0;
};

struct CreditsDoc {
    uint32_t background = 0;
    int timerRes = 40;
    std::string sound;
    std::vector<CreditsFont> fonts;
    std::vector<CreditsItem> items;
};

CreditsDoc parseCredits(const std::string& text);

// Measures a text item (with its own line breaks) in its font; icons and
// pictures are measured by the caller's picture size.
struct CreditsMeasure {
    std::function<void(const CreditsItem&, const CreditsFont*, int& width, int& height)> text;
    std::function<void(int number, int& width, int& height)> picture;
};

// Fills every item's size and returns the window's width (the widest item
// plus 38, at least 360). The window's height is fixed.
int layoutCredits(CreditsDoc& doc, const CreditsMeasure& measure);

constexpr int CreditsWindowHeight = 200;
constexpr int CreditsItemGap = 4;

// The roll's scrolling: the first item starts half a window down, moves up
// by a step each tick and, once the whole roll has passed, re-enters from
// below after a gap of half a window.
class CreditsScroll {
public:
    CreditsScroll(int windowHeight, int totalHeight)
        : m_windowHeight(windowHeight), m_total(totalHeight), m_y(windowHeight / 2) {}

    void step(int pixels);
    int position() const { return m_y; }
    int rounds() const { return m_rounds; }

private:
    int m_windowHeight;
    int m_total;
    int m_y;
    int m_rounds = 0;
};

int creditsTotalHeight(const CreditsDoc& doc);

}  // namespace fw
