#include "app/PlotView.h"

#include <QPainter>
#include <utility>

#include "report/PlotPainter.h"

namespace morvalen::app {

PlotView::PlotView(std::function<report::PlotDrawing(double, double)> layOut, const QString& name, QWidget* parent)
    : QWidget(parent), layOut_(std::move(layOut)) {
    setObjectName(name);
    setMinimumSize(360, 360);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
}

QSize PlotView::sizeHint() const { return {520, 560}; }

void PlotView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int margin = 8;
    report::paintPlot(painter, QRectF(rect().adjusted(margin, margin, -margin, -margin)), layOut_);
}

}  // namespace morvalen::app
