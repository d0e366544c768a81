// The network with two sets of error ellipses at each new station: the classical adjustment's (covariance
// propagation of the eight angles) and the rigorous adjustment's (σ0 · √Qxx of the directions and distances), at one
// magnification, so that their sizes and directions compare at a glance.
//
// East (Y) runs to the right and north (X) up; the four sides and the two diagonals join the stations, a held
// station is a triangle, a new one a circle. The legend below names each set and the magnification.
#pragma once

#include <QColor>
#include <QWidget>
#include <array>
#include <optional>

#include "analysis/NetworkPrecision.h"
#include "rigorous/RigorousNetwork.h"

namespace morvalen::app {

// One station as plotted: where it is (metres) and its two ellipses (millimetres), none where it is held.
struct PlottedStation {
    QString name;
    double x = 0, y = 0;
    bool held = false;
    std::optional<analysis::ErrorEllipse> classical, rigorous;
};

inline const QColor classicalEllipseColour{0, 90, 200};
inline const QColor rigorousEllipseColour{220, 110, 0};

// The stations of both adjustments, in the order of the diagram (A, P1, P2, B or P3), at the rigorous coordinates.
std::array<PlottedStation, 4> plottedStations(const rigorous::RigorousRun& run,
                                              const analysis::NetworkPrecision& classical);

// A round magnification (1, 2 or 5 times a power of ten) that draws the largest semi-axis of either set at about a
// tenth of the network's extent; 0 when no station has an ellipse.
double bothEllipsesMagnification(const std::array<PlottedStation, 4>& stations);

class BothEllipsesPlot : public QWidget {
    Q_OBJECT

public:
    // `classicalSigma`: the σ of an angle the classical ellipses are propagated from, seconds of arc.
    BothEllipsesPlot(const std::array<PlottedStation, 4>& stations, double classicalSigma, QWidget* parent);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<PlottedStation, 4> stations_;
    double classicalSigma_;
    double magnification_;
};

}  // namespace morvalen::app
