#pragma once
#include <functional>

#include "jigsaw/document/Picture.h"
#include "jigsaw/document/PieceSheet.h"
#include "jigsaw/document/PuzzleSteps.h"
#include "jigsaw/document/Scatter.h"

namespace qv {

// The opening steps with pixels: the picture is decoded and scaled, the
// sheets rendered and a new game scattered over the table.
class PictureSteps : public PuzzleSteps {
public:
    PictureSettings picture;
    SheetOptions sheets;
    // The table the pieces are scattered over; by default the play frame
    // with the picture's area in its middle kept free.
    std::function<ScatterArea(const Puz&)> table;

    fw::Status loadPicture(Puz& puz) override;
    fw::Status renderSheets(Puz& puz) override;
    void scatter(Puz& puz) override;

    // The default table: the play frame, or the screen when there is none.
    static ScatterArea defaultTable(const Puz& puz, const fw::Display& display);
};

}  // namespace qv
