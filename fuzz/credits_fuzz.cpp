// fuzz-links: framework
// The credits text: directives and items parsed, laid out with fixed
// measures and scrolled through more than one round.
#include <algorithm>

#include "framework/Credits.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fw::CreditsDoc doc = fw::parseCredits(std::string(reinterpret_cast<const char*>(data), size));
    for (const fw::CreditsItem& item : doc.items) {
        if (item.kind == fw::CreditsItem::Kind::Text && item.font >= static_cast<int>(doc.fonts.size()))
            __builtin_trap();  // an item may only name a font that was defined
    }
    fw::CreditsMeasure measure;
    measure.text = [](const fw::CreditsItem& item, const fw::CreditsFont* font, int& w, int& h) {
        const int lines = 1 + static_cast<int>(std::count(item.text.begin(), item.text.end(), '\n'));
        const int size = font ? std::clamp(font->size, 1, 200) : 12;
        w = static_cast<int>(std::min<size_t>(item.text.size(), 2000)) * size / 2;
        h = lines * size;
    };
    measure.picture = [](int number, int& w, int& h) {
        w = (number & 0xFF) + 1;
        h = ((number >> 8) & 0xFF) + 1;
    };
    const int width = fw::layoutCredits(doc, measure);
    if (width < 360)
        __builtin_trap();
    fw::CreditsScroll scroll(fw::CreditsWindowHeight, fw::creditsTotalHeight(doc));
    for (int i = 0; i < 200 && scroll.rounds() < 2; ++i)
        scroll.step(std::max(1, fw::creditsTotalHeight(doc) / 50));
    return 0;
}
