// A static label of the window.
#pragma once

#include <QLabel>
#include <QStringList>

class QFontMetricsF;

namespace morvalen::app {

// The lines of a caption two lines high: broken only at its blanks, each as long as `width` (pixels) allows.
QStringList wrappedCaptionLines(const QString& caption, const QFontMetricsF& metrics, double width);

// A label in the window's colour that covers only what its text needs: a side number sitting on its line opens a
// gap in the line for its text, while the empty rest of the label box leaves the lines of the diagram whole.
class CaptionLabel : public QLabel {
    Q_OBJECT

public:
    CaptionLabel(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintWrapped();
};

}  // namespace morvalen::app
