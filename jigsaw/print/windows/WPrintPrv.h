#pragma once
#include <QWidget>
#include <string>

#include "framework/Background.h"
#include "jigsaw/print/windows/PagePainter.h"
#include "jigsaw/print/PrintLayout.h"

namespace qv {

class Puz;

// The print preview: the current page drawn by the printer's own code, at
// the scale that fits the page into the widget.
class WPrintPrv : public QWidget {
    Q_OBJECT

public:
    WPrintPrv(QWidget* parent, const Puz& puz, const fw::Background* background);

    // The page of the printer (size and device scale) and what to draw on it.
    void setPage(const PageDevice& printerPage) { m_printerPage = printerPage; update(); }
    void setOptions(const PrintOptions& options, const std::string& caption);
    int pageCount() const;
    // The preview's own device: the printer's page shrunk into the widget.
    PageDevice previewDevice() const;
    QRect pageRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Puz& m_puz;
    const fw::Background* m_background;
    PageDevice m_printerPage;
    PrintOptions m_options;
    std::string m_caption;
};

}  // namespace qv
