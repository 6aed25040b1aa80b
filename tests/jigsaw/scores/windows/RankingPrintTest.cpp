// A ranking printed to PDF, read back with the PDF tools a person would use:
// the text of the page and its pixels.
#include <QGuiApplication>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <cmath>
#include <cstdlib>

#include "ScoreWindowsFixture.h"
#include "jigsaw/scores/windows/RankingPrint.h"
#include "jigsaw/scores/windows/WRanking.h"

using namespace qv;
using namespace qv::test;

namespace {

// Runs one of the PDF tools; its standard output.
QByteArray run(const QString& tool, const QStringList& args)
{
    const QString path = QStandardPaths::findExecutable(tool);
    EXPECT_FALSE(path.isEmpty()) << tool.toStdString() << " is missing (Debian package poppler-utils)";
    QProcess p;
    p.start(path, args);
    EXPECT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return p.readAllStandardOutput();
}

// The box around every pixel darker than the paper.
QRect ink(const QImage& page)
{
    QRect box;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 200)
                box |= QRect(x, y, 1, 1);
    return box;
}

}  // namespace

TEST_F(ScoreWindowsTest, PrintedRankingHasEveryRowInBlackAtTheWindowsSizeOrShrunkToThePage)
{
    storeRanking();
    open();
    join(15);  // the game's own entry fourth
    WRanking w(*live, host);
    int tableWidth = 0;
    for (size_t c = 0; c < w.columns().size(); ++c)
        tableWidth += w.columnWidth(c);
    const double screenDpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    constexpr int kDpi = 72;  // of the pictures the pages are turned into

    const struct {
        const char* what;
        QPageSize::PageSizeId size;
        QPageLayout::Orientation orientation;
        bool fitsAsShown;
    } cases[] = {
        {"wide page: the size the window shows", QPageSize::A4, QPageLayout::Landscape, true},
        {"narrow page: shrunk to its width", QPageSize::A6, QPageLayout::Portrait, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // The pages stay in QV_PRINT_PDF_DIR when it is set, for a person to look at.
        fs::path folder = dir;
        if (const char* keep = std::getenv("QV_PRINT_PDF_DIR"))
            fs::create_directories(folder = keep);
        const std::string name = c.fitsAsShown ? "ranking-wide" : "ranking-narrow";
        const QString pdf = QString::fromStdString((folder / (name + ".pdf")).string());
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setResolution(300);
        printer.setPageSize(QPageSize(c.size));
        printer.setPageOrientation(c.orientation);
        ASSERT_TRUE(PrintRanking(printer, w).ok());

        // Title, then every result in the ranking's order, the game's own
        // too; names longer than the column are cut short with an ellipsis.
        const std::string text = run("pdftotext", {"-layout", pdf, "-"}).toStdString();
        size_t at = text.find("Castle by the Sea");
        ASSERT_NE(at, std::string::npos) << text;
        for (const ScoreRecord& r : w.ranking().records) {
            at = text.find(r.player.substr(0, 20), at + 1);
            ASSERT_NE(at, std::string::npos) << r.player << " missing or out of order:\n" << text;
        }
        EXPECT_NE(text.find("118,400"), std::string::npos) << text;

        const QString png = QString::fromStdString((folder / name).string());
        run("pdftoppm", {"-r", QString::number(kDpi), "-png", "-singlefile", pdf, png});
        const QImage page(png + ".png");
        ASSERT_FALSE(page.isNull());
        EXPECT_EQ(colouredPixels(page, page.rect()), 0) << "printing draws in black only";
        const QRect area = ink(page);
        const QRectF paper = printer.pageLayout().paintRect(QPageLayout::Inch);
        // The rule under the headings spans the table exactly.
        const double expected = c.fitsAsShown ? tableWidth / screenDpi * kDpi : paper.width() * kDpi;
        EXPECT_NEAR(area.width(), expected, expected * 0.04);
        EXPECT_GE(area.left(), std::floor(paper.left() * kDpi) - 1) << "nothing is cut at the margin";
        EXPECT_LE(area.right(), std::ceil(paper.right() * kDpi) + 1);
    }
}

TEST_F(ScoreWindowsTest, PrintButtonAsksForThePrinterFirst)
{
    storeRanking();
    open();
    WRanking w(*live, host);
    auto* print = qobject_cast<QPushButton*>(w.control(WRanking::IdPrint));
    ASSERT_NE(print, nullptr);
    QString asked;
    QTimer::singleShot(50, [&] {
        if (QWidget* m = QApplication::activeModalWidget()) {
            asked = m->metaObject()->className();
            m->close();  // cancelled: nothing is printed
        }
    });
    print->click();
    EXPECT_EQ(asked, "QPrintDialog");
}
