#pragma once
#include <string>

#include "framework/Background.h"
#include "framework/Status.h"
#include "jigsaw/print/windows/PagePainter.h"
#include "jigsaw/print/PrintLayout.h"

class QPrinter;
class QWidget;

namespace qv {

class Puz;

// The document title the print spooler shows.
extern const char* const kPrintDocName;

// What the print job shows while it runs. The default is a progress
// window with a cancel button (texts 37 and 36).
class PrintProgress {
public:
    virtual ~PrintProgress() = default;
    virtual void start(int steps, int pages) = 0;
    virtual void page(int number) = 0;  // from 1
    // One piece drawn; false when the user cancelled.
    virtual bool step() = 0;
    virtual void finish() = 0;
};

// The caption of a print: game, player, dates, time, moves and helps, in
// the translated texts and the locale's date form.
std::string PrintCaption(const CaptionFacts& facts);

// The printer's page as the pages are drawn on it: its paint area at its
// resolution, and its device units per table pixel (the printer's dots per
// inch over the screen's).
PageDevice PrinterDevice(QPrinter& printer);

// Prints every page (all pages of the spread layout, else one) on the
// printer. Only one job runs at a time; a second one is refused. A failed
// status when the printer cannot start, when no band bitmap can be made
// ("(Printer Band)"), or Cancelled when the user cancelled (the document is
// then aborted). progress null: the progress window over parent.
// bandByteLimit: as the page device's.
fw::Status PrintJob(QPrinter& printer, const Puz& puz, const PrintOptions& options, const fw::Background* background,
                    const CaptionFacts& facts, QWidget* parent = nullptr, PrintProgress* progress = nullptr,
                    size_t bandByteLimit = 0);

}  // namespace qv
