// The χ² distribution, for the global test of an adjustment.
#pragma once

namespace morvalen::rigorous {

// P(χ² ≤ x) with `dof` degrees of freedom (dof ≥ 1, x ≥ 0): the regularised lower incomplete gamma function
// P(dof / 2, x / 2), by its series below a + 1 and its continued fraction above.
double chiSquareProbability(double x, int dof);

// The x with P(χ² ≤ x) = probability (0 < probability < 1), found by bisection to a relative 10⁻¹².
double chiSquareQuantile(double probability, int dof);

}  // namespace morvalen::rigorous
