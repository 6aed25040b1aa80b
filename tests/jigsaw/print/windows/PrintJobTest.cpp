#include <gtest/gtest.h>

#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>

#include "tests/jigsaw/print/PrintFixture.h"
#include "framework/qt/Screenshot.h"
#include "framework/qt/UiText.h"
#include "jigsaw/print/windows/PagePainter.h"
#include "jigsaw/print/windows/PrintJob.h"
#include "jigsaw/print/windows/WPrint.h"
#include "jigsaw/print/windows/WPrintPrv.h"

using namespace qv;

namespace {

// Counts the steps and can cancel after a number of them.
struct CountingProgress : PrintProgress {
    int steps = 0, expected = 0, pages = 0, done = 0, cancelAfter = -1;
    std::function<void()> onStep;
    void start(int s, int p) override
    {
        expected = s;
        pages = p;
    }
    void page(int) override {}
    bool step() override
    {
        ++steps;
        if (onStep)
            onStep();
        return cancelAfter < 0 || steps < cancelAfter;
    }
    void finish() override { ++done; }
};

// The PDFs stay in QV_PRINT_PDF_DIR when it is set, for a person to look at.
std::filesystem::path pdfPath(const testfix::TempDir& dir, const std::string& name)
{
    if (const char* keep = std::getenv("QV_PRINT_PDF_DIR")) {
        std::filesystem::create_directories(keep);
        return std::filesystem::path(keep) / name;
    }
    return dir / name;
}

void toPdf(QPrinter& printer, const std::filesystem::path& file, QPageSize::PageSizeId size)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(file.string()));
    printer.setResolution(150);
    printer.setPageSize(QPageSize(size));
}

// The text of a PDF, as the PDF tools a person would use read it.
std::string pdfText(const std::filesystem::path& file)
{
    const QString tool = QStandardPaths::findExecutable("pdftotext");
    EXPECT_FALSE(tool.isEmpty()) << "pdftotext is missing (Debian package poppler-utils)";
    QProcess p;
    p.start(tool, {QString::fromStdString(file.string()), "-"});
    EXPECT_TRUE(p.waitForFinished(30000));
    return p.readAllStandardOutput().toStdString();
}

int pdfPages(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes.rfind("%PDF", 0), 0u);
    const std::regex page("/Type\\s*/Page[^s]");
    return static_cast<int>(std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), page), {}));
}

struct PrintJobTest : ::testing::Test {
    testfix::TempDir dir;
    void SetUp() override
    {
        fw::UiText::setSource([](int kind, int id) {
            if (kind != 1)
                return std::string();
            switch (id) {
            case 530: return std::string("Game name:");
            case 541: return std::string("played by");
            case 508: return std::string("Time");
            case 504: return std::string("Moves");
            case 506: return std::string("Helps");
            case 991: return std::string("Started: ");
            case 992: return std::string("Finished: ");
            default: return std::string();
            }
        });
    }
    void TearDown() override
    {
        fw::UiText::setSource(nullptr);
    }
};

}  // namespace

TEST_F(PrintJobTest, AFinishedTwoByTwoPuzzleAssembledToPdf)
{
    Puz puz;
    testfix::makePuzzle(puz, testfix::samplePicture(), 2, 2, 42);
    puz.state |= Puz::Complete;
    const PrintOptions o = PrintOptions::defaultsFor(puz);
    ASSERT_EQ(o.layout, LayoutAssembled);
    CaptionFacts facts;
    facts.gameName = "Rocket";
    facts.playerName = "Ana";
    facts.dateStart = 20240301;
    facts.dateEnd = 20240302;
    facts.elapsedMs = 754300;
    facts.moves = 9;
    facts.helps = 1;
    fw::Background background;
    background.Set(0x7F5F3F, 0x201008, 0);  // a blend, for the frame
    QPrinter printer(QPrinter::ScreenResolution);
    const auto file = pdfPath(dir, "assembled-2x2.pdf");
    toPdf(printer, file, QPageSize::A4);
    CountingProgress progress;
    const fw::Status st = PrintJob(printer, puz, o, &background, facts, nullptr, &progress);
    ASSERT_TRUE(st.ok()) << st.id << st.text;
    EXPECT_EQ(printer.docName(), "Quorvane puzzle");
    EXPECT_EQ(pdfPages(file), 1);
    // The footer names the program, and no made-up address.
    const std::string text = pdfText(file);
    EXPECT_NE(text.find("Quorvane"), std::string::npos) << text;
    EXPECT_EQ(text.find("example"), std::string::npos) << text;
    EXPECT_EQ(progress.steps, progress.expected);
    EXPECT_EQ(progress.done, 1);
    EXPECT_EQ(progress.pages, 1);
    // Printer bands: the page height over twice the largest piece height.
    PagePainter pages(puz, o, &background, PrintCaption(facts), PrinterDevice(printer));
    EXPECT_EQ(progress.expected, 4 * pages.bands().count);
    EXPECT_GT(pages.plan().zoom, 100.0) << "fitted to the page";
}

TEST_F(PrintJobTest, ThreeHundredPiecesSpreadOverSeveralPdfPages)
{
    Puz puz;
    testfix::makePuzzle(puz, testfix::samplePicture(), 15, 20, 9);
    ASSERT_EQ(puz.pieceCount(), 300);
    for (SPuz& p : puz.pieces)
        ASSERT_TRUE(TurnPiece(puz, p, p.index % 4).ok());
    PrintOptions o = PrintOptions::defaultsFor(puz);
    ASSERT_EQ(o.layout, LayoutSpread);
    QPrinter printer(QPrinter::ScreenResolution);
    const auto file = pdfPath(dir, "spread-300.pdf");
    toPdf(printer, file, QPageSize::A5);
    PagePainter pages(puz, o, nullptr, {}, PrinterDevice(printer));
    ASSERT_GT(pages.pageCount(), 1);
    CountingProgress progress;
    ASSERT_TRUE(PrintJob(printer, puz, o, nullptr, {}, nullptr, &progress).ok());
    EXPECT_EQ(pdfPages(file), pages.pageCount());
    EXPECT_EQ(progress.pages, pages.pageCount());
    EXPECT_EQ(progress.steps, 300 * pages.bands().count);
}

TEST_F(PrintJobTest, CancelAbortsABandFailureStopsAndOnlyOneJobRuns)
{
    Puz puz;
    testfix::makePuzzle(puz, testfix::noisePicture(200, 150), 3, 4, 1);
    PrintOptions o;
    QPrinter printer(QPrinter::ScreenResolution);
    toPdf(printer, dir / "cancelled.pdf", QPageSize::A6);

    CountingProgress cancel;
    cancel.cancelAfter = 5;
    fw::Status st = PrintJob(printer, puz, o, nullptr, {}, nullptr, &cancel);
    EXPECT_EQ(st.id, fw::msg::Cancelled);
    EXPECT_EQ(cancel.steps, 5) << "nothing more is drawn";
    EXPECT_EQ(cancel.done, 1);

    CountingProgress nested;
    fw::Status inner;
    nested.onStep = [&] {
        if (nested.steps == 1)
            inner = PrintJob(printer, puz, o, nullptr, {}, nullptr, &cancel);
    };
    toPdf(printer, dir / "nested.pdf", QPageSize::A6);
    EXPECT_TRUE(PrintJob(printer, puz, o, nullptr, {}, nullptr, &nested).ok());
    EXPECT_EQ(inner.id, fw::msg::Cancelled);
    EXPECT_EQ(inner.text, "(Printer busy)");

    CountingProgress none;
    st = PrintJob(printer, puz, o, nullptr, {}, nullptr, &none, 100);  // not even a 32-row band of the page
    EXPECT_EQ(st.id, 2);
    EXPECT_EQ(st.text, "(Printer Band)");
    EXPECT_EQ(none.steps, 0);
}

TEST_F(PrintJobTest, ThePrintDialogPagesThroughTheSpreadAndShowsItsPreview)
{
    Puz puz;
    testfix::makePuzzle(puz, testfix::samplePicture(), 15, 20, 9);
    testfix::useEnglishTexts();
    CaptionFacts facts;
    WPrint w(nullptr, puz, nullptr, facts);
    w.printer().setPageSize(QPageSize(QPageSize::A5));
    w.printerChanged();
    w.setChecked(WPrint::IdSpread, true);
    EXPECT_EQ(w.options().layout, LayoutSpread);
    const int pages = w.preview()->pageCount();
    ASSERT_GT(pages, 1);
    // The preview pages the printer's way.
    EXPECT_EQ(pages, PagePainter(puz, w.options(), nullptr, {}, PrinterDevice(w.printer())).pageCount());
    EXPECT_EQ(w.text(WPrint::IdPageLabel), "1 / " + std::to_string(pages));
    EXPECT_FALSE(w.control(WPrint::IdPrevious)->isEnabled());
    EXPECT_TRUE(w.control(WPrint::IdNext)->isEnabled());
    for (int i = 1; i < pages; ++i)
        w.sendCommand(WPrint::IdNext);
    EXPECT_EQ(w.text(WPrint::IdPageLabel), std::to_string(pages) + " / " + std::to_string(pages));
    EXPECT_TRUE(w.control(WPrint::IdPrevious)->isEnabled());
    EXPECT_FALSE(w.control(WPrint::IdNext)->isEnabled());
    // Frames and fitting belong to the assembled picture only.
    EXPECT_FALSE(w.control(WPrint::IdFit)->isEnabled());
    w.setChecked(WPrint::IdAssembled, true);
    EXPECT_TRUE(w.control(WPrint::IdFit)->isEnabled());
    EXPECT_EQ(w.text(WPrint::IdPageLabel), "1 / 1");
    w.setChecked(WPrint::IdSpread, true);
    w.sendCommand(WPrint::IdNext);
    w.show();
    fw::saveScreenshot(w, "print-dialog-spread");

    // OK prints to the printer as set, without asking.
    const auto file = pdfPath(dir, "from-dialog.pdf");
    w.printer().setOutputFormat(QPrinter::PdfFormat);
    w.printer().setOutputFileName(QString::fromStdString(file.string()));
    w.setAskPrinter(false);
    w.setShowErrors(false);
    w.setChecked(WPrint::IdTable, true);
    w.sendCommand(WPrint::IdOk);
    EXPECT_TRUE(w.lastStatus().ok());
    EXPECT_EQ(pdfPages(file), 1);
}

TEST_F(PrintJobTest, TheFinishedPuzzlesDialogAndItsPreview)
{
    Puz puz;
    testfix::makePuzzle(puz, testfix::samplePicture(), 4, 5, 3);
    puz.state |= Puz::Complete;
    fw::Background background;
    background.Set(0x808080, fw::Background::None, 0);
    CaptionFacts facts;
    facts.gameName = "Rocket";
    facts.playerName = "Ana";
    facts.elapsedMs = 1234567;
    facts.moves = 57;
    testfix::useEnglishTexts();
    WPrint w(nullptr, puz, &background, facts);
    EXPECT_EQ(w.options().layout, LayoutAssembled);
    EXPECT_TRUE(w.isChecked(WPrint::IdFit) && w.isChecked(WPrint::IdCaption));
    EXPECT_FALSE(w.control(WPrint::IdZoom)->isEnabled()) << "the fitted zoom is computed";
    const PrintPlan fitted =
        PagePainter(puz, w.options(), &background, PrintCaption(facts), PrinterDevice(w.printer())).plan();
    EXPECT_GT(fitted.zoom, 100.0);
    EXPECT_EQ(w.text(WPrint::IdZoom), std::to_string(std::lround(fitted.zoom)));
    w.show();
    fw::saveScreenshot(w, "print-dialog-assembled");
    SUCCEED();
}
