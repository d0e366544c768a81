// Arithmetic that stops the run where it fails.
//
// A division by zero, an overflow (a double that is not finite, or one too large to be stored as single precision),
// a logarithm or a square root outside its domain is detected at the operation itself, by tests on its operands
// and its result, and stops the run there with the step's name and the cause.
//
// `what` names the quantity for the message: a text, or a callable that forms the text, called only when the check
// fails, so that a run that goes through builds no message at all. A text is the Chinese of the code and is
// translated only then, with the step's name; a callable forms its text in the language of the interface.
#pragma once

#include <cfloat>
#include <cmath>
#include <string>
#include <type_traits>

#include "i18n/Language.h"

namespace morvalen {

class CheckedStep {
public:
    explicit constexpr CheckedStep(const char* step) : step_(step) {}

    const char* step() const { return step_; }

    // The value, when it is a finite double.
    template <class Name>
    double finite(double value, const Name& what) const {
        if (!std::isfinite(value)) stopNotFinite(value, what);
        return value;
    }

    // The value stored in single precision, when it fits.
    template <class Name>
    float single(double value, const Name& what) const {
        finite(value, what);
        if (std::abs(value) > FLT_MAX) stopWith(what, i18n::translate("%1 超出单精度数值范围（溢出）"));
        return static_cast<float>(value);
    }

    template <class Name>
    double divide(double numerator, double denominator, const Name& what) const {
        if (denominator == 0) stopWith(what, i18n::translate("%1 的除数为零"));
        return finite(numerator / denominator, what);
    }

    template <class Name>
    float divideSingle(float numerator, float denominator, const Name& what) const {
        if (denominator == 0) stopWith(what, i18n::translate("%1 的除数为零"));
        const float quotient = numerator / denominator;
        if (!std::isfinite(quotient)) stopWith(what, i18n::translate("%1 超出单精度数值范围（溢出）"));
        return quotient;
    }

    template <class Name>
    double squareRoot(double value, const Name& what) const {
        if (value < 0) stopWith(what, i18n::translate("%1 为负数，不能开平方"));
        return std::sqrt(value);
    }

    // Stops the run with the cause, already in the language of the interface.
    [[noreturn]] void stop(const std::string& cause) const;

private:
    // The failures are formed out of line, so that the checks cost a run that goes through one test each.
    template <class Name>
    [[noreturn, gnu::cold, gnu::noinline]] void stopNotFinite(double value, const Name& what) const {
        notFinite(std::isnan(value), describe(what));
    }
    // causePattern: translated, %1 the quantity.
    template <class Name>
    [[noreturn, gnu::cold, gnu::noinline]] void stopWith(const Name& what, const char* causePattern) const {
        stop(i18n::withArguments(causePattern, {describe(what)}));
    }

    template <class Name>
    static std::string describe(const Name& what) {
        if constexpr (std::is_invocable_v<const Name&>) {
            return std::string(what());
        } else {
            return std::string(i18n::translate(what));
        }
    }
    [[noreturn]] void notFinite(bool invalidOperation, const std::string& what) const;

    const char* step_;
};

}  // namespace morvalen
