#include <gtest/gtest.h>

#include <map>

#include "framework/Markup.h"

using namespace fw;

namespace {

// A font of fixed metrics: every character 6 pixels wide, lines 13 high.
class FixedMetrics : public MarkupMetrics {
public:
    static constexpr int CharW = 6, LineH = 13;

    MarkupSize textSize(const std::string& text, bool) override
    {
        int lines = 1, longest = 0, current = 0;
        for (char c : text) {
            if (c == '\n') {
                ++lines;
                current = 0;
            } else {
                longest = std::max(longest, ++current);
            }
        }
        return {longest * CharW, lines * LineH};
    }
    // Greedy wrapping at blanks.
    MarkupSize wrappedSize(const std::string& text, bool, int width) override
    {
        ++wrapCalls;
        lastWrapWidth = width;
        const int perLine = std::max(1, width / CharW);
        int lines = 1, used = 0, widest = 0;
        size_t i = 0;
        while (i < text.size()) {
            size_t end = text.find(' ', i);
            if (end == std::string::npos)
                end = text.size();
            const int word = static_cast<int>(end - i);
            const int need = used == 0 ? word : used + 1 + word;
            if (used > 0 && need > perLine) {
                ++lines;
                used = word;
            } else {
                used = need;
            }
            widest = std::max(widest, used);
            i = end + 1;
        }
        return {widest * CharW, lines * LineH};
    }
    MarkupSize fieldSize(MarkupFieldKind kind, const std::string& sample) override
    {
        const int w = static_cast<int>(sample.size()) * CharW;
        switch (kind) {
        case MarkupFieldKind::Edit: return {w + 8, 21};
        case MarkupFieldKind::Static: return {w, LineH};
        case MarkupFieldKind::Check: return {w + 20, 17};
        }
        return {};
    }
    int buttonWidth(const std::string& caption) override
    {
        int n = 0;
        for (char c : caption)
            n += c != '&';
        return n * CharW + 16;
    }

    int wrapCalls = 0;
    int lastWrapWidth = 0;
};

std::string texts(int kind, int id)
{
    static const std::map<std::pair<int, int>, std::string> table = {
        {{4, 1}, "OK"}, {{4, 2}, "Cancel"}, {{4, 3}, "&Yes"}, {{4, 4}, "&No"},
        {{4, 119}, "&Help"}, {{1, 857}, "How many pieces?"},
    };
    auto it = table.find({kind, id});
    return it == table.end() ? std::string() : it->second;
}

struct Laid {
    FixedMetrics metrics;
    MarkupLayout layout;
    explicit Laid(const std::string& markup, int help = 0, int passes = 2)
        : layout(markup, metrics, texts, help)
    {
        for (int i = 0; i < passes; ++i)
            layout.runPass();
    }
    const MarkupText& text(size_t i) const { return layout.texts().at(i); }
    MarkupRect button(size_t i) const { return layout.buttons().at(i).rect; }
};

}  // namespace

TEST(MarkupMessage, TemplateByStyle)
{
    struct Case {
        unsigned style;
        const char* markup;
    } cases[] = {
        {mb::Ok, "{TIT:Cap}{+0,6}{STRM:Text}{LIN}{TAB0}{+0,+16}{btns{OK}}"},
        {mb::OkCancel | mb::IconQuestion,
         "{TIT:Cap}{+0,6}{ICON_QUESTION}{+8,+0}{SETTAB1}{TAB1}{STRM:Text}{LIN}{TAB0}{+0,+16}{btns{OK}{CANCEL}}"},
        {mb::AbortRetryIgnore | mb::IconStop,
         "{TIT:Cap}{+0,6}{ICON_STOP}{+8,+0}{SETTAB1}{TAB1}{STRM:Text}{LIN}{TAB0}{+0,+16}{btns{ABORT}{RETRY}{IGNORE}}"},
        {mb::YesNoCancel | mb::IconExclamation,
         "{TIT:Cap}{+0,6}{ICON_EXCLAMATION}{+8,+0}{SETTAB1}{TAB1}{STRM:Text}{LIN}{TAB0}{+0,+16}{btns{YES}{NO}{CANCEL}}"},
        {mb::YesNo | mb::IconInformation,
         "{TIT:Cap}{+0,6}{ICON_INFORMATION}{+8,+0}{SETTAB1}{TAB1}{STRM:Text}{LIN}{TAB0}{+0,+16}{btns{YES}{NO}}"},
        // Icon bits of 0x50 and more: no icon, but the indent and tab stop 1 all the same.
        {mb::RetryCancel | 0x50, "{TIT:Cap}{+0,6}{+8,+0}{SETTAB1}{TAB1}{STRM:Text}{LIN}{TAB0}{+0,+16}{btns{RETRY}{CANCEL}}"},
        {0x06, "{TIT:Cap}{+0,6}{STRM:Text}{LIN}{TAB0}{+0,+16}{btns}"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MarkupMessage("Text", "Cap", c.style), c.markup) << c.style;
}

TEST(MarkupMessage, ExtraMarkupGoesAfterTheButtonsOrBeforeThemWithALeadingAngle)
{
    EXPECT_EQ(MarkupMessage("T", "C", mb::OkCancel, std::string("{LIN}{+12,+0}{check:Ask/INI:0}")),
              "{TIT:C}{+0,6}{STRM:T}{LIN}{TAB0}{+0,+16}{btns{OK}{CANCEL}}{LIN}{+12,+0}{check:Ask/INI:0}");
    EXPECT_EQ(MarkupMessage("T", "C", mb::Ok, std::string("<{inp:XXXX}{LIN}")),
              "{TIT:C}{+0,6}{STRM:T}{LIN}{TAB0}{+0,+16}<{inp:XXXX}{LIN}{btns{OK}}");
}

TEST(MarkupMessage, UnpairedBracesInTheTextCannotBreakTheMarkup)
{
    const std::string m = MarkupMessage("File a}b{c.puz {ok}", "x}", mb::Ok);
    EXPECT_EQ(m, "{TIT:x)}{+0,6}{STRM:File a)b(c.puz {ok}}{LIN}{TAB0}{+0,+16}{btns{OK}}");
    Laid l(m);
    ASSERT_EQ(l.layout.texts().size(), 1u);
    EXPECT_EQ(l.text(0).text, "File a)b(c.puz {ok}");
    EXPECT_EQ(l.layout.buttons().size(), 1u);
}

TEST(MarkupTokens, BracesNestAndOutsideTextJoinsTheNextToken)
{
    EXPECT_EQ(MarkupTokens(" {btns{OK}{cancel}} {STR: a b }x{LIN}tail"),
              (std::vector<std::string>{"btns{OK}{cancel}", "STR: a b", "xLIN", "tail"}));
    EXPECT_EQ(MarkupTokens("{STR:open"), (std::vector<std::string>{"STR:open"}));
}

TEST(MarkupLayout, QuestionBoxWithIconAndThreeButtons)
{
    Laid l(MarkupMessage("Save the game?", "Quorvane", mb::YesNoCancel | mb::IconQuestion));
    const auto& L = l.layout;
    EXPECT_EQ(L.caption(), "Quorvane");
    ASSERT_EQ(L.icons().size(), 1u);
    EXPECT_EQ(L.icons()[0].icon, mubox::IconQuestion);
    EXPECT_EQ(L.icons()[0].x, 12);
    EXPECT_EQ(L.icons()[0].y, 14);
    EXPECT_EQ(L.tabStops(), (std::vector<int>{12, 56}));
    // The text sits past the icon, centred on the icon's 32-pixel line.
    EXPECT_EQ(l.text(0).rect, (MarkupRect{56, 14 + (32 - 13) / 2, 84, 13}));
    EXPECT_FALSE(l.text(0).wrap);
    EXPECT_EQ(L.lineHeights(), (std::vector<int>{32, 28}));
    // Width: buttons 3 × 86 + 2 × 4 from x 12, plus margin and 4; height: 66 + 28 + 4.
    EXPECT_EQ(L.clientSize().w, 12 + 266 + 12 + 4);
    EXPECT_EQ(L.clientSize().h, 98);
    // Spread: room 270, buttons 258, gap 6, start 12.
    ASSERT_EQ(L.buttons().size(), 3u);
    EXPECT_EQ(l.button(0), (MarkupRect{12, 66, 86, 28}));
    EXPECT_EQ(l.button(1), (MarkupRect{104, 66, 86, 28}));
    EXPECT_EQ(l.button(2), (MarkupRect{196, 66, 86, 28}));
    EXPECT_EQ(L.buttons()[0].caption, "&Yes");
    EXPECT_TRUE(L.buttons()[0].isDefault);
    EXPECT_FALSE(L.buttons()[2].isDefault);
    EXPECT_EQ(L.defaultControl(), mubox::Yes);
    EXPECT_EQ(L.passes(), 2);
}

TEST(MarkupLayout, ButtonsSpreadWithGapsOfAtMost16AndCentre)
{
    // A wide text leaves room: gap capped at 16 and the row centred.
    Laid l("{STR:" + std::string(60, 'w') + "}{LIN}{btns{OK}{CANCEL}}");
    const int client = l.layout.clientSize().w;
    EXPECT_EQ(client, 372 + 12 + 4);  // the text's right edge, the margin and 4
    const int room = client - 12 - 12;
    EXPECT_EQ(l.button(1).x - l.button(0).right(), 16);
    EXPECT_EQ(l.button(0).x, 12 + (room - 16 - 172) / 2);
    // A single button is centred with no gap.
    Laid one("{STR:" + std::string(60, 'w') + "}{LIN}{btns{OK}}");
    EXPECT_EQ(one.button(0).x, 12 + (one.layout.clientSize().w - 24 - 86) / 2);
}

TEST(MarkupLayout, ButtonListsAndTheAddedHelpButton)
{
    struct Case {
        const char* markup;
        int help;
        std::vector<int> ids;
    } cases[] = {
        {"{btns{OK}{cancel}{HELP}}", 0, {1, 2, 119}},
        {"{btns{ABORT}{RETRY}{IGNORE}}", 0, {}},
        {"{btns{Yes}{No}}", 0, {3, 4}},
        {"{btns{OK}}", 152, {1, 119}},
        {"{btns{OK}{help}}", 152, {1, 119}},
        {"{btns{OKAY}{NOPE}}", 0, {}},
    };
    for (const auto& c : cases) {
        Laid l(c.markup, c.help);
        std::vector<int> ids;
        for (const auto& b : l.layout.buttons())
            ids.push_back(b.id);
        EXPECT_EQ(ids, c.ids) << c.markup;
    }
    Laid wide("{btns{OK}{CANCEL}}");
    EXPECT_EQ(wide.layout.buttons()[1].caption, "Cancel");
    EXPECT_EQ(wide.button(0).h, 28);
}

TEST(MarkupLayout, LongTextsWrapToFiveEighthsOfTheirWidth)
{
    struct Case {
        int chars;
        bool wraps;
    } cases[] = {
        {43, false},   // 258 wide, 13 high: under 20 times as wide as high
        {44, true},    // 264 > 260
        {101, true},   // 606 wide: over 600 as well
    };
    for (const auto& c : cases) {
        std::string text;
        while (static_cast<int>(text.size()) < c.chars)
            text += text.empty() ? "word" : " word";
        text.resize(c.chars);
        Laid l("{STRM:" + text + "}");
        EXPECT_EQ(l.text(0).wrap, c.wraps) << c.chars;
        if (c.wraps) {
            EXPECT_EQ(l.metrics.lastWrapWidth, c.chars * 6 * 5 / 8) << c.chars;
            EXPECT_LE(l.text(0).rect.w, c.chars * 6 * 5 / 8);
            EXPECT_GE(l.text(0).rect.h, 2 * 13);
        }
    }
    Laid plain("{STR:" + std::string(120, 'a') + "}");
    EXPECT_FALSE(plain.text(0).wrap);
    EXPECT_EQ(plain.text(0).rect.w, 720);
    EXPECT_EQ(plain.metrics.wrapCalls, 0);
}

TEST(MarkupLayout, PositionTokens)
{
    struct Case {
        const char* move;
        int x, y;
    } cases[] = {
        {"{+0,+16}", 12, 24}, {"{+0,16}", 12, 24}, {"{0,16}", 0, 24},   {"{+8,+0}", 20, 8},
        {"{8,+0}", 8, 8},     {"{+8}", 20, 8},     {"{30}", 30, 8},     {"{0x20,+0x10}", 32, 24},
        {"{+0,-4}", 12, 4},
    };
    for (const auto& c : cases) {
        Laid l(std::string(c.move) + "{STR:a}", 0, 1);
        EXPECT_EQ(l.text(0).rect.x, c.x) << c.move;
        EXPECT_EQ(l.text(0).rect.y, c.y) << c.move;
    }
}

TEST(MarkupLayout, TabStopsKeepTheirFirstPlace)
{
    Laid l("{+30,+0}{SETTAB1}{+50,+0}{SETTAB1}{SETTAB2}{LIN}{TAB1}{STR:a}{TAB2}{STR:b}{TAB0}{STR:c}{TAB7}{STR:d}");
    EXPECT_EQ(l.layout.tabStops(), (std::vector<int>{12, 42, 92}));
    EXPECT_EQ(l.text(0).rect.x, 42);
    EXPECT_EQ(l.text(1).rect.x, 92);
    EXPECT_EQ(l.text(2).rect.x, 12);
    EXPECT_EQ(l.text(3).rect.x, 12 + 6 + 4);  // no stop 7: x stays
    Laid huge("{SETTAB99999999}");
    EXPECT_LE(huge.layout.tabStops().size(), 64u);
}

TEST(MarkupLayout, LinesAdvanceByTheirHeightPlusFour)
{
    Laid l("{STR:one}{LIN}{STR:two\nlines}{LIN}{LIN}{STR:four}", 0, 1);
    EXPECT_EQ(l.text(0).rect.y, 8);
    EXPECT_EQ(l.text(1).rect.y, 8 + 13 + 4);
    EXPECT_EQ(l.text(1).rect.h, 26);
    EXPECT_EQ(l.text(2).rect.y, 25 + 26 + 4 + 4);
    EXPECT_EQ(l.layout.clientSize().h, 59 + 13 + 4);
    EXPECT_EQ(l.layout.lineHeights(), (std::vector<int>{13, 26, 0, 13}));
}

TEST(MarkupLayout, FieldsTheirOptionsIdsAndTheDefaultControl)
{
    Laid l("{TIT:Puzzle: Castle}{+0,6}{IDS(857)}{inp:XXXXXXX/limittext:7/INI:300}{LIN}"
           "{+12,+0}{check:Ask again/INI:1}{static:120}{static:(9999)}{LIN}{btns{OK}{CANCEL}{HELP}}");
    const auto& L = l.layout;
    EXPECT_EQ(L.caption(), "Puzzle: Castle");
    EXPECT_EQ(l.text(0).text, "How many pieces?");
    ASSERT_EQ(L.fields().size(), 4u);
    EXPECT_EQ(L.controlCount(), 4);
    const MarkupField& edit = L.fields()[0];
    EXPECT_EQ(edit.id, 1000);
    EXPECT_EQ(edit.kind, MarkupFieldKind::Edit);
    EXPECT_EQ(edit.sample, "XXXXXXX");
    EXPECT_EQ(edit.limit, 7);
    EXPECT_EQ(edit.ini, "300");
    // The edit follows the text: 16 characters at x 12, then 4.
    EXPECT_EQ(edit.rect, (MarkupRect{12 + 96 + 4, 14, 50, 21}));
    const MarkupField& check = L.fields()[1];
    EXPECT_EQ(check.id, 1001);
    EXPECT_EQ(check.kind, MarkupFieldKind::Check);
    EXPECT_EQ(check.sample, "Ask again");
    EXPECT_EQ(check.ini, "1");
    EXPECT_EQ(check.limit, -1);
    EXPECT_EQ(check.rect, (MarkupRect{24, 14 + 21 + 4, 74, 17}));
    // A number is a width; fields follow each other without a gap.
    EXPECT_EQ(L.fields()[2].rect, (MarkupRect{98, 39, 120, 13}));
    EXPECT_EQ(L.fields()[3].rect, (MarkupRect{218, 39, 36, 13}));
    EXPECT_FALSE(L.fields()[3].ini);
    // The first field comes before the OK button, so it takes the focus.
    EXPECT_EQ(L.defaultControl(), 1000);
    EXPECT_EQ(L.field(1001), &check);
    EXPECT_EQ(L.field(1004), nullptr);
    // A third pass (painting) places everything again in the same spots.
    const auto before = L.buttons()[0].rect;
    l.layout.runPass();
    EXPECT_EQ(L.buttons()[0].rect, before);
    EXPECT_EQ(L.fields()[1].rect, check.rect);
    EXPECT_EQ(L.fields().size(), 4u);
}

TEST(MarkupLayout, OkBeforeAnyFieldIsTheDefaultControl)
{
    Laid l("{btns{CANCEL}{OK}}{LIN}{inp:100}");
    EXPECT_EQ(l.layout.defaultControl(), mubox::Ok);
}

TEST(MarkupLayout, CenterAndThinFlagsAndUnknownTokens)
{
    Laid l("{CENTER}{THIN}{STR:a}{CENTER-}{STR:b}{THIN-}{STR:c}{NOSUCH:x}Hello {STR:ignored}{STR:d}");
    ASSERT_EQ(l.layout.texts().size(), 4u);
    EXPECT_TRUE(l.text(0).center);
    EXPECT_TRUE(l.text(0).thin);
    EXPECT_FALSE(l.text(1).center);
    EXPECT_TRUE(l.text(1).thin);
    EXPECT_FALSE(l.text(2).thin);
    EXPECT_EQ(l.text(3).text, "d");
    // The flags are cleared at the start of every pass.
    Laid r("{STR:x}{CENTER}{THIN}");
    EXPECT_FALSE(r.text(0).center);
    EXPECT_FALSE(r.text(0).thin);
}

TEST(MarkupLayout, ResultsAndTheOkYesCancelNoRules)
{
    struct Case {
        const char* buttons;
        int command, result;
    } cases[] = {
        {"{OK}{CANCEL}", 1, mb::IdOk},        {"{OK}{CANCEL}", 2, mb::IdCancel},
        {"{YES}{NO}", 1, mb::IdYes},          {"{YES}{NO}", 2, mb::IdNo},
        {"{YES}{NO}{CANCEL}", 2, mb::IdCancel}, {"{YES}{NO}{CANCEL}", 3, mb::IdYes},
        {"{YES}{NO}{CANCEL}", 4, mb::IdNo},   {"{OK}{YES}", 1, mb::IdOk},
        {"{OK}", 2, mb::IdCancel},            {"{OK}", 4500, 4500},
    };
    for (const auto& c : cases) {
        Laid l(std::string("{btns") + c.buttons + "}");
        EXPECT_EQ(l.layout.resultOf(c.command), c.result) << c.buttons << " " << c.command;
    }
}

TEST(MarkupUnexpected, TitleAndTheEmptyTitle)
{
    std::vector<std::pair<std::string, std::string>> seen;
    SetUnexpectedHandler([&](const std::string& t, const std::string& title) { seen.push_back({t, title}); });
    ReportUnexpected("KXIO:Seek !FileTemp");
    ReportUnexpected("BYTES::memcpy ovflw", "");
    SetUnexpectedHandler({});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].second, "Situaci\xF3n imprevista");
    EXPECT_EQ(seen[1].second, "BreakPoint (Cancel->brk)");
    EXPECT_EQ(seen[1].first, "BYTES::memcpy ovflw");
}
