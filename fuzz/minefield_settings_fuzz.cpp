// fuzz-links: minefield_rules
// mvro.ini: the section "MVRO" and the best times of every shape, read with
// their defaults and limits, written back and read again to the same values.
#include <string>

#include "minefield/BestTimes.h"
#include "minefield/IniFile.h"
#include "minefield/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    mf::IniFile ini;
    ini.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    const mf::Settings settings = mf::Settings::Read(ini);
    if (settings.width < 1 || settings.width > 32 || settings.height < 1 || settings.height > 24 ||
        settings.mines < 0 || settings.mines >= settings.width * settings.height)
        __builtin_trap();  // the board must get a size it can hold

    const mf::ShapeKind shapes[] = {mf::ShapeKind::Square,   mf::ShapeKind::Diamond, mf::ShapeKind::Brick,
                                    mf::ShapeKind::Triangle, mf::ShapeKind::Shifted, mf::ShapeKind::Hexagon};
    for (mf::ShapeKind shape : shapes) {
        mf::BestTimes best(shape);
        best.Load(ini);
        for (int level = 0; level < 5; ++level)
            mf::FormatClock(best.Time(level));
        best.Save(ini);
    }
    settings.Write(ini);

    mf::IniFile again;
    again.Parse(ini.Text());
    const mf::Settings reread = mf::Settings::Read(again);
    if (reread.level != settings.level || reread.width != settings.width || reread.height != settings.height ||
        reread.mines != settings.mines || reread.shape != settings.shape || reread.color != settings.color ||
        reread.sound != settings.sound)
        __builtin_trap();  // what was written reads back the same
    return 0;
}
