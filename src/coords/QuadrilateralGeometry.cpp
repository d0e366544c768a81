#include "coords/QuadrilateralGeometry.h"

#include <cmath>

#include "coords/CoordinateSteps.h"
#include "entry/RunStopped.h"
#include "form/FieldText.h"

namespace morvalen {

void renewStationCoordinates(SurveyState& state, int lastStation) {
    state.pointX.assign(static_cast<std::size_t>(lastStation) + 1, 0.0);
    state.pointY.assign(static_cast<std::size_t>(lastStation) + 1, 0.0);
}

AngleArray adjustedAnglesInDegrees(const SurveyState& state) {
    AngleArray angles{};
    for (int k = 1; k <= 8; ++k) angles[k] = state.adjustedAngles[static_cast<std::size_t>(k)].numericValue().value();
    return angles;
}

void propagateAzimuths(TraverseLegs& legs, const AngleArray& angles, int n, const CheckedStep& step) {
    for (int i = 2; i <= n; ++i) {
        double azimuth = ((legs.azimuths[i - 1] - angles[2 * i - 2]) - angles[2 * i - 1]) - 180;
        if (azimuth < 0) azimuth = 360 + azimuth;
        legs.azimuths[i] = step.finite(azimuth, [i] { return i18n::withArguments(i18n::translate("方位角 α(%1)"), {std::to_string(i)}); });
    }
}

namespace {

struct SineRuleTerms {
    double numeratorSine = 0;
    double denominatorSine = 0;
    double side = 0;
};

SineRuleTerms sineRuleTerms(double numeratorAngle, double side, double denominatorAngle, const char* denominatorName,
                            double radiansPerDegree, const CheckedStep& step) {
    SineRuleTerms terms;
    terms.numeratorSine = std::sin(radiansPerDegree * numeratorAngle);
    terms.denominatorSine = std::sin(radiansPerDegree * denominatorAngle);
    if (terms.denominatorSine == 0) {
        step.stop(i18n::withArguments(i18n::translate("%1 的正弦为零（角值 %2°），正弦定理推算边长的除数为零"),
                                      {denominatorName, roundedFixed(denominatorAngle, 6)}));
    }
    terms.side = step.finite((terms.numeratorSine * side) / terms.denominatorSine, "边长");
    return terms;
}

const char* const angleNames[] = {"", "b(1)", "b(2)", "b(3)", "b(4)", "b(5)", "b(6)", "b(7)", "b(8)"};

}  // namespace

double sineRule(double numeratorAngle, double side, double denominatorAngle, const char* denominatorName,
                double radiansPerDegree, const CheckedStep& step) {
    return sineRuleTerms(numeratorAngle, side, denominatorAngle, denominatorName, radiansPerDegree, step).side;
}

double chainSide(TraverseLegs& legs, int newSide, int fromSide, double fromLength, double numeratorAngle,
                 const char* numeratorName, double denominatorAngle, const char* denominatorName,
                 double radiansPerDegree, const CheckedStep& step) {
    const SineRuleTerms terms =
        sineRuleTerms(numeratorAngle, fromLength, denominatorAngle, denominatorName, radiansPerDegree, step);
    legs.chain.at(static_cast<std::size_t>(legs.chainLength)) =
        SideChainStep{newSide, fromSide, numeratorName, denominatorName, terms.numeratorSine, terms.denominatorSine,
                      terms.side};
    ++legs.chainLength;
    return terms.side;
}

void applySideChainRow(TraverseLegs& legs, int row, const AngleArray& angles, double radiansPerDegree,
                       const CheckedStep& step) {
    const int newSide = row % 4 + 1;
    const int numerator = 2 * row - 1;
    const int denominator = (2 * row + 1) % 8 + 1;
    legs.sides[newSide] = chainSide(legs, newSide, row, legs.sides[row], angles[numerator], angleNames[numerator],
                                    angles[denominator], angleNames[denominator], radiansPerDegree, step);
}

double enteredNumber(const EntryValue& value, const char* name, const CheckedStep& step) {
    if (const auto number = value.numericValue()) return *number;
    step.stop(describedNumber(i18n::translate(name), value.typedText(), value.reading() == Reading::outOfRange));
}

void runTraverse(SurveyState& state, TraverseLegs& legs, int n, const CheckedStep& step) {
    const double k = state.radiansPerDegree;
    for (int i = 1; i <= n; ++i) {
        const auto at = static_cast<std::size_t>(i);
        // Both of the same angle before either is used, so that they are formed in one call.
        const double cosine = std::cos(k * legs.azimuths[i]);
        const double sine = std::sin(k * legs.azimuths[i]);
        legs.deltaX[at] = cosine * legs.sides[i];
        legs.deltaY[at] = sine * legs.sides[i];
        state.pointX[at] = step.finite(state.pointX[at - 1] + legs.deltaX[at], [i] { return i18n::withArguments(i18n::translate("纵座标 X(%1)"), {std::to_string(i)}); });
        state.pointY[at] = step.finite(state.pointY[at - 1] + legs.deltaY[at], [i] { return i18n::withArguments(i18n::translate("横座标 Y(%1)"), {std::to_string(i)}); });
    }
}

void recordTraverse(CoordinateSteps& steps, const SurveyState& state, const TraverseLegs& legs, double closingX,
                    double closingY) {
    steps.legs = legs;
    TraverseSteps traverse;
    const auto last = static_cast<std::size_t>(steps.stations);
    for (std::size_t i = 0; i <= last; ++i) {
        traverse.x[i] = state.pointX[i];
        traverse.y[i] = state.pointY[i];
    }
    traverse.closureX = traverse.x[last] - closingX;
    traverse.closureY = traverse.y[last] - closingY;
    steps.traverse = traverse;
}

void showCoordinateTable(const SurveyState& state, WindowFields& fields) {
    if (!fields.showsTexts()) return;
    const RunCase kind = runCase(state);
    fields.setText(form::stationName(0), " A");
    fields.setText(form::stationX(0), " " + state.xa.display(Pattern::threeDecimals));
    if (kind == RunCase::knownSide) fields.setCaption(form::yCaption(0), " Ya");
    fields.setText(form::stationY(0), " " + state.ya.display(Pattern::threeDecimals));
    const int n = kind == RunCase::azimuth ? state.upperBound4 : state.upperBound3;
    for (int i = 1; i <= n; ++i) {
        const auto at = static_cast<std::size_t>(i);
        fields.setText(form::stationName(i), " " + state.pointNames[at]);
        fields.setText(form::stationX(i), " " + roundedFixed(state.pointX[at], 3));
        fields.setText(form::stationY(i), " " + roundedFixed(state.pointY[at], 3));
    }
}

}  // namespace morvalen
