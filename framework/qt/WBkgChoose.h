#pragma once
#include "framework/Background.h"
#include "framework/Profile.h"
#include "framework/qt/WBkg.h"

class QWidget;

namespace fw {

// Lets the user choose the colours of a background (Background's Choose):
// on a low-colour display the system colour chooser opens with the first
// colour chosen and the 16 custom colours of the settings key "custcolors"
// (written back afterwards), and the colour taken becomes the plain colour;
// otherwise the background window opens. True when the background changed
// (the caller rebuilds and repaints, and stores Text() with the puzzle).
bool ChooseBackground(QWidget* parent, Background& background, Profile& profile, const WBkg::Places& places);

// The custom colours as the colour chooser gets them, and back: a colour
// the user left alone keeps the value it had in the key, high byte and all.
void loadCustomColours(const std::vector<uint32_t>& colours);
std::vector<uint32_t> takeCustomColours(const std::vector<uint32_t>& before);

}  // namespace fw
