#pragma once
#include <QPrinter>
#include <functional>
#include <memory>

#include "framework/Background.h"
#include "framework/Status.h"
#include "framework/qt/WBaseInfo.h"
#include "jigsaw/print/PrintLayout.h"

namespace qv {

class Puz;
class WPrintPrv;

// The print dialog (command 1009): the layout, the zoom, the frames and
// caption, the piece options and, for the spread layout, the page shown in
// the preview beside them. OK asks the system's print dialog for the
// printer and runs the print job; Cancel prints nothing.
//
//   qv::WPrint w(playWindow, puz, &background, facts);
//   w.RunModal();                // 1 printed (or tried: see lastStatus), 2 cancelled
class WPrint : public fw::WBaseInfo {
    Q_OBJECT

public:
    enum : int {
        IdOutlines = 8510,
        IdShading = 8511,
        IdZoom = 8514,
        IdOuterFrame = 8515,
        IdInnerFrame = 8516,
        IdCaption = 8517,
        IdAssembled = 8520,
        IdSpread = 8521,
        IdTable = 8522,
        IdFit = 8523,
        IdPrevious = 8530,
        IdNext = 8531,
        IdPageLabel = 8532,
        IdZoomLabel = 8533,
        IdPrinterSetup = 8534,
    };
    static constexpr int HelpTopic = 160;

    WPrint(QWidget* parent, const Puz& puz, const fw::Background* background, const CaptionFacts& facts);
    ~WPrint() override;

    // The options the controls show now.
    PrintOptions options() const { return m_options; }
    QPrinter& printer() { return *m_printer; }
    // After the printer or its paper changed: the preview and the pages follow.
    void printerChanged();
    WPrintPrv* preview() const { return m_preview; }
    // Skip the system's print dialog on OK (print to the printer as set).
    void setAskPrinter(bool ask) { m_askPrinter = ask; }
    // Whether a failed job is shown in a message box (tests read lastStatus).
    void setShowErrors(bool show) { m_showErrors = show; }
    void setHelp(std::function<void(int topic)> help) { m_help = std::move(help); }
    // The outcome of the last print job started by OK.
    const fw::Status& lastStatus() const { return m_lastStatus; }

protected:
    bool OnCommand(const fw::CommandEvent& event) override;
    bool OnControl(const fw::ControlEvent& event) override;
    bool CanEnd(int result) override;

private:
    void layOut();
    void readControls();
    void refresh();

    const Puz& m_puz;
    const fw::Background* m_background;
    CaptionFacts m_facts;
    std::string m_caption;
    PrintOptions m_options;
    std::unique_ptr<QPrinter> m_printer;
    WPrintPrv* m_preview = nullptr;
    bool m_askPrinter = true;
    bool m_showErrors = true;
    bool m_updating = false;
    fw::Status m_lastStatus;
    std::function<void(int)> m_help;
};

// Opens the print dialog over the play window and prints on OK.
int PrintDialog(QWidget* parent, const Puz& puz, const fw::Background* background, const CaptionFacts& facts);

}  // namespace qv
