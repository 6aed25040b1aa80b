#pragma once
#include <QDialog>
#include <QPixmap>
#include <QTimer>
#include <functional>
#include <map>

#include "framework/Credits.h"

namespace fw {

// The scrolling credits roll, shown modally over its owner. Esc, a mouse
// button or losing activation closes it.
class WCredits : public QDialog {
    Q_OBJECT
public:
    // pictures: the icons and bitmaps the text names by number. playSound /
    // stopSound: the roll's sound file (a full path), or empty callbacks.
    WCredits(const std::string& text, std::map<int, QPixmap> pictures, QWidget* owner,
             std::function<void(const std::string&)> playSound = {}, std::function<void()> stopSound = {});

    const CreditsDoc& document() const { return m_doc; }
    const CreditsScroll& scroll() const { return m_scroll; }
    // One tick of the roll, for the timer and for tests.
    void advance();

protected:
    void paintEvent(QPaintEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void changeEvent(QEvent*) override;
    void done(int result) override;

private:
    QFont fontFor(int index) const;

    CreditsDoc m_doc;
    std::map<int, QPixmap> m_pictures;
    CreditsScroll m_scroll{CreditsWindowHeight, 0};
    QTimer m_timer;
    std::function<void()> m_stopSound;
    bool m_closing = false;
};

}  // namespace fw
