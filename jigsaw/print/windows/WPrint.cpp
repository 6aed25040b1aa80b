#include "jigsaw/print/windows/WPrint.h"

#include <QPrintDialog>
#include <cmath>

#include "jigsaw/print/windows/PagePainter.h"

#include "framework/qt/MessageBox.h"
#include "framework/qt/UiText.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/print/windows/PrintJob.h"
#include "jigsaw/print/windows/WPrintPrv.h"

namespace qv {

namespace {
constexpr int kControls = 250;   // width of the controls column
constexpr int kPreviewW = 300;
constexpr int kPreviewH = 400;
constexpr int kRow = 24;

// The menu entry "&Print..." as a title, or as a button keeping its mark.
std::string printCaption(bool mark)
{
    std::string plain;
    for (char c : fw::UiText::lookup(4, 1009))
        if (c != '&' || mark)
            plain += c;
    while (!plain.empty() && plain.back() == '.')
        plain.pop_back();
    return plain.empty() ? std::string(mark ? "&Print" : "Print") : plain;
}

std::string captionOr(int id, const char* fallback)
{
    std::string t = fw::UiText::lookup(4, id);
    return t.empty() ? fallback : t;
}
}  // namespace

WPrint::WPrint(QWidget* parent, const Puz& puz, const fw::Background* background, const CaptionFacts& facts)
    : WBaseInfo(parent), m_puz(puz), m_background(background), m_facts(facts),
      m_caption(PrintCaption(facts)), m_options(PrintOptions::defaultsFor(puz)),
      m_printer(std::make_unique<QPrinter>(QPrinter::ScreenResolution))
{
    // Pages are drawn through bitmaps: 300 dots an inch are sharp on paper
    // and keep the bands (and a file printed to) of a sensible size.
    m_printer->setResolution(300);
    if (m_printer->printerName().isEmpty())
        m_printer->setOutputFormat(QPrinter::PdfFormat);
    m_printer->setDocName(QString::fromLatin1(kPrintDocName));
    setTitle(printCaption(false));
    layOut();
    refresh();
}

WPrint::~WPrint() = default;

void WPrint::layOut()
{
    const PrintOptions& o = m_options;
    int y = 10;
    addRadio(IdAssembled, QRect(10, y, kControls, 22), captionOr(IdAssembled, "Assembled picture"),
             o.layout == LayoutAssembled);
    addRadio(IdSpread, QRect(10, y += kRow, kControls, 22), captionOr(IdSpread, "Pieces spread over pages"),
             o.layout == LayoutSpread);
    addRadio(IdTable, QRect(10, y += kRow, kControls, 22), captionOr(IdTable, "Pieces as on the table"),
             o.layout == LayoutTable);
    endRadioGroup();
    y += kRow + 10;
    addText(IdZoomLabel, QRect(10, y, 130, 24), captionOr(IdZoomLabel, "Zoom (%):"));
    addEdit(IdZoom, QRect(146, y, 70, 24), std::to_string(o.zoom), 6);
    y += kRow + 8;
    addCheck(IdFit, QRect(10, y, kControls, 22), captionOr(IdFit, "Fit to page"), o.fitToPage);
    addCheck(IdOuterFrame, QRect(10, y += kRow, kControls, 22), captionOr(IdOuterFrame, "Outer frame"), o.outerFrame);
    addCheck(IdInnerFrame, QRect(10, y += kRow, kControls, 22), captionOr(IdInnerFrame, "Inner frame"), o.innerFrame);
    addCheck(IdCaption, QRect(10, y += kRow, kControls, 22), captionOr(IdCaption, "Caption"), o.caption);
    y += 8;
    addCheck(IdOutlines, QRect(10, y += kRow, kControls, 22), captionOr(IdOutlines, "Piece outlines"), o.outlines);
    addCheck(IdShading, QRect(10, y += kRow, kControls, 22), captionOr(IdShading, "Piece shading"), o.shading);
    y += kRow + 14;
    addButton(IdPrevious, QRect(10, y, 90, 28), captionOr(IdPrevious, "< Previous"));
    addText(IdPageLabel, QRect(104, y, 60, 28), "1 / 1", true);
    addButton(IdNext, QRect(168, y, 90, 28), captionOr(IdNext, "Next >"));
    y += 40;
    addButton(IdPrinterSetup, QRect(10, y, 120, 28), captionOr(IdPrinterSetup, "Printer..."));

    m_preview = new WPrintPrv(this, m_puz, m_background);
    m_preview->setGeometry(kControls + 24, 10, kPreviewW, kPreviewH);
    m_preview->setPage(PrinterDevice(*m_printer));
    m_preview->show();

    const int bottom = std::max(y + 40, kPreviewH + 20);
    const int width = kControls + 24 + kPreviewW + 10;
    addButton(IdOk, QRect(width - 3 * 96, bottom, 86, 28), printCaption(true), true);
    addButton(IdCancel, QRect(width - 2 * 96, bottom, 86, 28));
    addButton(IdHelp, QRect(width - 96, bottom, 86, 28));
    setClientSize(width, bottom + 40);
}

void WPrint::readControls()
{
    PrintOptions& o = m_options;
    o.layout = isChecked(IdAssembled) ? LayoutAssembled : isChecked(IdTable) ? LayoutTable : LayoutSpread;
    o.zoom = PrintOptions::parseZoom(text(IdZoom));
    o.fitToPage = isChecked(IdFit);
    o.outerFrame = isChecked(IdOuterFrame);
    o.innerFrame = isChecked(IdInnerFrame);
    o.caption = isChecked(IdCaption);
    o.outlines = isChecked(IdOutlines);
    o.shading = isChecked(IdShading);
}

void WPrint::refresh()
{
    m_updating = true;
    const bool assembled = m_options.layout == LayoutAssembled;
    for (int id : {IdFit, IdOuterFrame, IdInnerFrame, IdCaption})
        enableControl(id, assembled);
    enableControl(IdZoom, !(assembled && m_options.fitToPage));
    m_preview->setOptions(m_options, m_caption);
    // A fitted zoom is computed: the field shows it.
    if (assembled && m_options.fitToPage) {
        const PrintPlan plan = PagePainter(m_puz, m_options, m_background, m_caption, PrinterDevice(*m_printer)).plan();
        setText(IdZoom, std::to_string(static_cast<long>(std::lround(plan.zoom))));
    }
    const int pages = m_options.layout == LayoutSpread ? std::max(1, m_preview->pageCount()) : 1;
    m_options.page = std::clamp(m_options.page, 1, pages);
    m_preview->setOptions(m_options, m_caption);
    setText(IdPageLabel, std::to_string(m_options.page) + " / " + std::to_string(pages));
    enableControl(IdPrevious, m_options.page > 1);
    enableControl(IdNext, m_options.page < pages);
    m_updating = false;
}

void WPrint::printerChanged()
{
    m_preview->setPage(PrinterDevice(*m_printer));
    refresh();
}

bool WPrint::OnControl(const fw::ControlEvent&)
{
    if (m_updating)
        return true;
    readControls();
    refresh();
    return true;
}

bool WPrint::OnCommand(const fw::CommandEvent& event)
{
    switch (event.command()) {
    case IdPrevious:
        --m_options.page;
        refresh();
        return true;
    case IdNext:
        ++m_options.page;
        refresh();
        return true;
    case IdPrinterSetup: {
        QPrintDialog dialog(m_printer.get(), this);
        if (dialog.exec() == QDialog::Accepted)
            printerChanged();
        return true;
    }
    case IdHelp:
        if (m_help)
            m_help(HelpTopic);
        return true;
    default:
        return WBaseInfo::OnCommand(event);
    }
}

bool WPrint::CanEnd(int result)
{
    if (result != IdOk)
        return true;
    readControls();
    if (m_askPrinter) {
        QPrintDialog dialog(m_printer.get(), this);
        if (dialog.exec() != QDialog::Accepted)
            return false;  // back to the dialog, nothing printed
    }
    m_lastStatus = PrintJob(*m_printer, m_puz, m_options, m_background, m_facts, this);
    // A cancel needs no word; a job that could not run says why.
    if (!m_lastStatus.ok() && !m_lastStatus.text.empty() && m_showErrors)
        fw::ShowStatus(this, m_lastStatus);
    return true;
}

int PrintDialog(QWidget* parent, const Puz& puz, const fw::Background* background, const CaptionFacts& facts)
{
    WPrint dialog(parent, puz, background, facts);
    return dialog.RunModal();
}

}  // namespace qv
