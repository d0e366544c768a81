#include "app/DiagramLine.h"

#include <QPainter>

namespace morvalen::app {

DiagramLine::DiagramLine(const QLine& ends, const QColor& colour, int widthPixels, QWidget* parent)
    : QWidget(parent), ends_(ends), colour_(colour), widthPixels_(widthPixels) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    const int margin = widthPixels / 2 + 1;
    const QRect span = QRect(ends.p1(), ends.p2()).normalized();
    setGeometry(span.adjusted(-margin, -margin, margin, margin));
}

void DiagramLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Frames and the sides of the rectangle stay crisp; only a slanting line is smoothed.
    const bool slanting = ends_.dx() != 0 && ends_.dy() != 0;
    painter.setRenderHint(QPainter::Antialiasing, slanting);
    painter.setPen(QPen(colour_, widthPixels_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(ends_.translated(-pos()));
}

}  // namespace morvalen::app
