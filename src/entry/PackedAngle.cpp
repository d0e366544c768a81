#include "entry/PackedAngle.h"

#include <cstdlib>

namespace morvalen {

double toDegrees(const DecimalNumber& packedAngle) {
    const DecimalParts parts = splitDecimal(packedAngle);
    std::string fraction = parts.fractionDigits;
    if (fraction.size() < 4) fraction.append(4 - fraction.size(), '0');

    const double sign = packedAngle.negative ? -1.0 : 1.0;
    const double degrees = sign * std::strtod(parts.wholeDigits.c_str(), nullptr);
    const double minutes = sign * ((fraction[0] - '0') * 10 + (fraction[1] - '0'));
    const std::string secondsText = fraction.substr(2, 2) + "." + fraction.substr(4);
    const double seconds = sign * std::strtod(secondsText.c_str(), nullptr);
    return (degrees + minutes / 60) + seconds / 3600;
}

std::optional<double> toDegrees(const EntryValue& packedAngle) {
    const auto decimal = packedAngle.decimal();
    if (!decimal) return std::nullopt;
    return toDegrees(*decimal);
}

}  // namespace morvalen
