#include "app/CaptionLabel.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRegularExpression>
#include <algorithm>

namespace morvalen::app {

QStringList wrappedCaptionLines(const QString& caption, const QFontMetricsF& metrics, double width) {
    QStringList lines;
    QString current;
    static const QRegularExpression blanksAndWord(QStringLiteral("\\s*\\S+"));
    for (auto words = blanksAndWord.globalMatch(caption); words.hasNext();) {
        const QString word = words.next().captured();
        if (!current.isEmpty() && metrics.horizontalAdvance(current + word) > width) {
            lines.push_back(current);
            current = word.trimmed();
        } else {
            current += word;
        }
    }
    if (!current.isEmpty()) lines.push_back(current);
    return lines;
}

CaptionLabel::CaptionLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setAttribute(Qt::WA_NoSystemBackground);
}

void CaptionLabel::paintEvent(QPaintEvent* event) {
    if (wordWrap()) {
        paintWrapped();
        return;
    }
    {
        QPainter painter(this);
        const QRect textArea = fontMetrics().boundingRect(contentsRect(), static_cast<int>(alignment()), text()) & rect();
        painter.fillRect(textArea, palette().color(backgroundRole()));
    }
    QLabel::paintEvent(event);
}

// A caption two lines high, as the captions of the start data are, breaks only at its blanks, so that "外方位角" or
// "定向角" stays whole, and its lines are set as close as the box needs: a Chinese face with tall ascenders would
// otherwise push the second line out of the box.
void CaptionLabel::paintWrapped() {
    const QRect area = contentsRect();
    const QFontMetricsF metrics(font());
    const QStringList lines = wrappedCaptionLines(text(), metrics, area.width());
    if (lines.isEmpty()) return;

    const double pitch = std::min(metrics.lineSpacing(), static_cast<double>(area.height()) / lines.size());
    QPainter painter(this);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const double top = area.top() + static_cast<double>(i) * pitch;
        painter.fillRect(QRectF(area.left(), top, metrics.horizontalAdvance(lines[i]), pitch),
                         palette().color(backgroundRole()));
    }
    painter.setPen(palette().color(foregroundRole()));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const double top = area.top() + static_cast<double>(i) * pitch;
        painter.drawText(QPointF(area.left(), top + (pitch + metrics.ascent() - metrics.descent()) / 2), lines[i]);
    }
}

}  // namespace morvalen::app
