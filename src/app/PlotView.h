// A plot of the computation library in a window: the plot of the network in the window of the checks and the plot of
// both sets of error ellipses in its tab 严密平差, painted by the same routine as the SVG file and the PDF pages.
#pragma once

#include <QWidget>
#include <functional>

#include "report/PlotDrawing.h"

namespace morvalen::app {

class PlotView : public QWidget {
    Q_OBJECT

public:
    // `layOut` makes the drawing for a width and a height in pixels at 96 dpi; `name` is the widget's object name.
    PlotView(std::function<report::PlotDrawing(double, double)> layOut, const QString& name, QWidget* parent);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<report::PlotDrawing(double, double)> layOut_;
};

}  // namespace morvalen::app
