#include <cmath>

#include "coords/CoordinateComputation.h"
#include "coords/QuadrilateralGeometry.h"
#include "entry/PackedAngle.h"

namespace morvalen {
namespace {

// No side of a triangulation network is longer than a quarter of the meridian, 10 000 km.
constexpr double longestSideInMetres = 1.0e7;

// The start side length as entered, in metres, when it can be the length of a side.
double startSideLengthInMetres(const SurveyState& state, const CheckedStep& step) {
    const double length = enteredNumber(state.startSideLength, "起算边长度", step);
    if (!(length > 0) || length > longestSideInMetres) {
        step.stop(i18n::withArguments(i18n::translate("起算边长度 %1 不能作边长：边长须大于零，且不超过 10000 公里"),
                                      {state.startSideLength.typedText()}));
    }
    return length;
}

double orientationInDegrees(EntryValue& packed, const char* name, const CheckedStep& step) {
    const auto degrees = toDegrees(packed);
    if (!degrees) enteredNumber(packed, name, step);  // stops with the reason
    packed.setNumber(*degrees);
    return *degrees;
}

// The outer sides from the start side: an outer side is taken as it is and carried on round the quadrilateral; a
// diagonal gives S(1) by the sine rule in triangle A–P1–P3 (S(5), opposite the interior angle b(8) + b(1) at A) or
// A–P1–P2 (S(6), opposite the interior angle b(2) + b(3) at P1).
void sidesFromStartSide(TraverseLegs& legs, int startSide, double length, const AngleArray& b, double k,
                        const CheckedStep& step) {
    int firstRow = 1;
    switch (startSide) {
    case 1: case 2: case 3: case 4:
        legs.sides[startSide] = length;
        firstRow = startSide;
        break;
    case 5: legs.sides[1] = chainSide(legs, 1, 5, length, b[7], "b(7)", b[8] + b[1], "b(8) + b(1)", k, step); break;
    case 6: legs.sides[1] = chainSide(legs, 1, 6, length, b[4], "b(4)", b[2] + b[3], "b(2) + b(3)", k, step); break;
    default: break;
    }
    for (int i = 0; i < 3; ++i) applySideChainRow(legs, (firstRow - 1 + i) % 4 + 1, b, k, step);
}

}  // namespace

void Cm1(SurveyState& state, EntryValue& Ta, EntryValue& Qa, CoordinateSteps* steps) {
    const auto step = CheckedStep("外方位角推算座标");
    if (steps) *steps = CoordinateSteps{state.upperBound4, {}, {}, {}, {}, {}};
    if (state.startSideNumber < 1 || state.startSideNumber > 6) {
        step.stop(i18n::withArguments(
            i18n::translate("起算边编号 %1 无效：只接受 1、2、3、4（外边 S(1)…S(4)）或 5、6（对角线 S(5)、S(6)）"),
            {std::to_string(state.startSideNumber)}));
    }
    const int n = state.upperBound4;
    renewStationCoordinates(state, n);
    const AngleArray b = adjustedAnglesInDegrees(state);
    const double k = state.radiansPerDegree;

    const double azimuthAtA = orientationInDegrees(Ta, "外方位角 Ta", step);
    const double orientationAngle = orientationInDegrees(Qa, "定向角 Qa", step);
    TraverseLegs legs;
    legs.azimuths[1] = step.finite(azimuthAtA + orientationAngle, "方位角 α(1)");
    if (legs.azimuths[1] >= 360) legs.azimuths[1] = legs.azimuths[1] - 360;
    propagateAzimuths(legs, b, n, step);
    if (steps) steps->azimuths = legs.azimuths;

    const double length = startSideLengthInMetres(state, step);
    if (steps) steps->azimuthStart = AzimuthStart{azimuthAtA, orientationAngle, state.startSideNumber, length};
    sidesFromStartSide(legs, state.startSideNumber, length, b, k, step);
    if (steps) steps->legs = legs;

    state.pointX[0] = enteredNumber(state.xa, "A 点纵座标 Xa", step);
    state.pointY[0] = enteredNumber(state.ya, "A 点横座标 Ya", step);
    runTraverse(state, legs, n, step);
    if (steps) recordTraverse(*steps, state, legs, state.pointX[0], state.pointY[0]);
}


}  // namespace morvalen
