#include "jigsaw/print/windows/PrintJob.h"

#include <QCoreApplication>
#include <QDate>
#include <QGuiApplication>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QProgressDialog>
#include <QScreen>
#include <memory>

#include "framework/qt/Text.h"
#include "framework/qt/UiText.h"
#include "jigsaw/document/Puz.h"

namespace qv {

const char* const kPrintDocName = "Quorvane puzzle";

namespace {

// The progress window: a bar over all pieces of all bands and pages.
class ProgressWindow : public PrintProgress {
public:
    explicit ProgressWindow(QWidget* parent) : m_parent(parent) {}

    void start(int steps, int pages) override
    {
        m_pages = pages;
        m_dialog = std::make_unique<QProgressDialog>(fw::UiText::text(1, 37), fw::UiText::text(4, 2), 0,
                                                     std::max(1, steps), m_parent);
        m_dialog->setWindowTitle(QString::fromLatin1(kPrintDocName));
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setMinimumDuration(0);
        m_dialog->setValue(0);
    }
    void page(int number) override
    {
        if (m_pages <= 1 || !m_dialog)
            return;
        char text[64];
        std::snprintf(text, sizeof text, "%s %i", fw::UiText::lookup(1, 36).c_str(), number);
        m_dialog->setLabelText(fw::UiText::text(1, 37) + "\n" + fw::toQString(text));
    }
    bool step() override
    {
        if (!m_dialog)
            return true;
        m_dialog->setValue(m_dialog->value() + 1);
        QCoreApplication::processEvents();
        return !m_dialog->wasCanceled();
    }
    void finish() override { m_dialog.reset(); }

private:
    QWidget* m_parent;
    int m_pages = 1;
    std::unique_ptr<QProgressDialog> m_dialog;
};

std::string dateText(uint32_t yyyymmdd)
{
    const QDate d(static_cast<int>(yyyymmdd / 10000), static_cast<int>(yyyymmdd / 100 % 100),
                  static_cast<int>(yyyymmdd % 100));
    if (!d.isValid())
        return std::to_string(yyyymmdd);
    return fw::fromQString(QLocale::system().toString(d, QLocale::ShortFormat));
}

bool g_running = false;

}  // namespace

std::string PrintCaption(const CaptionFacts& facts)
{
    return CaptionText(facts, [](int id) { return fw::UiText::lookup(1, id); }, dateText);
}

PageDevice PrinterDevice(QPrinter& printer)
{
    PageDevice d;
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    d.width = page.width();
    d.height = page.height();
    double screenDpi = 96.0;
    if (QScreen* s = QGuiApplication::primaryScreen(); s && s->logicalDotsPerInchX() > 0)
        screenDpi = s->logicalDotsPerInchX();
    d.scaleX = printer.logicalDpiX() / screenDpi;
    d.scaleY = printer.logicalDpiY() / screenDpi;
    d.unitsPerPoint = printer.logicalDpiY() / 72.0;
    d.toPrinter = true;
    return d;
}

fw::Status PrintJob(QPrinter& printer, const Puz& puz, const PrintOptions& options, const fw::Background* background,
                    const CaptionFacts& facts, QWidget* parent, PrintProgress* progress, size_t bandByteLimit)
{
    if (g_running)
        return fw::Status(fw::msg::Cancelled, "(Printer busy)");
    g_running = true;
    struct Done {
        ~Done() { g_running = false; }
    } done;

    ProgressWindow window(parent);
    PrintProgress& shown = progress ? *progress : window;
    printer.setDocName(QString::fromLatin1(kPrintDocName));
    PageDevice device = PrinterDevice(printer);
    device.bandByteLimit = bandByteLimit;
    PagePainter pages(puz, options, background, PrintCaption(facts), device);
    if (pages.bands().count == 0)
        return fw::Status(fw::msg::Cancelled, "(Printer Band)");

    const int count = options.layout == LayoutSpread ? pages.pageCount() : std::min(1, pages.pageCount());
    int steps = 0;
    for (int p = 0; p < count; ++p)
        steps += pages.bands().count * static_cast<int>(pages.plan().pages[static_cast<size_t>(p)].size());
    shown.start(steps, count);
    pages.setAfterPiece([&] { return shown.step(); });

    QPainter painter;
    if (!painter.begin(&printer)) {
        shown.finish();
        return fw::Status(fw::msg::Cancelled, "(Printer)");
    }
    fw::Status status;
    for (int p = 0; p < count && status.ok(); ++p) {
        shown.page(p + 1);
        if (p > 0 && !printer.newPage()) {
            status = fw::Status(fw::msg::Cancelled, "(Printer)");
            break;
        }
        status = pages.drawPage(painter, p);
    }
    if (status.ok()) {
        painter.end();
    } else {
        printer.abort();
        painter.end();
    }
    shown.finish();
    return status;
}

}  // namespace qv
