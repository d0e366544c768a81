#include "rigorous/ChiSquare.h"

#include <cmath>

namespace morvalen::rigorous {
namespace {

constexpr double tiny = 1e-300;
constexpr double accuracy = 1e-15;

// Σ xⁿ / (a (a + 1) … (a + n)), the series of γ(a, x) e^x x^−a: converges quickly for x < a + 1.
double lowerBySeries(double a, double x) {
    double term = 1 / a, sum = term;
    for (int n = 1; n < 1000 && std::abs(term) > std::abs(sum) * accuracy; ++n) {
        term *= x / (a + n);
        sum += term;
    }
    return sum * std::exp(-x + a * std::log(x) - std::lgamma(a));
}

// Q(a, x) = 1 − P(a, x) by the continued fraction of Γ(a, x), evaluated by the modified Lentz method.
double upperByFraction(double a, double x) {
    double b = x + 1 - a, c = 1 / tiny, d = 1 / b, h = d;
    for (int i = 1; i < 1000; ++i) {
        const double an = -i * (i - a);
        b += 2;
        d = an * d + b;
        if (std::abs(d) < tiny) d = tiny;
        c = b + an / c;
        if (std::abs(c) < tiny) c = tiny;
        d = 1 / d;
        const double step = d * c;
        h *= step;
        if (std::abs(step - 1) < accuracy) break;
    }
    return std::exp(-x + a * std::log(x) - std::lgamma(a)) * h;
}

}  // namespace

double chiSquareProbability(double x, int dof) {
    if (x <= 0) return 0;
    const double a = dof / 2.0, half = x / 2;
    return half < a + 1 ? lowerBySeries(a, half) : 1 - upperByFraction(a, half);
}

double chiSquareQuantile(double probability, int dof) {
    double low = 0, high = dof + 10.0;
    while (chiSquareProbability(high, dof) < probability) high *= 2;
    while (high - low > 1e-12 * high) {
        const double middle = (low + high) / 2;
        (chiSquareProbability(middle, dof) < probability ? low : high) = middle;
    }
    return (low + high) / 2;
}

}  // namespace morvalen::rigorous
