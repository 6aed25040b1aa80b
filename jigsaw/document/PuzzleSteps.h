#pragma once
#include "framework/Status.h"

namespace qv {

class Puz;

// The steps of opening a puzzle that need the picture: the document calls
// them in this order while it opens a puzzle or saved game:
//   loadPicture      decode and scale the picture; sets puz.picture,
//                    puz.pictureRect (x = y = 0) and puz.pictureScale
//   (cutting)        the document cuts the grid and places the knobs
//   renderSheets     lay out and render the piece and mask sheets (last
//                    step of cutting); pieces move into the sheet
//   scatter          new game only: spread the pieces over the table
//   restorePlayState saved game only, after its piece records are laid
//                    over the cut: recompute groups and the complete state
// A failed status stops the opening and is reported to the user.
class PuzzleSteps {
public:
    virtual ~PuzzleSteps() = default;
    virtual fw::Status loadPicture(Puz& puz) = 0;
    virtual fw::Status renderSheets(Puz& puz) = 0;
    virtual void scatter(Puz& puz) = 0;
    virtual void restorePlayState(Puz&) {}
};

// Opening without pixels, for tools and tests: the picture is only a size,
// no sheets are made and nothing is scattered, so the pieces keep the
// picture coordinates that cutting gave them.
class PictureSizeSteps : public PuzzleSteps {
public:
    PictureSizeSteps(int width = 640, int height = 480) : m_width(width), m_height(height) {}
    void setSize(int width, int height) { m_width = width; m_height = height; }

    fw::Status loadPicture(Puz& puz) override;
    fw::Status renderSheets(Puz&) override { return {}; }
    void scatter(Puz&) override {}

private:
    int m_width;
    int m_height;
};

}  // namespace qv
