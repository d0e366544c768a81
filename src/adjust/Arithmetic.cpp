#include "adjust/Arithmetic.h"

#include <cfloat>
#include <cmath>

#include "entry/RunStopped.h"

namespace morvalen {

void CheckedStep::stop(const std::string& cause) const { throw RunStopped(step_, cause); }

double CheckedStep::finite(double value, const std::string& what) const {
    if (std::isnan(value)) stop(what + " 是无效运算的结果");
    if (std::isinf(value)) stop(what + " 数值溢出");
    return value;
}

float CheckedStep::single(double value, const std::string& what) const {
    finite(value, what);
    if (std::abs(value) > FLT_MAX) stop(what + " 超出单精度数值范围（溢出）");
    return static_cast<float>(value);
}

double CheckedStep::divide(double numerator, double denominator, const std::string& what) const {
    if (denominator == 0) stop(what + " 的除数为零");
    return finite(numerator / denominator, what);
}

float CheckedStep::divideSingle(float numerator, float denominator, const std::string& what) const {
    if (denominator == 0) stop(what + " 的除数为零");
    const float quotient = numerator / denominator;
    if (!std::isfinite(quotient)) stop(what + " 超出单精度数值范围（溢出）");
    return quotient;
}

double CheckedStep::squareRoot(double value, const std::string& what) const {
    if (value < 0) stop(what + " 为负数，不能开平方");
    return std::sqrt(value);
}

double CheckedStep::logarithm(double value, const std::string& what) const {
    if (value <= 0) stop(what + " 不为正，不能取对数");
    return std::log(value);
}

}  // namespace morvalen
