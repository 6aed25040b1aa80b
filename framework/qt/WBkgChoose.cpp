#include "framework/qt/WBkgChoose.h"

#include <QColorDialog>

namespace fw {

namespace {
constexpr const char* kCustomKey = "custcolors";

QColor toColor(uint32_t colourRef) { return QColor::fromRgb(pixelFromColorRef(colourRef & 0xFFFFFF)); }
uint32_t fromColor(const QColor& c) { return colorRefFromPixel(c.rgb() & 0xFFFFFF); }
}  // namespace

void loadCustomColours(const std::vector<uint32_t>& colours)
{
    const int n = std::min<int>(static_cast<int>(colours.size()), QColorDialog::customCount());
    for (int i = 0; i < n; ++i)
        QColorDialog::setCustomColor(i, toColor(colours[static_cast<size_t>(i)]));
}

std::vector<uint32_t> takeCustomColours(const std::vector<uint32_t>& before)
{
    std::vector<uint32_t> out = before;
    const int n = std::min<int>(static_cast<int>(out.size()), QColorDialog::customCount());
    for (int i = 0; i < n; ++i) {
        const uint32_t now = fromColor(QColorDialog::customColor(i));
        if (now != (out[static_cast<size_t>(i)] & 0xFFFFFF))
            out[static_cast<size_t>(i)] = now;
    }
    return out;
}

bool ChooseBackground(QWidget* parent, Background& background, Profile& profile, const WBkg::Places& places)
{
    if (!(background.flags() & Background::LowColour)) {
        WBkg window(parent, background, profile, places);
        return window.RunModal() == WBaseInfo::IdOk;
    }
    const std::vector<uint32_t> colours = Background::customColours(profile.getString(kCustomKey));
    loadCustomColours(colours);
    const QColor chosen = QColorDialog::getColor(toColor(background.First()), parent);
    profile.setString({}, kCustomKey, Background::customColoursText(takeCustomColours(colours)));
    if (!chosen.isValid())
        return false;
    background.Set(fromColor(chosen), Background::None, background.frameOff());
    return true;
}

}  // namespace fw
