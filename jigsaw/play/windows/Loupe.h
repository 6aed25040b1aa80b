#pragma once
#include <QPoint>
#include <QWidget>

#include "framework/Bitmap.h"
#include "framework/EventHandler.h"
#include "framework/Object.h"

namespace qv {

class WSPuz;

// The magnifier: a round window centred on the pointer that shows the table
// under it enlarged. Its window is the diameter plus 30 pixels square.
class Loupe : public fw::Object, public fw::EventHandler {
public:
    static constexpr int Rim = 30;
    static constexpr int MinSize = 101, MaxSize = 279, SizeStep = 20;
    static constexpr double MaxFactor = 5.0, MinFactor = 2.0;

    Loupe(WSPuz& table, int size, double factor);
    ~Loupe() override;

    // Centres the loupe on a point of the play window and repaints it.
    void moveTo(QPoint centre);
    QPoint centre() const { return m_centre; }
    void setShown(bool shown);
    bool shown() const;
    QWidget& widget() { return *m_widget; }

    int size() const { return m_size; }
    double factor() const { return m_factor; }
    // The loupe's keys; false for any other.
    bool key(unsigned kind, unsigned key);

    void paint(class QPainter& painter);

private:
    void resizeWindow();

    WSPuz& m_play;  // the table it magnifies
    int m_size;
    double m_factor;
    QPoint m_centre;
    QWidget* m_widget;
    fw::Bitmap m_scratch;
};

}  // namespace qv
