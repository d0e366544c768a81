// Arithmetic that stops the run where it fails.
//
// A division by zero, an overflow (a double that is not finite, or one too large to be stored as single precision),
// a logarithm or a square root outside its domain is detected at the operation itself, by tests on its operands
// and its result, and stops the run there with the step's name and the cause.
#pragma once

#include <string>

namespace morvalen {

class CheckedStep {
public:
    explicit CheckedStep(std::string step) : step_(std::move(step)) {}

    const std::string& step() const { return step_; }

    // The value, when it is a finite double; `what` names the quantity in the message.
    double finite(double value, const std::string& what) const;
    // The value stored in single precision, when it fits.
    float single(double value, const std::string& what) const;
    double divide(double numerator, double denominator, const std::string& what) const;
    float divideSingle(float numerator, float denominator, const std::string& what) const;
    double squareRoot(double value, const std::string& what) const;
    // Natural logarithm of a positive value.
    double logarithm(double value, const std::string& what) const;

    [[noreturn]] void stop(const std::string& cause) const;

private:
    std::string step_;
};

}  // namespace morvalen
