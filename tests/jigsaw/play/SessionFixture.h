#pragma once
// The play session's test fixture: a small cut puzzle on a headless table.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "jigsaw/document/CutRandom.h"
#include "jigsaw/document/PieceSheet.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/play/PlaySession.h"
#include "jigsaw/play/ScoreKeeper.h"
#include "jigsaw/play/TickClock.h"

namespace qv::test {

struct View : PlayWindows {
    bool turnsShown = false;
    int finished = 0;
    bool showsTurns() const override { return turnsShown; }
    void finishTurn() override { ++finished; }
};

struct Clock : TickClock {
    uint32_t tick = 5000;
    uint32_t now() const override { return tick; }
};

// A cut puzzle of 60-pixel cells (3 x 2 unless asked), its pieces far apart
// on the table in a row, and one empty box. It does not turn unless asked.
struct Session {
    Puz puz;
    CutRandom rng;
    HeadlessUser user;
    View view;
    Clock clock;
    ScoreKeeper score{clock};
    uint32_t optionsWord = 0;
    std::vector<PlayReport> shown;  // reports of the rules used directly
    std::unique_ptr<PlaySession> session;

    explicit Session(int columns = 3, int rows = 2)
    {
        puz.setGenerator(&rng);
        puz.setUser(&user);
        const int16_t w = static_cast<int16_t>(60 * columns), h = static_cast<int16_t>(60 * rows);
        puz.pictureRect = {0, 0, w, h};
        puz.picture = fw::Bitmap(w, h, 0x336699);
        puz.sizeIndex = Puz::CustomSize;
        puz.rows[5] = static_cast<int16_t>(rows);
        puz.columns[5] = static_cast<int16_t>(columns);
        puz.options |= Puz::NoRotable;
        rng.seed(11);
        EXPECT_TRUE(puz.MakePiezas().ok());
        SheetOptions sheet;
        sheet.edges = EdgeStyle::None;
        EXPECT_TRUE(renderSheets(puz, sheet).ok());
        for (int i = 0; i < puz.pieceCount(); ++i)
            puz.pieces[i].placeAt(300 * i + 1000, 1000);
        puz.boxes.resize(1);
        session = std::make_unique<PlaySession>(
            puz, score, view, [this](PlayReport&& r) { shown.push_back(std::move(r)); },
            [this] { return optionsWord; });
        puz.state = 0;
    }
    PlaySession& s() { return *session; }
    SPuz& piece(int i) { return puz.pieces[i]; }
    Point16 cell(int i) { return {piece(i).tableCell.x, piece(i).tableCell.y}; }
    // Piece b's cell where it belongs beside piece a, off by (dx, dy).
    Point16 beside(int a, int b, int dx = 0, int dy = 0)
    {
        return {static_cast<int16_t>(cell(a).x + piece(b).cellOrigin.x - piece(a).cellOrigin.x + dx),
                static_cast<int16_t>(cell(a).y + piece(b).cellOrigin.y - piece(a).cellOrigin.y + dy)};
    }
    bool changed() const { return puz.state & Puz::Changed; }
};

}  // namespace qv::test
