#include "jigsaw/shell/windows/CuttingProgress.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <atomic>
#include <exception>
#include <thread>
#include <vector>

#include "framework/qt/Text.h"

namespace qv {

// Keeps the game's windows (the parent's window and the windows it owns,
// dialogs apart) from painting, running their timers and closing while a
// cut writes the document they show. What was held is done afterwards:
// the windows repaint, a timer fires on its next round, a close comes
// again.
class CuttingProgress::Hold : public QObject {
public:
    explicit Hold(QWidget* game) : m_game(game) { qApp->installEventFilter(this); }
    ~Hold() override
    {
        qApp->removeEventFilter(this);
        for (const QPointer<QWidget>& w : m_closing)
            if (w)
                QTimer::singleShot(0, w.data(), [w] {
                    if (w)
                        w->close();
                });
        for (QWidget* w : QApplication::topLevelWidgets())
            if (held(w))
                w->update();
    }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::Paint && type != QEvent::Timer && type != QEvent::Close)
            return false;
        auto* widget = qobject_cast<QWidget*>(object);
        if (!widget || !held(widget))
            return false;
        if (type == QEvent::Close) {
            if (!m_closing.contains(widget))
                m_closing.push_back(widget);
            event->ignore();
        }
        return true;
    }

private:
    bool held(const QWidget* widget) const
    {
        if (!m_game)
            return false;
        for (const QWidget* w = widget; w; w = w->parentWidget()) {
            if (w == m_game)
                return true;
            if (qobject_cast<const QDialog*>(w))
                return false;
        }
        return false;
    }

    QPointer<QWidget> m_game;
    QList<QPointer<QWidget>> m_closing;
};

CuttingProgress::CuttingProgress(QWidget* parent, std::string text, int showAfterMs)
    : m_parent(parent), m_text(std::move(text)), m_showAfterMs(showAfterMs)
{
    m_clock.start();
}

CuttingProgress::~CuttingProgress() = default;

fw::Status CuttingProgress::run(const std::function<fw::Status(const Progress&)>& cut)
{
    std::atomic<int> percent{-1};
    std::atomic<bool> done{false};
    fw::Status result;
    std::exception_ptr thrown;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (const int p = percent.load(); p >= 0)
            step(p);
        if (done.load())
            loop.quit();
    });
    Hold hold(m_parent ? m_parent->window() : nullptr);
    std::thread worker([&] {
        try {
            result = cut([&percent](int p) { percent.store(p); });
        } catch (...) {
            thrown = std::current_exception();
        }
        done.store(true);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    poll.start(PollMs);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    if (thrown)
        std::rethrow_exception(thrown);
    return result;
}

void CuttingProgress::step(int percent)
{
    if (!m_dialog) {
        // Not for the last few percent: the cut is as good as done.
        if (m_clock.elapsed() < m_showAfterMs || percent >= 90)
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
}

}  // namespace qv
