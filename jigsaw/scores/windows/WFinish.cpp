#include "jigsaw/scores/windows/WFinish.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include "framework/qt/Text.h"
#include "jigsaw/scores/ScoreText.h"
#include "jigsaw/scores/ScoresHost.h"
#include "jigsaw/scores/windows/ScoreWindowText.h"

namespace qv {

namespace {

constexpr int kWidth = 460;
constexpr int kMargin = 14;
constexpr int kLabelWidth = 170;
constexpr int kButtonHeight = 28;
constexpr int kHeadingText = 4777;  // "You have finished %s!"
constexpr int kPlaceLabel = 4778;
constexpr int kPlaceValue = 4779;   // "%s of %s"

std::string filled(std::string pattern, std::initializer_list<std::string> values)
{
    for (const std::string& v : values) {
        const size_t at = pattern.find("%s");
        if (at == std::string::npos)
            break;
        pattern.replace(at, 2, v);
    }
    return pattern;
}

}  // namespace

WFinish::WFinish(FinishFacts facts, const ScoresHost& host, QWidget* parent)
    : fw::WBaseInfo(parent), m_facts(std::move(facts)), m_host(host)
{
    setTitle(scoreText(host, TitleText));
    collect();
    build();
}

void WFinish::collect()
{
    const ScoresHost& h = m_host;
    const char sep = h.thousandsSeparator();
    m_heading = filled(scoreText(h, kHeadingText), {m_facts.title});
    auto add = [&](int id, std::string value) { m_lines.emplace_back(fw::fromQString(scoreLabel(h, id)), value); };
    add(txt::Time, formatDuration(m_facts.elapsedMs));
    add(txt::Moves, formatNumber(m_facts.moves, sep));
    add(txt::Helps, formatNumber(m_facts.helps, sep));
    add(txt::ScoreLabel, formatNumber(m_facts.score, sep));
    if (m_facts.place > 0)
        add(kPlaceLabel, filled(scoreText(h, kPlaceValue), {formatNumber(m_facts.place, sep),
                                                             formatNumber(m_facts.results, sep)}));
}

void WFinish::build()
{
    const QFontMetrics fm(font());
    int y = kMargin;
    QFont big = font();
    big.setPointSizeF(big.pointSizeF() > 0 ? big.pointSizeF() * 1.4 : 14);
    big.setBold(true);
    const int headingHeight = QFontMetrics(big).height() * 2;
    addText(0, QRect(kMargin, y, kWidth - 2 * kMargin, headingHeight), m_heading, true)->setFont(big);
    y += headingHeight + 6;
    const int row = fm.height() + 8;
    for (const auto& [label, value] : m_lines) {
        addText(0, QRect(kMargin, y, kLabelWidth, row), label);
        addText(0, QRect(kMargin + kLabelWidth, y, kWidth - 2 * kMargin - kLabelWidth, row), value);
        y += row;
    }
    y += 12;

    // Another size: the list of the puzzle's other sizes beside its button.
    const std::string piecesWord = scoreText(m_host, txt::Pieces);
    std::vector<std::string> sizes;
    for (const FinishFacts::Size& s : m_facts.otherSizes)
        sizes.push_back(formatGrid(s.columns, s.rows, piecesWord));
    const int sizeButton = 170;
    const int listWidth = kWidth - 2 * kMargin - sizeButton - 8;
    addList(IdSizes, QRect(kMargin, y, listWidth, kButtonHeight), sizes, 0);
    addButton(IdAnotherSize, QRect(kWidth - kMargin - sizeButton, y, sizeButton, kButtonHeight));
    enableControl(IdSizes, !sizes.empty());
    enableControl(IdAnotherSize, !sizes.empty());
    y += kButtonHeight + 10;

    // The other steps in one row, Close last and the default.
    const int gap = 8;
    const int width = (kWidth - 2 * kMargin - 2 * gap) / 3;
    int x = kMargin;
    addButton(IdAnotherPuzzle, QRect(x, y, width, kButtonHeight));
    x += width + gap;
    addButton(IdRanking, QRect(x, y, width, kButtonHeight));
    // Only a competition game has a ranking to show.
    enableControl(IdRanking, m_facts.place > 0);
    x += width + gap;
    addButton(IdClose, QRect(x, y, width, kButtonHeight), buttonCaption(4783), true);
    setClientSize(kWidth, y + kButtonHeight + kMargin);
}

int WFinish::chosenSize() const
{
    if (m_facts.otherSizes.empty())
        return -1;
    const int i = selection(IdSizes);
    return i >= 0 && i < static_cast<int>(m_facts.otherSizes.size()) ? i : -1;
}

bool WFinish::OnCommand(const fw::CommandEvent& e)
{
    switch (e.command()) {
    case IdAnotherSize: {
        const int i = chosenSize();
        if (i < 0)
            return true;
        emit stepChosen(IdAnotherSize, m_facts.otherSizes[static_cast<size_t>(i)].index);
        close();
        return true;
    }
    case IdAnotherPuzzle:
    case IdRanking:
        emit stepChosen(static_cast<int>(e.command()), -1);
        close();
        return true;
    case IdClose:
    case IdCancel: close(); return true;
    default: return false;
    }
}

}  // namespace qv
