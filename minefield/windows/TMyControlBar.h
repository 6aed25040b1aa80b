#pragma once
#include <QWidget>

namespace mf {

// The tool bar: the New button at the left edge, the counter in the middle,
// the Exit button at the right edge, with a dark line along its top and
// bottom and a light one under the top.
class TMyControlBar : public QWidget {
    Q_OBJECT
public:
    explicit TMyControlBar(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace mf
