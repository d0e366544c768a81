#include "app/CaptionLabel.h"

#include <QPainter>

namespace morvalen::app {

CaptionLabel::CaptionLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setAttribute(Qt::WA_NoSystemBackground);
}

void CaptionLabel::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        const int flags = static_cast<int>(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0);
        const QRect textArea = fontMetrics().boundingRect(contentsRect(), flags, text()) & rect();
        painter.fillRect(textArea, palette().color(backgroundRole()));
    }
    QLabel::paintEvent(event);
}

}  // namespace morvalen::app
