#pragma once
#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <functional>
#include <ostream>

#include "minefield/BoardPorts.h"

// Failures show texts as texts.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace mftest {

// The application of the test program: made before the first test and
// deleted after the last one, while Qt's own globals still exist.
QApplication& App();

inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return true;
}

// Runs `answer` on the next modal dialog of type T once it is up.
template <class T>
void WhenModal(std::function<void(T*)> answer)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        T* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer->stop();
        timer->deleteLater();
        answer(dialog);
    });
    timer->start();
}

// The session's language for one test.
class LanguageScope {
public:
    explicit LanguageScope(const char* language) : m_old(qgetenv("LANGUAGE")) { qputenv("LANGUAGE", language); }
    ~LanguageScope()
    {
        if (m_old.isNull())
            qunsetenv("LANGUAGE");
        else
            qputenv("LANGUAGE", m_old);
    }
    LanguageScope(const LanguageScope&) = delete;
    LanguageScope& operator=(const LanguageScope&) = delete;

private:
    QByteArray m_old;
};

// A board window on its own: nobody listens, nothing sounds.
struct NoBoardEvents : mf::BoardEvents {
    void MinesLeftChanged(int32_t) override {}
    void GameWon() override {}
    void GameLost() override {}
    void ShieldsChanged() override {}
};
struct NoBoardSounds : mf::BoardSounds {
    void PlayClick() override {}
    void PlayExplosion() override {}
    void PlayWin() override {}
};

}  // namespace mftest
