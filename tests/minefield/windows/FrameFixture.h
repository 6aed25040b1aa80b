#pragma once
// A frame window on a settings file of its own, with a clock the test moves.
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>
#include <string>

#include "GuiTestSupport.h"
#include "minefield/IniFile.h"
#include "minefield/windows/TMyFrameWindow.h"
#include "minefield/windows/TMyWindow.h"

namespace mftest {

using namespace mf;

struct FrameFixture {
    QTemporaryDir dir;
    std::shared_ptr<uint32_t> now = std::make_shared<uint32_t>(4'000'000'000u);  // wraps soon
    std::unique_ptr<TMyFrameWindow> frame;

    // openHelp: how the help page is opened (the desktop's browser when empty).
    explicit FrameFixture(const std::string& ini = "[MVRO]\r\nTEXTURE=0\r\n", uint32_t seed = 7,
                          std::function<bool(const QString&)> openHelp = {})
    {
        mftest::App();
        WriteIni(ini);
        TMyFrameWindow::Options options;
        options.iniPath = IniPath();
        options.programDir = dir.path();
        options.seed = seed;
        options.ticks = [clock = now] { return *clock; };
        options.openHelp = std::move(openHelp);
        frame = std::make_unique<TMyFrameWindow>(options);
        frame->show();
    }
    QString IniPath() const { return dir.filePath("mvro.ini"); }
    void WriteIni(const std::string& text) const
    {
        IniFile ini;
        ini.Parse(text);
        ini.Save(IniPath().toStdString());
    }
    IniFile ReadIni() const
    {
        IniFile ini;
        ini.Load(IniPath().toStdString());
        return ini;
    }
    MineGame& Game() { return frame->Board().Game(); }
    void Click(CellPos p)
    {
        QTest::mouseClick(&frame->Board(), Qt::LeftButton, {}, frame->Board().CellCentre(p));
    }
    void PassSeconds(uint32_t s)
    {
        *now += s * 1000;
        frame->ClockTick();
    }
    void OpenEverySafeCell()
    {
        for (int32_t r = 0; r < Game().Height() && !Game().GameOver(); ++r)
            for (int32_t c = 0; c < Game().Width() && !Game().GameOver(); ++c)
                if (!Game().Cell({c, r}).IsMine() && Game().Cell({c, r}).state == 0)
                    Click({c, r});
    }
    void OpenMinesUntilLost()
    {
        for (int32_t r = 0; r < Game().Height() && !Game().GameOver(); ++r)
            for (int32_t c = 0; c < Game().Width() && !Game().GameOver(); ++c)
                if (Game().Cell({c, r}).IsMine())
                    Click({c, r});
    }
};


}  // namespace mftest
