#pragma once
#include <filesystem>
#include <functional>
#include <string>

#include "framework/Options.h"
#include "framework/Profile.h"
#include "framework/qt/WBaseInfo.h"
#include "jigsaw/shell/SystemReport.h"

namespace qv {

class Puz;

// The advanced options (command 1112): "ForceDIRotate", stored the moment
// it is toggled; the options-word bit 0x2000 (check box 2516, compatible
// drawing), marked changed for the save at exit; and button 8000, which
// puts the diagnostic report on the clipboard.
//
//   qv::WAdvanced w(playWindow, profile, options, &puz, programFile, "Quorvane 2.00");
//   w.setForceDIRotateHook([&](bool on) { forceDIRotate = on; });
//   w.RunModal();
class WAdvanced : public fw::WBaseInfo {
    Q_OBJECT

public:
    enum : int { IdReport = 8000, IdForceDIRotate = 8001, IdCompatible = 2516, IdWarning = 8002 };
    static constexpr uint32_t CompatibleBit = 0x2000;

    WAdvanced(QWidget* parent, fw::Profile& profile, fw::Options& options, const Puz* puz,
              std::filesystem::path programFile, std::string programName);

    // Told of every change of "ForceDIRotate", so the program uses it at once.
    void setForceDIRotateHook(std::function<void(bool)> hook) { m_forceHook = std::move(hook); }

    // The facts of this machine and program for the report.
    SystemFacts gatherFacts() const;
    // The report as button 8000 puts it on the clipboard.
    std::string report() const { return BuildSystemReport(gatherFacts()); }

protected:
    bool OnCommand(const fw::CommandEvent& event) override;
    bool OnControl(const fw::ControlEvent& event) override;

private:
    fw::Profile& m_profile;
    fw::Options& m_options;
    const Puz* m_puz;
    std::filesystem::path m_programFile;
    std::string m_programName;
    std::function<void(bool)> m_forceHook;
};

}  // namespace qv
