// The network with two sets of error ellipses at each new station: the classical adjustment's (covariance
// propagation of the eight angles) and the rigorous adjustment's (σ0 · √Qxx of the directions and distances), at one
// magnification, so that their sizes and directions compare at a glance. One drawing for the tab 严密平差 of the
// checks window and the page of the PDF after the rigorous adjustment.
//
// East (Y) runs to the right and north (X) up; the four sides and the two diagonals join the stations at their
// rigorous coordinates, a held station is a filled triangle, a new one a circle. The legend below the map names each
// set and the magnification.
#pragma once

#include "analysis/NetworkPrecision.h"
#include "i18n/Language.h"
#include "report/PlotDrawing.h"
#include "rigorous/RigorousNetwork.h"

namespace morvalen::report {

inline constexpr Colour classicalEllipseColour{0, 90, 200};
inline constexpr Colour rigorousEllipseColour{220, 110, 0};

// Title of the drawing, also its heading; the second where the rigorous set is drawn alone.
inline constexpr const char* bothEllipsesTitle = i18n::catalogued("经典平差与严密平差的点位误差椭圆");
inline constexpr const char* rigorousEllipsesTitle = i18n::catalogued("严密平差的点位误差椭圆");

// The magnification of both sets: a round number (1, 2 or 5 times a power of ten) that draws the largest semi-axis
// of either set at about a tenth of the network's extent; 0 when no station has an ellipse. Without `classical` (no
// σ of an angle to propagate) the rigorous set alone.
double bothEllipsesMagnification(const rigorous::RigorousRun& run, const analysis::NetworkPrecision* classical);

// The drawing laid out on a page of `width` × `height` pixels at 96 dpi, texts in the language of the interface.
PlotDrawing bothEllipsesDrawing(const rigorous::RigorousRun& run, const analysis::NetworkPrecision* classical,
                                double width, double height);

}  // namespace morvalen::report
