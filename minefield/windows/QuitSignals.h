#pragma once
#include <QObject>
#include <QPointer>
#include <QWidget>

class QSocketNotifier;

namespace mf {

// Ends the program on SIGTERM, SIGINT and SIGHUP (a logout, kill, Ctrl+C
// in a terminal) the way closing the main window does, so the settings are
// written: the handler only writes a byte to a pipe, and the closing happens
// on the event loop. Open dialogs and menus are dismissed first, as their
// close boxes would, so nothing is stored that the player did not confirm.
class QuitSignals : public QObject {
    Q_OBJECT
public:
    // One per program; false when the pipe or a handler could not be set up
    // (the signals then keep their default action).
    static bool Install(QObject* parent);
    // The window that is closed when a signal comes.
    static void SetMainWindow(QWidget* window);

private:
    explicit QuitSignals(int readEnd, QObject* parent);
    void Drain();
    void CloseStep();

    QSocketNotifier* m_notifier = nullptr;
    int m_readEnd = -1;
    int m_rounds = 0;
    bool m_closing = false;
    static inline QPointer<QWidget> s_window;
};

}  // namespace mf
