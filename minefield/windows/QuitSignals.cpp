#include "minefield/windows/QuitSignals.h"

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace mf {

namespace {

int g_writeEnd = -1;
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
// A dialog that will not go away does not keep the program alive for ever.
constexpr int kMaxRounds = 50;

extern "C" void OnQuitSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    // A full pipe already holds a wake-up; the byte is not needed then.
    [[maybe_unused]] const ssize_t n = ::write(g_writeEnd, &byte, 1);
    errno = saved;
}

}  // namespace

bool QuitSignals::Install(QObject* parent)
{
    if (g_writeEnd >= 0)
        return true;
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    g_writeEnd = ends[1];
    new QuitSignals(ends[0], parent);
    struct sigaction action {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    bool all = true;
    for (int sig : kSignals)
        all = ::sigaction(sig, &action, nullptr) == 0 && all;
    return all;
}

void QuitSignals::SetMainWindow(QWidget* window) { s_window = window; }

QuitSignals::QuitSignals(int readEnd, QObject* parent) : QObject(parent), m_readEnd(readEnd)
{
    m_notifier = new QSocketNotifier(readEnd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &QuitSignals::Drain);
}

void QuitSignals::Drain()
{
    char bytes[64];
    while (::read(m_readEnd, bytes, sizeof bytes) > 0) {
    }
    if (m_closing)
        return;
    m_closing = true;
    CloseStep();
}

// One dialog or menu at a time: each runs its own event loop, which must
// return before the one under it can be closed.
void QuitSignals::CloseStep()
{
    QWidget* top = QApplication::activePopupWidget();
    if (!top)
        top = QApplication::activeModalWidget();
    if (top && ++m_rounds <= kMaxRounds) {
        if (auto* dialog = qobject_cast<QDialog*>(top))
            dialog->reject();
        else
            top->close();
        QTimer::singleShot(0, this, &QuitSignals::CloseStep);
        return;
    }
    if (s_window && s_window->isVisible())
        s_window->close();
    // The window closes the program as the last one; anything left over
    // (a window that refused, a dialog that stayed) does not keep it running.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

}  // namespace mf
