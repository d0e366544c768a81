#include <cmath>

#include "coords/CoordinateComputation.h"
#include "coords/QuadrilateralGeometry.h"

namespace morvalen {

// Shrinks r = ±1 just enough to keep √(1 − r²) from being zero when A–B runs exactly east–west.
constexpr double eastWestGuard = 0.99999999999999;

double knownSideAzimuth(double deltaX, double deltaY, double length, double radiansPerDegree,
                        const CheckedStep& step) {
    if (length == 0) step.stop(i18n::translate("A 点与 B 点座标相同（A–B 边长为零），无法推算方位角与边长"));
    double r = step.divide(deltaY, length, "A–B 方位角");
    if (std::abs(r) == 1) r = r * eastWestGuard;
    const double cosineTerm = step.squareRoot(1 - r * r, "A–B 方位角的 1 − r²");
    const double alpha0 = step.finite(std::atan(r / cosineTerm) / radiansPerDegree, "A–B 方位角");
    if (deltaX < 0) return 180 - alpha0;
    if (deltaX > 0 && deltaY < 0) return alpha0 + 360;
    return alpha0;
}

void cm2(SurveyState& state, CoordinateSteps* steps) {
    const auto step = CheckedStep("已知边推算座标");
    if (steps) *steps = CoordinateSteps{state.upperBound3, {}, {}, {}, {}, {}};
    const int n = state.upperBound3;
    renewStationCoordinates(state, n);
    const AngleArray b = adjustedAnglesInDegrees(state);
    const double k = state.radiansPerDegree;

    const double xa = enteredNumber(state.xa, "A 点纵座标 Xa", step);
    const double ya = enteredNumber(state.ya, "A 点横座标 Ya", step);
    const double xb = enteredNumber(state.xb, "B 点纵座标 Xb", step);
    const double yb = enteredNumber(state.yb, "B 点横座标 Yb", step);
    const double deltaX = step.finite(xb - xa, "纵座标差 Δx");
    const double deltaY = step.finite(yb - ya, "横座标差 Δy");
    const double length = step.finite(std::sqrt(deltaX * deltaX + deltaY * deltaY), "A–B 边长");
    state.startSideLength.setNumber(length);

    TraverseLegs legs;
    const double azimuthAB = knownSideAzimuth(deltaX, deltaY, length, k, step);
    if (steps) steps->knownSide = KnownSideStart{deltaX, deltaY, length, azimuthAB};
    legs.azimuths[1] = (azimuthAB - b[1]) - b[8];
    if (legs.azimuths[1] < 0) legs.azimuths[1] = legs.azimuths[1] + 360;
    propagateAzimuths(legs, b, n, step);
    if (steps) steps->azimuths = legs.azimuths;

    legs.sides[4] = length;
    applySideChainRow(legs, 4, b, k, step);
    applySideChainRow(legs, 1, b, k, step);
    applySideChainRow(legs, 2, b, k, step);
    if (steps) steps->legs = legs;

    state.pointX[0] = xa;
    state.pointY[0] = ya;
    runTraverse(state, legs, n, step);
    if (steps) recordTraverse(*steps, state, legs, xb, yb);
}


}  // namespace morvalen
