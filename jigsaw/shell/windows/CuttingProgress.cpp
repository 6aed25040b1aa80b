#include "jigsaw/shell/windows/CuttingProgress.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include "framework/qt/Text.h"

namespace qv {

int CuttingProgress::showAfterMs = 300;

CuttingProgress::CuttingProgress(QWidget* parent, std::string text) : m_parent(parent), m_text(std::move(text))
{
    m_clock.start();
}

CuttingProgress::~CuttingProgress() = default;

void CuttingProgress::step(int percent)
{
    if (!m_dialog) {
        // Not for the last few percent: the cut is as good as done.
        if (m_clock.elapsed() < showAfterMs || percent >= 90)
            return;
        m_dialog = std::make_unique<QProgressDialog>(fw::toQString(m_text), QString(), 0, 100, m_parent.data());
        m_dialog->setWindowTitle("Quorvane");
        m_dialog->setCancelButton(nullptr);
        m_dialog->setMinimumDuration(0);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->setMinimumWidth(320);
        m_dialog->adjustSize();  // without its cancel button it is lower
        m_dialog->show();
    }
    m_dialog->setValue(percent);
    // The cut holds the thread: let the display paint itself, but take no
    // input until the game is ready for it.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace qv
