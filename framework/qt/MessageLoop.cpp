#include "framework/qt/MessageLoop.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include "framework/EventQueue.h"
#include "framework/qt/Window.h"

namespace fw {

namespace {

// Repaints what is invalid in every window now, rather than when the
// toolkit would get round to it.
void repaintInvalid() { QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest); }

}  // namespace

int MessageLoop::Run(Window& window, bool continuousIdle)
{
    QPointer<Window> alive(&window);
    EventQueue& queue = EventQueue::main();
    queue.setRepaintAll(repaintInvalid);

    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    // Its timeout only has to make the loop go round once more.
    QObject::connect(&wake, &QTimer::timeout, [] {});

    const int ownLevel = QThread::currentThread()->loopLevel() + 1;
    auto idle = [&] {
        // Nested loops (modal dialogs, menus) leave posted events waiting.
        if (QThread::currentThread()->loopLevel() != ownLevel || !alive)
            return;
        queue.DeliverDue();
        if (!alive)
            return;
        RunIdleWork();
        const auto next = continuousIdle ? std::optional<uint32_t>(0) : queue.TimeToNext();
        if (!next)
            wake.stop();
        else if (!wake.isActive() || static_cast<uint32_t>(wake.remainingTime()) > *next)
            wake.start(static_cast<int>(std::min<uint32_t>(*next, 24u * 3600u * 1000u)));
    };
    auto* dispatcher = QAbstractEventDispatcher::instance();
    const auto blockConnection = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, idle);
    const auto gone = QObject::connect(&window, &QObject::destroyed, [] { QCoreApplication::exit(0); });
    const auto closed = QObject::connect(&window, &Window::closed, [] { QCoreApplication::exit(0); });

    // The application's own loop: QCoreApplication::exit ends it with a code,
    // and a later run starts afresh.
    const int code = QCoreApplication::exec();
    QObject::disconnect(blockConnection);
    QObject::disconnect(gone);
    QObject::disconnect(closed);
    return code;
}

}  // namespace fw
