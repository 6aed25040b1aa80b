#pragma once
#include "jigsaw/document/Picture.h"
#include "jigsaw/document/Rect16.h"

namespace qv {

class Puz;

// The size the picture of a game reopened from its saved game had when the
// game was saved, for a picture of full size W x H; {0, 0} for a new game
// or when the saved game cannot tell.
Point16 SavedPictureSize(const Puz& puz, int fullWidth, int fullHeight);

// The picture's size on a TW x TH table: scalePicture for a new game; a
// reopened game gets back the exact size it was saved with whenever the
// table has room for it (the saved factor caps the size, as before, but is
// no longer trusted to the pixel), and the rule of a smaller table otherwise.
PictureScale ScaleDocumentPicture(const Puz& puz, int fullWidth, int fullHeight, int tableWidth, int tableHeight);

// Takes the scale into the document: picture rectangle, full size, scale
// factor (written as "FactorImgSav:") and ScatterFull.
void SetPictureScale(Puz& puz, const PictureScale& scale, int fullWidth, int fullHeight);

}  // namespace qv
