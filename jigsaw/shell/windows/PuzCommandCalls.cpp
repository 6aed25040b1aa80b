// The calls of the command table (CommandTable.cpp): what each command
// and key does, in the words of the play window, the score windows and the
// game. The dispatch, the dialogs and the play windows' questions are in
// PuzCommands.cpp.
#include "jigsaw/shell/windows/PuzCommands.h"

#include "framework/EventQueue.h"
#include "framework/Options.h"
#include "framework/Profile.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/play/windows/SurfaceMouse.h"
#include "jigsaw/play/windows/WBox.h"
#include "jigsaw/play/windows/WPuz.h"
#include "jigsaw/scores/LiveRanking.h"
#include "jigsaw/scores/windows/ScoreWindows.h"
#include "jigsaw/scores/windows/WFinish.h"
#include "jigsaw/scores/windows/WMiniScore.h"
#include "jigsaw/scores/windows/WRanking.h"
#include "jigsaw/shell/GameControl.h"

namespace qv {

bool PuzCommands::minimize(uint32_t)
{
    window().showMinimized();
    return true;
}

bool PuzCommands::maximize(uint32_t)
{
    window().showOnScreen();
    return true;
}

bool PuzCommands::exit(uint32_t)
{
    Exit();
    return true;
}

bool PuzCommands::open(uint32_t)
{
    Open();
    return true;
}

bool PuzCommands::save(uint32_t)
{
    if (hasPieces())
        Save();
    return true;
}

bool PuzCommands::saveAs(uint32_t)
{
    if (hasPieces())
        SaveAs();
    return true;
}

bool PuzCommands::credits(uint32_t)
{
    ShowCredits();
    return true;
}

bool PuzCommands::pause(uint32_t)
{
    Pause();
    return true;
}

void PuzCommands::setBoxesHidden(bool hide)
{
    m_game.setGameOption(fw::gameopt::HideBoxes, hide);
    window().setBoxesHidden(hide);
}

bool PuzCommands::showBoxes(uint32_t)
{
    setBoxesHidden(false);
    return true;
}

bool PuzCommands::hideBoxes(uint32_t hide)
{
    setBoxesHidden(hide != 0);
    return true;
}

bool PuzCommands::autoHelp(uint32_t)
{
    if (hasPieces() && !window().holding() && !(m_parts.puz.options & Puz::NoHelp)) {
        window().rules().AutoHelp();
        autosave(true);
    }
    return true;
}

bool PuzCommands::tidy(uint32_t spread)
{
    if (hasPieces() && !window().holding())
        window().present(window().session().tidy(SPuz::OnTable, spread != 0));
    return true;
}

bool PuzCommands::preview(uint32_t)
{
    if (hasPieces())
        window().TogglePreview();
    return true;
}

bool PuzCommands::previewHidden(uint32_t hidden)
{
    if (hasPieces() && !(m_parts.puz.options & Puz::NoPreview)) {
        window().SetPreviewHidden(hidden != 0);
        m_game.setGameOption(fw::gameopt::HidePreview, hidden != 0);
    }
    return true;
}

void PuzCommands::setScoreHidden(bool hide)
{
    m_game.setGameOption(fw::gameopt::HideScore, hide);
    // Only a game keeping scores has a strip to show.
    const Puz& puz = m_parts.puz;
    scoreWindows().showMiniScore(!hide && hasPieces() && m_parts.live.isOpen(), QPoint(puz.scorePos.x, puz.scorePos.y));
}

bool PuzCommands::showScore(uint32_t)
{
    setScoreHidden(false);
    return true;
}

bool PuzCommands::hideScore(uint32_t hide)
{
    setScoreHidden(hide != 0);
    return true;
}

bool PuzCommands::progressLineWanted() const { return m_parts.profile.getInt({}, ProgressLineKey, 1) != 0; }

void PuzCommands::refreshProgressLine()
{
    const Puz& puz = m_parts.puz;
    const bool show = hasPieces() && !(m_game.gameOptions() & fw::gameopt::Competition) && progressLineWanted();
    scoreWindows().showProgress(puz, show, QPoint(puz.scorePos.x, puz.scorePos.y));
}

bool PuzCommands::progressLine(uint32_t)
{
    m_parts.profile.setInt({}, ProgressLineKey, progressLineWanted() ? 0 : 1);
    refreshProgressLine();
    return true;
}

void PuzCommands::finishStep(int step, int sizeIndex)
{
    const Puz& puz = m_parts.puz;
    switch (step) {
    case WFinish::IdAnotherSize: {
        // The same puzzle with the same variant (no rotation, rectangular
        // pieces), at the size chosen; the finished game is settled first.
        const std::filesystem::path file = puz.puzzlePath;
        const unsigned variant = puz.options & (Puz::NoRotable | Puz::NoDeform);
        if (hasPieces() && sizeIndex >= 0 && !file.empty() && settleChanges())
            m_game.OpenFile(file, sizeIndex, variant);
        return;
    }
    case WFinish::IdAnotherPuzzle: Open(); return;
    case WFinish::IdRanking: ranking(0); return;
    default: return;
    }
}

bool PuzCommands::info(uint32_t)
{
    if (hasPieces())
        scoreWindows().ShowInfo(m_parts.puz);
    return true;
}

bool PuzCommands::ranking(uint32_t)
{
    // Only a game in competition mode has a ranking.
    if (hasPieces() && (m_game.gameOptions() & fw::gameopt::Competition))
        scoreWindows().ShowRanking();
    return true;
}

bool PuzCommands::competition(uint32_t)
{
    if (hasPieces())
        m_game.setCompetition(!(m_game.gameOptions() & fw::gameopt::Competition));
    return true;
}

bool PuzCommands::reopenLast(uint32_t)
{
    const std::string last = m_parts.profile.getString("LastPuz");
    if (!last.empty() && settleChanges())
        m_game.OpenFile(last, 0, 0);
    return true;
}

bool PuzCommands::addBox(uint32_t)
{
    window().addBox();
    return true;
}

bool PuzCommands::removeBox(uint32_t)
{
    window().removeBox();
    return true;
}

bool PuzCommands::background(uint32_t)
{
    ChooseTableBackground();
    return true;
}

bool PuzCommands::help(uint32_t)
{
    ShowHelp(helpContext());
    return true;
}

bool PuzCommands::howToMake(uint32_t)
{
    ShowHelp(MakingHelpTopic);
    return true;
}

bool PuzCommands::makePuzzle(uint32_t)
{
    MakePuzzle();
    return true;
}

bool PuzCommands::options(uint32_t)
{
    ShowOptions();
    return true;
}

bool PuzCommands::advanced(uint32_t)
{
    ShowAdvanced();
    return true;
}

bool PuzCommands::boxOptions(uint32_t box)
{
    ShowBoxOptions(static_cast<int>(box));
    return true;
}

bool PuzCommands::print(uint32_t)
{
    if (hasPieces())
        Print();
    return true;
}

bool PuzCommands::nothing(uint32_t) { return true; }

bool PuzCommands::pasteScores(uint32_t)
{
    PasteScores();
    return true;
}

bool PuzCommands::postNothing(uint32_t)
{
    fw::PostCommand(*this, cmd::NoHandler);
    return true;
}

bool PuzCommands::sendToBox(uint32_t box)
{
    window().sendToBox(static_cast<uint8_t>(box));
    return true;
}

bool PuzCommands::windowMenu(uint32_t)
{
    window().trackMenu(windowMenu(), window().pointer());
    return true;
}

bool PuzCommands::uncover(uint32_t)
{
    window().uncoverAtPointer();
    return true;
}

bool PuzCommands::minimiseAnimated(uint32_t)
{
    if (!(m_parts.options.word & fw::opt::EscMinimizes))
        return false;
    window().MinimiseAnimated();
    return true;
}

bool PuzCommands::undo(uint32_t)
{
    if (hasPieces())
        window().present(window().session().undo());
    return true;
}

bool PuzCommands::redo(uint32_t)
{
    if (hasPieces())
        window().present(window().session().redo());
    return true;
}

bool PuzCommands::gatherEdges(uint32_t box)
{
    WPuz& w = window();
    if (!hasPieces() || w.holding())
        return true;
    Puz& puz = m_parts.puz;
    if (box == cmd::GatherIntoNewBox) {
        if (w.session().looseEdgePieces(SPuz::OnTable).empty())
            return true;  // a new box for nothing
        const size_t had = puz.boxes.size();
        w.addBox();
        if (puz.boxes.size() == had)
            return true;
        box = static_cast<uint32_t>(had);
    }
    if (box >= puz.boxes.size())
        return true;
    // The box shows what it was given.
    if (WBox* b = w.box(static_cast<int>(box)))
        b->setClosed(false);
    w.present(w.session().gatherEdges(static_cast<uint8_t>(box)));
    return true;
}

bool PuzCommands::edgeView(uint32_t)
{
    if (hasPieces())
        window().present(window().session().setEdgeView(!window().session().edgeView()));
    return true;
}

bool PuzCommands::ghost(uint32_t percent)
{
    if (!hasPieces() || window().session().competition())
        return true;
    m_parts.options.ghost = static_cast<uint8_t>(std::min<uint32_t>(percent, fw::Options::MaxGhost));
    m_parts.options.save(m_parts.profile);
    window().update();
    return true;
}

bool PuzCommands::shareCut(uint32_t)
{
    if (hasPieces())
        ShareCut();
    return true;
}

// The keys zoom about the pointer, the menu's entries about where the menu
// was opened (the pointer's place then).
bool PuzCommands::zoomIn(uint32_t)
{
    if (hasPieces())
        window().zoomSteps(1, window().zoomPoint());
    return true;
}

bool PuzCommands::zoomOut(uint32_t)
{
    if (hasPieces())
        window().zoomSteps(-1, window().zoomPoint());
    return true;
}

bool PuzCommands::zoomActual(uint32_t)
{
    if (hasPieces())
        window().zoomToActual();
    return true;
}

bool PuzCommands::zoomWhole(uint32_t)
{
    if (hasPieces())
        window().zoomToWhole();
    return true;
}

bool PuzCommands::openLoupe(uint32_t)
{
    WPuz& w = window();
    if (!w.holding() && !w.mouse().band() && w.mouse().buttonsHeld() == 0)
        w.OpenLoupe();
    return true;
}

}  // namespace qv
