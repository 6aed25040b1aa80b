#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace fw {

// Message boxes are described by a short markup of tokens in braces
// ("{TIT:Error}{ICON_STOP}{STRM:text}{LIN}{btns{OK}{CANCEL}}"). This file
// holds the toolkit-free half: reading the tokens and laying the box out
// through a measuring interface, so that the layout can be checked with a
// font of fixed metrics. The window half (framework/qt/MUBox) creates real
// controls at the places computed here.

// Message-box styles, the values of the window system's message boxes: the
// low four bits choose the buttons, the next four the icon.
namespace mb {
constexpr unsigned Ok = 0x00, OkCancel = 0x01, AbortRetryIgnore = 0x02, YesNoCancel = 0x03, YesNo = 0x04,
                   RetryCancel = 0x05;
constexpr unsigned IconStop = 0x10, IconQuestion = 0x20, IconExclamation = 0x30, IconInformation = 0x40;
constexpr unsigned IconMask = 0xF0;
// Results.
constexpr int IdOk = 1, IdCancel = 2, IdYes = 6, IdNo = 7;
}  // namespace mb

// Button and control ids inside a box.
namespace mubox {
constexpr int Ok = 1, Cancel = 2, Yes = 3, No = 4, Help = 119;
constexpr int FirstField = 1000;
// The window system's standard icons.
constexpr int IconStop = 32513, IconQuestion = 32514, IconExclamation = 32515, IconInformation = 32516;
constexpr int LeftMargin = 12;
constexpr int ButtonHeight = 28, ButtonMinWidth = 86, ButtonSpacing = 4, ButtonMaxGap = 16;
// Flags of a box.
constexpr int FlagHelpHook = 1, FlagCenter = 2, FlagThin = 4, FlagForeground = 8;
}  // namespace mubox

// Turns a message-box call into markup. `extra` is markup of the caller's:
// after the buttons, or between the text and the buttons when it begins
// with '<'. Braces in the text and caption that do not pair up are shown as
// parentheses, so that a text can never break the markup around it.
std::string MarkupMessage(const std::string& text, const std::string& caption, unsigned style,
                          const std::optional<std::string>& extra = std::nullopt);

// The tokens of a markup: the text of each brace pair (inner braces kept),
// with the text before it joined to its front, trimmed of blanks.
std::vector<std::string> MarkupTokens(const std::string& markup);

struct MarkupRect {
    int x = 0, y = 0, w = 0, h = 0;
    int right() const { return x + w; }
    int bottom() const { return y + h; }
    bool operator==(const MarkupRect&) const = default;
};

struct MarkupSize {
    int w = 0, h = 0;
};

enum class MarkupFieldKind { Edit, Static, Check };

struct MarkupField {
    int id = 0;  // 1000 + its index
    MarkupFieldKind kind = MarkupFieldKind::Edit;
    std::string sample;  // the first part when it is not a width; a check box's caption
    int limit = -1;      // "limittext:", -1 = none
    std::optional<std::string> ini;
    MarkupRect rect;
};

struct MarkupButton {
    int id = 0;
    std::string caption;
    bool isDefault = false;  // OK and Yes buttons
    MarkupRect rect;
};

struct MarkupText {
    std::string text;
    MarkupRect rect;
    bool wrap = false;
    bool center = false;
    bool thin = false;
};

struct MarkupIcon {
    int icon = 0;
    int x = 0, y = 0;
};

// How the box measures; the window half answers with its fonts and styles.
class MarkupMetrics {
public:
    virtual ~MarkupMetrics() = default;
    // A text without word wrapping; its own line breaks start new lines.
    virtual MarkupSize textSize(const std::string& text, bool thin) = 0;
    // A text wrapped at word boundaries within `width`.
    virtual MarkupSize wrappedSize(const std::string& text, bool thin, int width) = 0;
    // A field sized by a sample text (a check box by its caption).
    virtual MarkupSize fieldSize(MarkupFieldKind kind, const std::string& sample) = 0;
    // The width a button wants for its caption; the box makes it at least 86.
    virtual int buttonWidth(const std::string& caption) = 0;
};

// Translated texts by kind and id (1 texts, 4 button captions).
using MarkupTextSource = std::function<std::string(int kind, int id)>;

// The layout of one box. Each pass reads the whole markup: the first
// creates the fields and buttons and sizes the box, the second centres texts
// on their lines and spreads the buttons, later ones (painting) give the
// same places again.
class MarkupLayout {
public:
    MarkupLayout(std::string markup, MarkupMetrics& metrics, MarkupTextSource texts = {}, int helpContext = 0);

    void runPass();

    int passes() const { return m_pass; }
    const std::string& caption() const { return m_caption; }
    MarkupSize clientSize() const { return m_client; }
    int helpContext() const { return m_helpContext; }
    int defaultControl() const { return m_defaultControl; }
    int controlCount() const { return m_controlCount; }
    const std::vector<int>& tabStops() const { return m_tabs; }
    const std::vector<int>& lineHeights() const { return m_lineHeights; }
    const std::vector<MarkupField>& fields() const { return m_fields; }
    const std::vector<MarkupButton>& buttons() const { return m_buttons; }
    // What the latest pass drew.
    const std::vector<MarkupText>& texts() const { return m_texts; }
    const std::vector<MarkupIcon>& icons() const { return m_icons; }

    bool hasButton(int id) const;
    const MarkupField* field(int id) const;
    // The result a command gives: OK 1, Cancel 2, Yes 6, No 7; a command 1
    // in a box with Yes but no OK is Yes, a command 2 in a box with No but
    // no Cancel is No; any other id is returned as it is.
    int resultOf(int command) const;

private:
    struct Cursor {
        int x = mubox::LeftMargin, y = 8, lineHeight = 0, widest = 0, line = 0, control = 0, buttonRow = 0;
        bool center = false, thin = false;
    };

    void token(const std::string& t);
    void textBlock(const std::string& text, bool mayWrap);
    void icon(const std::string& name);
    void position(const std::string& t);
    void newLine();
    void buttonRow(const std::string& list);
    void spreadButtons(size_t first, size_t count);
    void fieldToken(MarkupFieldKind kind, const std::string& field);
    std::string buttonCaption(int id) const;

    std::string m_markup;
    MarkupMetrics& m_metrics;
    MarkupTextSource m_source;
    int m_helpContext;
    int m_pass = 0;
    std::string m_caption;
    std::vector<int> m_tabs{mubox::LeftMargin};
    std::vector<int> m_lineHeights;
    std::vector<MarkupField> m_fields;
    std::vector<MarkupButton> m_buttons;
    std::vector<std::pair<size_t, size_t>> m_rows;  // first button and count of each btns token
    std::vector<MarkupText> m_texts;
    std::vector<MarkupIcon> m_icons;
    int m_defaultControl = 0;
    int m_controlCount = 0;
    MarkupSize m_client;
    Cursor m_c;
};

// Internal consistency checks ("KXIO:Seek !FileTemp"): shown in an OK/Cancel
// box titled "Situación imprevista" ("BreakPoint (Cancel->brk)" when the
// title is empty); the program goes on whichever button is pressed. The
// window layer installs the handler that shows the box; without one the
// text goes to the error stream. One handler for the process on purpose:
// the reports come from code that has no window at hand, as an assertion
// would.
using UnexpectedHandler = std::function<void(const std::string& text, const std::string& title)>;
void SetUnexpectedHandler(UnexpectedHandler handler);
void ReportUnexpected(const std::string& text, const std::string& title = "Situaci\xF3n imprevista");

}  // namespace fw
