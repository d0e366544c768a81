#include "app/NetworkPlotView.h"

#include <QPainter>

#include "report/PlotPainter.h"

namespace morvalen::app {

NetworkPlotView::NetworkPlotView(const analysis::NetworkPrecision& precision, QWidget* parent)
    : QWidget(parent), precision_(precision) {
    setObjectName(QStringLiteral("NetworkPlot"));
    setMinimumSize(360, 360);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
}

QSize NetworkPlotView::sizeHint() const { return {520, 560}; }

void NetworkPlotView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int margin = 8;
    report::paintNetworkPlot(painter, QRectF(rect().adjusted(margin, margin, -margin, -margin)), precision_);
}

}  // namespace morvalen::app
