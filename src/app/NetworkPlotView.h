// The plot of the network in the window of the checks, painted by the same routine as the SVG file and the PDF page.
#pragma once

#include <QWidget>

#include "analysis/NetworkPrecision.h"

namespace morvalen::app {

class NetworkPlotView : public QWidget {
    Q_OBJECT

public:
    NetworkPlotView(const analysis::NetworkPrecision& precision, QWidget* parent);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    analysis::NetworkPrecision precision_;
};

}  // namespace morvalen::app
