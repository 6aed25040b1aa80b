#include "jigsaw/shell/windows/TestInput.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QStringList>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "framework/SoundPlayer.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/play/windows/WPuz.h"
#include "jigsaw/play/windows/WSPuz.h"
#include "jigsaw/shell/windows/App.h"

namespace qv {

namespace {

constexpr int kStepMs = 50;

void turnFirstPiece(App& app)
{
    WPuz& w = app.playWindow();
    const Puz& puz = app.puz();
    WSPuz* table = w.surfaceOf(SPuz::OnTable);
    if (!table)
        return;
    for (const SPuz& p : puz.pieces) {
        if (p.box != SPuz::OnTable)
            continue;
        const QPoint at = table->toWindow(QPoint(p.tableCell.x + p.tableCell.w / 2, p.tableCell.y + p.tableCell.h / 2));
        const QPointF local(at), global(table->mapToGlobal(at));
        QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::RightButton, Qt::RightButton,
                          Qt::ControlModifier);
        QCoreApplication::sendEvent(table, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::RightButton, Qt::NoButton,
                            Qt::ControlModifier);
        QCoreApplication::sendEvent(table, &release);
        return;
    }
}

void pressKeys(App& app, const QString& text)
{
    const QKeySequence sequence = QKeySequence::fromString(text, QKeySequence::PortableText);
    for (int i = 0; i < sequence.count(); ++i) {
        const QKeyCombination combination = sequence[i];
        QKeyEvent down(QEvent::KeyPress, combination.key(), combination.keyboardModifiers());
        QCoreApplication::sendEvent(&app.playWindow(), &down);
        QKeyEvent up(QEvent::KeyRelease, combination.key(), combination.keyboardModifiers());
        QCoreApplication::sendEvent(&app.playWindow(), &up);
    }
}

void announce(App& app)
{
    app.soundPlayer().waitIdle();
    std::printf("qvrk32: input played%s\n", QApplication::activeModalWidget() ? " over a modal window" : "");
    std::fflush(stdout);
}

// Each step is its own timer, so a step that opens a modal window runs the
// next ones (and the announcement) from that window's loop.
void playFrom(App& app, std::shared_ptr<const QStringList> steps, int index)
{
    QTimer::singleShot(kStepMs, &app.playWindow(), [&app, steps, index] {
        if (index >= steps->size()) {
            announce(app);
            return;
        }
        // The next step is armed first: this one may not return before it.
        playFrom(app, steps, index + 1);
        const QString step = steps->at(index);
        if (step == QLatin1String("turn"))
            turnFirstPiece(app);
        else
            pressKeys(app, step);
    });
}

}  // namespace

void PlayTestInput(App& app)
{
    const QString script = qEnvironmentVariable("QV_TEST_INPUT");
    if (script.isEmpty())
        return;
    QStringList steps;
    for (const QString& s : script.split(QLatin1Char(';'))) {
        if (!s.trimmed().isEmpty())
            steps.push_back(s.trimmed());
    }
    playFrom(app, std::make_shared<const QStringList>(std::move(steps)), 0);
}

}  // namespace qv
