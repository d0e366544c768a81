#include "form/NumberChars.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <version>

#ifdef __cpp_lib_to_chars
#include <charconv>
#endif

namespace morvalen::numberChars {
namespace {

// printf's text of one value in one format; the largest double has 309 integer digits.
std::string printed(const char* format, int precision, double value) {
    char buffer[400];
    const int length = std::snprintf(buffer, sizeof buffer, format, precision, value);
    return std::string(buffer, static_cast<std::size_t>(length));
}

// Whether the text is a plain decimal number as `read` takes it: an optional minus, digits with at most one point
// (at least one digit), an optional exponent with an optional sign and at least one digit.
bool isDecimalText(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') ++i;
    std::size_t digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9') ++digits;
        else if (text[i] == '.' && !point) point = true;
        else break;
    }
    if (digits == 0) return false;
    if (i == text.size()) return true;
    if (text[i] != 'e' && text[i] != 'E') return false;
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (i == text.size()) return false;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
    }
    return true;
}

#ifdef __cpp_lib_to_chars
std::string written(double value, std::chars_format format, int precision) {
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    return std::string(buffer, result.ptr);
}
#endif

}  // namespace

namespace portable {

std::string fixed(double value, int decimals) { return printed("%.*f", decimals, value); }

std::string scientific(double value, int precision) { return printed("%.*e", precision, value); }

// The shortest text of a value (a double, or a single widened exactly) whose shortest scientific text is `text`:
// the same digits in fixed notation where that is not longer. A whole number in fixed notation is written with all
// its digits, exactly as the value holds it.
std::string shorterForm(const std::string& text, double value) {
    const bool negative = text.front() == '-';
    const std::size_t e = text.find('e');
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < e; ++i) {
        if (text[i] != '.') digits += text[i];
    }
    const int exponent = std::atoi(text.c_str() + e + 1);
    const auto count = static_cast<int>(digits.size());
    std::string fixedForm;
    if (exponent >= count - 1) {
        fixedForm = fixed(std::fabs(value), 0);
    } else if (exponent >= 0) {
        fixedForm = digits.substr(0, static_cast<std::size_t>(exponent + 1)) + "." +
                    digits.substr(static_cast<std::size_t>(exponent + 1));
    } else {
        fixedForm = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    const std::string scientificForm = text.substr(negative ? 1 : 0);
    const std::string& chosen = fixedForm.size() <= scientificForm.size() ? fixedForm : scientificForm;
    return negative ? "-" + chosen : chosen;
}

std::string specialText(double value) {
    if (value == 0) return std::signbit(value) ? "-0" : "0";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    return "nan";
}

std::string shortest(double value) {
    if (value == 0 || !std::isfinite(value)) return specialText(value);
    // The fewest significant digits that read back as the value; printf rounds them from the exact binary value, so
    // the first such text is the nearest of that length.
    std::string text;
    for (int precision = 0; precision < 17; ++precision) {
        text = scientific(value, precision);
        if (std::strtod(text.c_str(), nullptr) == value) break;
    }
    return shorterForm(text, value);
}

std::string shortest(float value) {
    const auto exact = static_cast<double>(value);
    if (value == 0 || !std::isfinite(value)) return specialText(exact);
    std::string text;
    for (int precision = 0; precision < 9; ++precision) {
        text = scientific(exact, precision);
        if (std::strtof(text.c_str(), nullptr) == value) break;
    }
    return shorterForm(text, exact);
}

std::optional<double> read(std::string_view text) {
    if (!isDecimalText(text)) return std::nullopt;
    const std::string whole(text);
    errno = 0;
    const double value = std::strtod(whole.c_str(), nullptr);
    // strtod reports a range error for an overflow, for a value that reads as zero, and for a subnormal result.
    if (errno == ERANGE && (std::isinf(value) || value == 0)) return std::nullopt;
    return value;
}

}  // namespace portable

#ifdef __cpp_lib_to_chars
std::string fixed(double value, int decimals) { return written(value, std::chars_format::fixed, decimals); }

std::string scientific(double value, int precision) {
    return written(value, std::chars_format::scientific, precision);
}

std::string shortest(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string shortest(float value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::optional<double> read(std::string_view text) {
    if (!isDecimalText(text)) return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}
#else
std::string fixed(double value, int decimals) { return portable::fixed(value, decimals); }
std::string scientific(double value, int precision) { return portable::scientific(value, precision); }
std::string shortest(double value) { return portable::shortest(value); }
std::string shortest(float value) { return portable::shortest(value); }
std::optional<double> read(std::string_view text) { return portable::read(text); }
#endif

}  // namespace morvalen::numberChars
