#include "analysis/LinearisedConditions.h"

#include <cmath>

#include "adjust/AngleConversions.h"

namespace morvalen::analysis {

ConditionMatrix conditionMatrix(const AngleArray& poleCoefficients) {
    ConditionMatrix conditions = ConditionMatrix::Zero();
    for (int k = 1; k <= 8; ++k) {
        const int column = k - 1;
        conditions(k <= 4 ? 0 : 1, column) = 1;
        if (k == 1 || k == 2) conditions(2, column) = 1;
        if (k == 5 || k == 6) conditions(2, column) = -1;
        conditions(3, column) = poleCoefficients[static_cast<std::size_t>(k)];
    }
    return conditions;
}

ConditionMatrix conditionMatrixAt(const AngleArray& anglesDegrees, double radiansPerDegree) {
    AngleArray coefficients{};
    for (std::size_t k = 1; k <= 8; ++k) {
        const double magnitude = poleCoefficient(anglesDegrees[k], radiansPerDegree);
        coefficients[k] = k % 2 == 1 ? magnitude : -magnitude;
    }
    return conditionMatrix(coefficients);
}

AngleVector redundancyNumbers(const ConditionMatrix& conditions) {
    const Eigen::Matrix4d normal = conditions * conditions.transpose();
    // (BBᵀ)⁻¹B, column by column; BBᵀ is positive definite whenever the adjustment could solve its correlates.
    const ConditionMatrix reduced = normal.llt().solve(conditions);
    AngleVector redundancy;
    for (int column = 0; column < 8; ++column) redundancy(column) = conditions.col(column).dot(reduced.col(column));
    return redundancy;
}

}  // namespace morvalen::analysis
