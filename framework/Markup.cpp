#include "framework/Markup.h"

#include <algorithm>
#include <cctype>
#include <iostream>

namespace fw {

namespace {

// A SETTAB with a silly index must not allocate without bound.
constexpr int kMaxTabStops = 64;

bool startsWith(const std::string& s, const char* prefix, size_t& length)
{
    length = std::char_traits<char>::length(prefix);
    if (s.size() < length)
        return false;
    for (size_t i = 0; i < length; ++i)
        if (std::tolower(static_cast<unsigned char>(s[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

bool startsWith(const std::string& s, const char* prefix)
{
    size_t n;
    return startsWith(s, prefix, n);
}

std::string trim(const std::string& s)
{
    const char* blanks = " \t\r\n";
    size_t a = s.find_first_not_of(blanks);
    if (a == std::string::npos)
        return {};
    return s.substr(a, s.find_last_not_of(blanks) - a + 1);
}

// Decimal, or hexadecimal with "0x"; reads from `at` and moves it past the number.
int number(const std::string& s, size_t& at)
{
    bool negative = false;
    if (at < s.size() && (s[at] == '+' || s[at] == '-'))
        negative = s[at++] == '-';
    long long v = 0;
    if (at + 1 < s.size() && s[at] == '0' && (s[at + 1] == 'x' || s[at + 1] == 'X')) {
        at += 2;
        while (at < s.size() && std::isxdigit(static_cast<unsigned char>(s[at]))) {
            const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(s[at++])));
            v = std::min<long long>(v * 16 + (c <= '9' ? c - '0' : c - 'a' + 10), 1 << 24);
        }
    } else {
        while (at < s.size() && std::isdigit(static_cast<unsigned char>(s[at])))
            v = std::min<long long>(v * 10 + (s[at++] - '0'), 1 << 24);
    }
    return static_cast<int>(negative ? -v : v);
}

int numberAt(const std::string& s, size_t at)
{
    return number(s, at);
}

bool isNumber(const std::string& s)
{
    if (s.empty())
        return false;
    size_t at = 0;
    number(s, at);
    return at == s.size() && std::isdigit(static_cast<unsigned char>(s[0]));
}

// Braces that pair up stay; the others become parentheses.
std::string balanceBraces(const std::string& text)
{
    std::string out = text;
    std::vector<size_t> open;
    for (size_t i = 0; i < out.size(); ++i) {
        if (out[i] == '{') {
            open.push_back(i);
        } else if (out[i] == '}') {
            if (open.empty())
                out[i] = ')';
            else
                open.pop_back();
        }
    }
    for (size_t i : open)
        out[i] = '(';
    return out;
}

const char* buttonsOf(unsigned style)
{
    switch (style & 0x0F) {
    case mb::Ok: return "{OK}";
    case mb::OkCancel: return "{OK}{CANCEL}";
    case mb::AbortRetryIgnore: return "{ABORT}{RETRY}{IGNORE}";
    case mb::YesNoCancel: return "{YES}{NO}{CANCEL}";
    case mb::YesNo: return "{YES}{NO}";
    case mb::RetryCancel: return "{RETRY}{CANCEL}";
    default: return "";
    }
}

const char* iconOf(unsigned style)
{
    switch (style & mb::IconMask) {
    case mb::IconStop: return "{ICON_STOP}";
    case mb::IconQuestion: return "{ICON_QUESTION}";
    case mb::IconExclamation: return "{ICON_EXCLAMATION}";
    case mb::IconInformation: return "{ICON_INFORMATION}";
    default: return "";
    }
}

const char* englishCaption(int id)
{
    switch (id) {
    case mubox::Ok: return "OK";
    case mubox::Cancel: return "Cancel";
    case mubox::Yes: return "&Yes";
    case mubox::No: return "&No";
    case mubox::Help: return "&Help";
    default: return "";
    }
}

UnexpectedHandler& unexpectedHandler()
{
    static UnexpectedHandler handler;
    return handler;
}

}  // namespace

std::string MarkupMessage(const std::string& text, const std::string& caption, unsigned style,
                          const std::optional<std::string>& extra)
{
    const std::string buttons = buttonsOf(style);
    std::string m = "{TIT:" + balanceBraces(caption) + "}{+0,6}";
    if (style & mb::IconMask)
        m += std::string(iconOf(style)) + "{+8,+0}{SETTAB1}{TAB1}";
    m += "{STRM:" + balanceBraces(text) + "}{LIN}{TAB0}{+0,+16}";
    if (extra && !extra->empty() && extra->front() == '<')
        return m + *extra + "{btns" + buttons + "}";
    m += "{btns" + buttons + "}";
    if (extra)
        m += *extra;
    return m;
}

std::vector<std::string> MarkupTokens(const std::string& markup)
{
    std::vector<std::string> tokens;
    std::string pending;
    size_t i = 0;
    while (i < markup.size()) {
        if (markup[i] != '{') {
            pending += markup[i++];
            continue;
        }
        int depth = 0;
        size_t j = i;
        for (; j < markup.size(); ++j) {
            if (markup[j] == '{')
                ++depth;
            else if (markup[j] == '}' && --depth == 0)
                break;
        }
        const size_t end = std::min(j, markup.size());
        tokens.push_back(trim(pending + markup.substr(i + 1, end - i - 1)));
        pending.clear();
        i = end + 1;
    }
    if (!trim(pending).empty())
        tokens.push_back(trim(pending));
    return tokens;
}

MarkupLayout::MarkupLayout(std::string markup, MarkupMetrics& metrics, MarkupTextSource texts, int helpContext)
    : m_markup(std::move(markup)), m_metrics(metrics), m_source(std::move(texts)), m_helpContext(helpContext)
{
}

void MarkupLayout::runPass()
{
    m_c = Cursor{};
    m_texts.clear();
    m_icons.clear();
    for (const auto& t : MarkupTokens(m_markup))
        token(t);
    m_c.y += m_c.lineHeight;
    if (m_pass == 0) {
        // The last line has no {LIN} after it; recording it too lets the
        // texts of that line centre like those above.
        m_lineHeights.push_back(m_c.lineHeight);
        m_controlCount = m_c.control;
        m_client = {m_c.widest + mubox::LeftMargin + 4, m_c.y + 4};
    }
    ++m_pass;
}

void MarkupLayout::token(const std::string& t)
{
    size_t n = 0;
    if (startsWith(t, "SETTAB", n)) {
        const int last = std::min(numberAt(t, n), kMaxTabStops - 1);
        while (static_cast<int>(m_tabs.size()) <= last)
            m_tabs.push_back(m_c.x);
    } else if (startsWith(t, "TAB", n)) {
        const int stop = numberAt(t, n);
        if (stop >= 0 && stop < static_cast<int>(m_tabs.size()))
            m_c.x = m_tabs[stop];
    } else if (startsWith(t, "CENTER", n)) {
        m_c.center = !(t.size() > n && t[n] == '-');
    } else if (startsWith(t, "THIN", n)) {
        m_c.thin = !(t.size() > n && t[n] == '-');
    } else if (startsWith(t, "IDS(", n)) {
        textBlock(m_source ? m_source(1, numberAt(t, n)) : std::string(), false);
    } else if (startsWith(t, "STR:", n)) {
        textBlock(t.substr(n), false);
    } else if (startsWith(t, "STRM:", n)) {
        textBlock(t.substr(n), true);
    } else if (startsWith(t, "ICON_", n)) {
        icon(t.substr(n));
    } else if (startsWith(t, "tit:", n)) {
        m_caption = t.substr(n);
    } else if (!t.empty() && (t[0] == '+' || std::isdigit(static_cast<unsigned char>(t[0])))) {
        position(t);
    } else if (startsWith(t, "lin")) {
        newLine();
    } else if (startsWith(t, "btns", n)) {
        buttonRow(t.substr(n));
    } else if (startsWith(t, "inp:", n)) {
        fieldToken(MarkupFieldKind::Edit, t.substr(n));
    } else if (startsWith(t, "static:", n)) {
        fieldToken(MarkupFieldKind::Static, t.substr(n));
    } else if (startsWith(t, "check:", n)) {
        fieldToken(MarkupFieldKind::Check, t.substr(n));
    }
}

void MarkupLayout::textBlock(const std::string& text, bool mayWrap)
{
    const MarkupSize one = m_metrics.textSize(text, m_c.thin);
    MarkupText block{text, {m_c.x, m_c.y, one.w, one.h}, false, m_c.center, m_c.thin};
    if (mayWrap && (one.w > 20 * one.h || one.w > 600)) {
        const MarkupSize wrapped = m_metrics.wrappedSize(text, m_c.thin, one.w * 5 / 8);
        block.rect.w = wrapped.w;
        block.rect.h = wrapped.h;
        block.wrap = true;
    }
    if (m_pass > 0 && m_c.line < static_cast<int>(m_lineHeights.size()))
        block.rect.y += (m_lineHeights[m_c.line] - block.rect.h) / 2;
    m_c.x = block.rect.right() + 4;
    m_c.lineHeight = std::max(m_c.lineHeight, block.rect.h);
    m_c.widest = std::max(m_c.widest, block.rect.right());
    m_texts.push_back(std::move(block));
}

void MarkupLayout::icon(const std::string& name)
{
    static const struct {
        const char* name;
        int icon;
    } icons[] = {{"EXCLAMATION", mubox::IconExclamation},
                 {"QUESTION", mubox::IconQuestion},
                 {"STOP", mubox::IconStop},
                 {"INFORMATION", mubox::IconInformation}};
    for (const auto& i : icons) {
        if (!startsWith(name, i.name))
            continue;
        m_icons.push_back({i.icon, m_c.x, m_c.y});
        m_c.x += 36;
        m_c.lineHeight = std::max(m_c.lineHeight, 32);
        m_c.widest = std::max(m_c.widest, m_c.x);
        return;
    }
}

// "+dx" moves, "x" places; ",dy" after either always moves down.
void MarkupLayout::position(const std::string& t)
{
    size_t at = 0;
    const bool relative = t[0] == '+';
    const int v = number(t, at);
    m_c.x = relative ? m_c.x + v : v;
    if (at < t.size() && t[at] == ',') {
        ++at;
        m_c.y += number(t, at);
    }
}

void MarkupLayout::newLine()
{
    m_c.y += 4 + m_c.lineHeight;
    m_c.x = mubox::LeftMargin;
    if (m_pass == 0)
        m_lineHeights.push_back(m_c.lineHeight);
    ++m_c.line;
    m_c.lineHeight = 0;
}

void MarkupLayout::buttonRow(const std::string& list)
{
    if (m_pass > 0) {
        if (m_c.buttonRow < static_cast<int>(m_rows.size())) {
            const auto [first, count] = m_rows[m_c.buttonRow];
            spreadButtons(first, count);
        }
        ++m_c.buttonRow;
        return;
    }
    static const struct {
        const char* name;
        int id;
    } names[] = {{"ok", mubox::Ok}, {"cancel", mubox::Cancel}, {"help", mubox::Help},
                 {"yes", mubox::Yes}, {"no", mubox::No}};
    std::vector<int> ids;
    for (const auto& name : MarkupTokens(list))
        for (const auto& n : names)
            if (name.size() == std::char_traits<char>::length(n.name) && startsWith(name, n.name))
                ids.push_back(n.id);
    if (m_helpContext != 0 && std::find(ids.begin(), ids.end(), mubox::Help) == ids.end())
        ids.push_back(mubox::Help);

    const size_t first = m_buttons.size();
    int x = m_c.x;
    for (int id : ids) {
        MarkupButton b{id, buttonCaption(id), id == mubox::Ok || id == mubox::Yes, {}};
        const int w = std::max(mubox::ButtonMinWidth, m_metrics.buttonWidth(b.caption));
        b.rect = {x, m_c.y, w, mubox::ButtonHeight};
        if (b.isDefault && m_defaultControl == 0)
            m_defaultControl = id;
        x += w + mubox::ButtonSpacing;
        m_buttons.push_back(std::move(b));
    }
    m_rows.push_back({first, ids.size()});
    ++m_c.buttonRow;
    if (ids.empty())
        return;
    const int rowWidth = x - mubox::ButtonSpacing - m_c.x;
    m_c.widest = std::max(m_c.widest, m_c.x + rowWidth);
    m_c.lineHeight = std::max(m_c.lineHeight, mubox::ButtonHeight);
    m_c.x += rowWidth;
}

// Spreads a row over the room from x to the right edge less the margin,
// with gaps of at most 16 pixels, centred in that room.
void MarkupLayout::spreadButtons(size_t first, size_t count)
{
    if (count == 0)
        return;
    int total = 0;
    for (size_t i = first; i < first + count; ++i)
        total += m_buttons[i].rect.w;
    const int n = static_cast<int>(count);
    const int space = m_client.w - mubox::LeftMargin - m_c.x;
    int gap = 0;
    if (space > total && n >= 2)
        gap = std::min((space - total) / (n - 1), mubox::ButtonMaxGap);
    int x = m_c.x + (space - (n - 1) * gap - total) / 2;
    for (size_t i = first; i < first + count; ++i) {
        m_buttons[i].rect.x = x;
        m_buttons[i].rect.y = m_c.y;
        x += m_buttons[i].rect.w + gap;
    }
    const int rowWidth = total + (n - 1) * gap;
    m_c.widest = std::max(m_c.widest, m_c.x + rowWidth);
    m_c.lineHeight = std::max(m_c.lineHeight, mubox::ButtonHeight);
    m_c.x += rowWidth;
}

// "sample/limittext:n/ini:value": the first part runs to ',', '}' or '/'.
void MarkupLayout::fieldToken(MarkupFieldKind kind, const std::string& field)
{
    const int id = mubox::FirstField + m_c.control;
    if (m_pass == 0) {
        MarkupField f;
        f.id = id;
        f.kind = kind;
        const size_t cut = std::min(field.find_first_of(",}/"), field.size());
        const std::string first = field.substr(0, cut);
        size_t at = field.find('/', cut);
        while (at != std::string::npos) {
            const size_t next = field.find('/', at + 1);
            const std::string option = field.substr(at + 1, (next == std::string::npos ? field.size() : next) - at - 1);
            size_t n = 0;
            if (startsWith(option, "limittext:", n))
                f.limit = std::max(0, numberAt(option, n));
            else if (startsWith(option, "ini:", n))
                f.ini = option.substr(n);
            at = next;
        }
        MarkupSize size;
        if (isNumber(first)) {
            size = m_metrics.fieldSize(kind, "0");
            size.w = numberAt(first, 0);
        } else {
            f.sample = first;
            size = m_metrics.fieldSize(kind, first);
        }
        f.rect = {m_c.x, m_c.y, size.w, size.h};
        if (m_defaultControl == 0)
            m_defaultControl = id;
        m_fields.push_back(std::move(f));
    }
    MarkupField* f = nullptr;
    for (auto& candidate : m_fields)
        if (candidate.id == id)
            f = &candidate;
    if (!f)
        return;
    f->rect.x = m_c.x;
    f->rect.y = m_c.y;
    m_c.x += f->rect.w;
    m_c.lineHeight = std::max(m_c.lineHeight, f->rect.h);
    m_c.widest = std::max(m_c.widest, f->rect.right());
    ++m_c.control;
}

std::string MarkupLayout::buttonCaption(int id) const
{
    std::string caption = m_source ? m_source(4, id) : std::string();
    return caption.empty() ? englishCaption(id) : caption;
}

bool MarkupLayout::hasButton(int id) const
{
    return std::any_of(m_buttons.begin(), m_buttons.end(), [id](const MarkupButton& b) { return b.id == id; });
}

const MarkupField* MarkupLayout::field(int id) const
{
    for (const auto& f : m_fields)
        if (f.id == id)
            return &f;
    return nullptr;
}

int MarkupLayout::resultOf(int command) const
{
    if (command == mubox::Ok && !hasButton(mubox::Ok) && hasButton(mubox::Yes))
        command = mubox::Yes;
    if (command == mubox::Cancel && !hasButton(mubox::Cancel) && hasButton(mubox::No))
        command = mubox::No;
    switch (command) {
    case mubox::Yes: return mb::IdYes;
    case mubox::No: return mb::IdNo;
    default: return command;
    }
}

void SetUnexpectedHandler(UnexpectedHandler handler)
{
    unexpectedHandler() = std::move(handler);
}

void ReportUnexpected(const std::string& text, const std::string& title)
{
    const std::string shown = title.empty() ? "BreakPoint (Cancel->brk)" : title;
    if (unexpectedHandler())
        unexpectedHandler()(text, shown);
    else
        std::cerr << shown << ": " << text << '\n';
}

}  // namespace fw
