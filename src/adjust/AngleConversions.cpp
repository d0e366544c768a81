#include "adjust/AngleConversions.h"

#include <cmath>

namespace morvalen {

double toDms(double degrees) {
    const double wholeDegrees = std::trunc(degrees);
    const double minutes = (degrees - wholeDegrees) * 60;
    const double seconds = (minutes - std::trunc(minutes)) * 6 / 1000;
    return (wholeDegrees + std::trunc(minutes) / 100) + seconds;
}

double log10Sine(double degrees, double radiansPerDegree) {
    return std::log(std::sin(radiansPerDegree * degrees)) / naturalLogOfTen + 10;
}

double poleCoefficient(double degrees, double radiansPerDegree) {
    return poleCoefficientNumerator / std::tan(radiansPerDegree * degrees);
}

}  // namespace morvalen
