// One straight line of the window: a frame, a side or diagonal of a diagram, the T0 arrow or the Qa arc.
#pragma once

#include <QColor>
#include <QLine>
#include <QWidget>

namespace morvalen::app {

// A widget that covers the line's end points with room for its width and paints only the line; the rest of it is
// transparent to the eye and to the mouse, so that labels and fields beside it stay as they are.
class DiagramLine : public QWidget {
    Q_OBJECT

public:
    // `ends` in pixels of the parent, `widthPixels` the pen width.
    DiagramLine(const QLine& ends, const QColor& colour, int widthPixels, QWidget* parent);

    QLine ends() const { return ends_; }
    QColor colour() const { return colour_; }
    int widthPixels() const { return widthPixels_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLine ends_;
    QColor colour_;
    int widthPixels_;
};

}  // namespace morvalen::app
