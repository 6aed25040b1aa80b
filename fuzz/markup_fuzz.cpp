// fuzz-links: framework
// Markup of message boxes: texts and captions from translation files turned
// into markup, the markup read as tokens and laid out in three passes with
// a font of fixed metrics, as the box does before and while it paints.
#include <algorithm>

#include "framework/Markup.h"
#include "fuzz/FuzzSupport.h"

namespace {

class Metrics : public fw::MarkupMetrics {
public:
    fw::MarkupSize textSize(const std::string& text, bool thin) override
    {
        int lines = 1, longest = 0, current = 0;
        for (char c : text) {
            current = c == '\n' ? 0 : current + 1;
            lines += c == '\n';
            longest = std::max(longest, current);
        }
        return {longest * (thin ? 5 : 6), lines * 13};
    }
    fw::MarkupSize wrappedSize(const std::string& text, bool thin, int width) override
    {
        fw::MarkupSize one = textSize(text, thin);
        int w = std::max(1, width);
        return {std::min(one.w, w), one.h * (one.w / w + 1)};
    }
    fw::MarkupSize fieldSize(fw::MarkupFieldKind, const std::string& sample) override
    {
        return {static_cast<int>(std::min<size_t>(sample.size(), 1000)) * 7 + 8, 20};
    }
    int buttonWidth(const std::string& caption) override { return static_cast<int>(caption.size()) * 6 + 12; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input in(data, size);
    const uint8_t style = in.byte();
    const uint8_t help = in.byte();
    const std::string caption = in.takeUntil('\0');
    const std::string text = in.takeUntil('\0');
    const std::string extra = in.text();

    const std::string built = fw::MarkupMessage(text, caption, style, extra.empty() ? std::nullopt
                                                                                    : std::optional<std::string>(extra));
    fw::MarkupTokens(built);
    Metrics metrics;
    auto texts = [](int kind, int id) { return "T" + std::to_string(kind) + ":" + std::to_string(id); };
    for (const std::string& markup : {built, extra}) {
        fw::MarkupLayout layout(markup, metrics, texts, help);
        for (int pass = 0; pass < 3; ++pass)
            layout.runPass();
        for (int command : {1, 2, 3, 4, 119, 1000})
            layout.resultOf(command);
        // Caption and text of a message box cannot break its markup: the
        // buttons the style asks for are always there.
        if (&markup == &built && extra.empty() && (style & 0x0F) == 1 && (!layout.hasButton(1) || !layout.hasButton(2)))
            __builtin_trap();
    }
    return 0;
}
