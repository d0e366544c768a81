#include "entry/DecimalNumber.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <tuple>
#include <utility>

namespace morvalen {
namespace {

// A typed exponent is saturated here; anything this large is far outside the range of a double anyway.
constexpr std::int64_t exponentLimit = 1'000'000'000'000'000;

// Folds the full-width forms that a Chinese input method types (１２．５, －３, Ｅ, the ideographic space) into
// ASCII; every other byte is kept as it is, so that anything else stays "not a number".
std::string foldFullWidth(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
        if (i + 2 < text.size() && byte(i) == 0xE3 && byte(i + 1) == 0x80 && byte(i + 2) == 0x80) {
            folded += ' ';
            i += 2;
            continue;
        }
        if (i + 2 < text.size() && byte(i) == 0xEF && (byte(i + 1) == 0xBC || byte(i + 1) == 0xBD)) {
            const unsigned codePoint = 0xFF00u + ((byte(i + 1) & 0x03u) << 6) + (byte(i + 2) & 0x3Fu);
            char ascii = 0;
            if (codePoint >= 0xFF10 && codePoint <= 0xFF19) ascii = static_cast<char>('0' + (codePoint - 0xFF10));
            else if (codePoint == 0xFF0E) ascii = '.';
            else if (codePoint == 0xFF0B) ascii = '+';
            else if (codePoint == 0xFF0D) ascii = '-';
            else if (codePoint == 0xFF25) ascii = 'E';
            else if (codePoint == 0xFF45) ascii = 'e';
            if (ascii != 0) {
                folded += ascii;
                i += 2;
                continue;
            }
        }
        folded += text[i];
    }
    return folded;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Drops leading and trailing zeros of the digit string, keeping the value.
void normalise(DecimalNumber& number) {
    std::string& digits = number.digits;
    const auto last = digits.find_last_not_of('0');
    if (last == std::string::npos) {
        digits.clear();
        number.exponent = 0;
        return;
    }
    number.exponent += static_cast<std::int64_t>(digits.size() - 1 - last);
    digits.resize(last + 1);
    digits.erase(0, digits.find_first_not_of('0'));
}

// Adds one unit in the last place of a string of decimal digits ("199" gives "200", "99" gives "100").
std::string incremented(std::string digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return digits;
        }
        *it = '0';
    }
    return "1" + digits;
}

}  // namespace

std::optional<DecimalNumber> parseDecimal(std::string_view typed) {
    const bool ascii = std::all_of(typed.begin(), typed.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    std::string folded;
    if (!ascii) folded = foldFullWidth(typed);
    const std::string_view text = ascii ? typed : std::string_view(folded);
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;

    DecimalNumber number;
    std::size_t i = begin;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        number.negative = text[i] == '-';
        ++i;
    }
    // The mantissa: digits with at most one point.
    const std::size_t mantissaBegin = i;
    std::size_t point = std::string::npos;
    for (; i < end; ++i) {
        if (text[i] == '.' && point == std::string::npos) {
            point = i;
        } else if (!isDigit(text[i])) {
            break;
        }
    }
    const std::size_t mantissaEnd = i;
    const std::size_t digitCount = mantissaEnd - mantissaBegin - (point == std::string::npos ? 0 : 1);
    if (digitCount == 0) return std::nullopt;
    const std::int64_t fractionDigits =
        point == std::string::npos ? 0 : static_cast<std::int64_t>(mantissaEnd - point - 1);
    if (point == std::string::npos) {
        number.digits.assign(text.substr(mantissaBegin, mantissaEnd - mantissaBegin));
    } else {
        number.digits.reserve(digitCount);
        number.digits.assign(text.substr(mantissaBegin, point - mantissaBegin));
        number.digits.append(text.substr(point + 1, mantissaEnd - point - 1));
    }

    std::int64_t exponent = 0;
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < end && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        if (i == end || !isDigit(text[i])) return std::nullopt;
        for (; i < end && isDigit(text[i]); ++i) {
            exponent = std::min(exponentLimit, exponent * 10 + (text[i] - '0'));
        }
        if (negativeExponent) exponent = -exponent;
    }
    if (i != end) return std::nullopt;

    number.exponent = exponent - fractionDigits;
    normalise(number);
    if (number.isZero()) number.negative = false;
    return number;
}

bool readPlainDecimal(std::string_view text, PlainDecimal& plain) {
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end && isBlank(*p)) ++p;
    while (end > p && isBlank(end[-1])) --end;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
    // Up to 19 digits and a point; 19 digits cannot overflow 64 bits. Longer texts go to the general reading.
    const auto length = end - p;
    if (length > 20) return false;
    std::uint64_t mantissa = 0;
    const char* point = nullptr;
    for (const char* c = p; c < end; ++c) {
        const unsigned digit = static_cast<unsigned char>(*c) - unsigned{'0'};
        if (digit <= 9) {
            mantissa = mantissa * 10 + digit;
        } else if (*c == '.' && point == nullptr) {
            point = c;
        } else {
            return false;
        }
    }
    const auto digitCount = length - (point ? 1 : 0);
    constexpr std::uint64_t exactLimit = std::uint64_t{1} << 53;
    if (digitCount == 0 || digitCount > 19 || mantissa >= exactLimit) return false;
    plain.mantissa = static_cast<std::int64_t>(mantissa);
    plain.decimals = point ? static_cast<int>(end - point - 1) : 0;
    plain.negative = negative && mantissa != 0;
    return true;
}

double PlainDecimal::value() const {
    // Both the mantissa (below 2^53) and 10^decimals (up to 10^22) are exact doubles: one division, one rounding.
    static constexpr double powersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const double magnitude = static_cast<double>(mantissa) / powersOfTen[decimals];
    return negative ? -magnitude : magnitude;
}

DecimalNumber PlainDecimal::decimal() const {
    DecimalNumber number;
    char digits[24];
    const auto written = std::to_chars(digits, digits + sizeof digits, mantissa);
    number.digits.assign(digits, written.ptr);
    number.exponent = -decimals;
    normalise(number);
    number.negative = negative && !number.isZero();
    return number;
}

DecimalNumber shortestDecimal(double value) {
    if (!std::isfinite(value)) throw std::domain_error("shortestDecimal of a value that is not finite");
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return *parseDecimal(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

std::optional<double> toDouble(const DecimalNumber& number) {
    if (number.isZero()) return 0.0;
    // Up to 15 digits and a power of ten up to 10^22 are both exact doubles, so one multiplication or division
    // rounds once and gives the correctly rounded value, as the full conversion below would.
    if (number.digits.size() <= 15 && number.exponent >= -22 && number.exponent <= 22) {
        static constexpr double powersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                 1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        std::int64_t mantissa = 0;
        for (char digit : number.digits) mantissa = mantissa * 10 + (digit - '0');
        const double whole = static_cast<double>(mantissa);
        const double magnitude = number.exponent >= 0 ? whole * powersOfTen[number.exponent]
                                                      : whole / powersOfTen[-number.exponent];
        return number.negative ? -magnitude : magnitude;
    }
    const std::int64_t leadingExponent = number.exponent + static_cast<std::int64_t>(number.digits.size()) - 1;
    if (leadingExponent > 309 || leadingExponent < -330) return std::nullopt;
    const std::string text = (number.negative ? "-" : "") + number.digits + "e" + std::to_string(number.exponent);
    const double value = std::strtod(text.c_str(), nullptr);
    if (std::isinf(value) || value == 0.0) return std::nullopt;
    return value;
}

DecimalNumber roundDecimal(const DecimalNumber& number, int decimals, Rounding rounding) {
    const std::int64_t unitExponent = -static_cast<std::int64_t>(decimals);
    if (number.isZero() || number.exponent >= unitExponent) return number;

    const std::int64_t drop = unitExponent - number.exponent;
    const auto size = static_cast<std::int64_t>(number.digits.size());
    DecimalNumber rounded;
    rounded.exponent = unitExponent;
    if (drop > size) return rounded;  // below half a unit: zero, without a sign
    rounded.negative = number.negative;

    const auto keep = static_cast<std::size_t>(size - drop);
    rounded.digits = number.digits.substr(0, keep);
    const char firstDropped = number.digits[keep];
    const bool restNonZero = static_cast<std::int64_t>(keep) + 1 < size;  // no trailing zeros are stored
    bool up = firstDropped > '5' || (firstDropped == '5' && restNonZero);
    if (firstDropped == '5' && !restNonZero) {
        const bool keptIsOdd = !rounded.digits.empty() && (rounded.digits.back() - '0') % 2 == 1;
        up = rounding == Rounding::halfAwayFromZero || keptIsOdd;
    }
    if (up) rounded.digits = incremented(rounded.digits.empty() ? "0" : rounded.digits);
    normalise(rounded);
    if (rounded.isZero()) rounded.negative = false;
    return rounded;
}

std::string formatFixed(const DecimalNumber& number, int decimals, Rounding rounding, bool leadingZero) {
    const DecimalNumber rounded = roundDecimal(number, decimals, rounding);
    // The scaled whole number rounded × 10^decimals, written out in digits.
    std::string scaled = rounded.digits;
    if (!rounded.isZero()) scaled.append(static_cast<std::size_t>(rounded.exponent + decimals), '0');
    if (scaled.size() < static_cast<std::size_t>(decimals) + 1) {
        scaled.insert(0, static_cast<std::size_t>(decimals) + 1 - scaled.size(), '0');
    }
    std::string whole = scaled.substr(0, scaled.size() - static_cast<std::size_t>(decimals));
    if (!leadingZero && whole == "0") whole.clear();
    std::string text = rounded.negative ? "-" : "";
    text += whole;
    if (decimals > 0) text += "." + scaled.substr(scaled.size() - static_cast<std::size_t>(decimals));
    return text;
}

namespace {

// "00", "01", ..., "99": two digits at a time.
constexpr auto digitPairs = [] {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
        pairs[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// Writes the lowest `count` decimal digits of `value` so that they end just before `end`; returns what is left.
std::uint64_t writeDigitsBackwards(char* end, std::uint64_t value, int count) {
    for (; count >= 2; count -= 2) {
        end -= 2;
        std::memcpy(end, &digitPairs[static_cast<std::size_t>(value % 100) * 2], 2);
        value /= 100;
    }
    if (count == 1) {
        *--end = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return value;
}

// The number of decimal digits, from the bit length: 1233 / 4096 is just above log10(2).
int decimalDigitCount(std::uint64_t value) {
    static constexpr std::uint64_t powers[] = {1ULL,
                                               10ULL,
                                               100ULL,
                                               1000ULL,
                                               10000ULL,
                                               100000ULL,
                                               1000000ULL,
                                               10000000ULL,
                                               100000000ULL,
                                               1000000000ULL,
                                               10000000000ULL,
                                               100000000000ULL,
                                               1000000000000ULL,
                                               10000000000000ULL,
                                               100000000000000ULL,
                                               1000000000000000ULL,
                                               10000000000000000ULL,
                                               100000000000000000ULL,
                                               1000000000000000000ULL,
                                               10000000000000000000ULL};
    const int estimate = ((64 - std::countl_zero(value | 1)) * 1233) >> 12;
    return std::max(1, estimate + (value >= powers[estimate] ? 1 : 0));
}

// The eight decimal digits of x < 10^8, leading zeros included, as ASCII bytes in memory order: the halves, the
// pairs and the digits are split in all lanes at once by multiplying with reciprocals that are exact over the
// lane's range (10486 / 2^20 for / 100 below 10^4, 103 / 2^10 for / 10 below 100).
static_assert(std::endian::native == std::endian::little, "the digit bytes are laid out for little-endian memory");
std::uint64_t eightDigits(std::uint32_t x) {
    std::uint64_t v = (x / 10000) | (static_cast<std::uint64_t>(x % 10000) << 32);
    const std::uint64_t hundreds = ((v * 10486) >> 20) & 0x0000007F0000007FULL;
    v = hundreds | ((v - hundreds * 100) << 16);
    const std::uint64_t tens = ((v * 103) >> 10) & 0x000F000F000F000FULL;
    v = tens | ((v - tens * 10) << 8);
    return v + 0x3030303030303030ULL;
}

char* writeScaledByPairs(char* out, bool negative, std::uint64_t scaled, int decimals, bool leadingZero) {
    const int count = decimalDigitCount(scaled);
    const bool sign = negative && scaled != 0;
    const int wholeDigits = count > decimals ? count - decimals : (leadingZero ? 1 : 0);
    char* const end = out + (sign ? 1 : 0) + wholeDigits + (decimals > 0 ? decimals + 1 : 0);
    std::uint64_t rest = writeDigitsBackwards(end, scaled, decimals);
    char* wholeEnd = end;
    if (decimals > 0) {
        wholeEnd = end - decimals - 1;
        *wholeEnd = '.';
    }
    writeDigitsBackwards(wholeEnd, rest, wholeDigits);
    if (sign) *out = '-';
    return end;
}

}  // namespace

char* writeScaled(char* out, bool negative, std::uint64_t scaled, int decimals, bool leadingZero) {
    constexpr std::uint64_t sixteenDigits = 10'000'000'000'000'000ULL;
    if (scaled >= sixteenDigits || decimals > 16) return writeScaledByPairs(out, negative, scaled, decimals, leadingZero);
    // Sixteen digits with leading zeros in one 128-bit word, first digit in the lowest byte. Pieces of it are
    // shifted into place in registers and stored 16 bytes at a time: whatever lands behind a piece is overwritten
    // by the next one or lies beyond the end, within the room of scaledTextSize.
    using Word = unsigned __int128;
    constexpr std::uint64_t eightZeros = 0x3030303030303030ULL;
    const Word digits =
        scaled < 100'000'000
            ? eightZeros | static_cast<Word>(eightDigits(static_cast<std::uint32_t>(scaled))) << 64
            : static_cast<Word>(eightDigits(static_cast<std::uint32_t>(scaled / 100'000'000))) |
                  static_cast<Word>(eightDigits(static_cast<std::uint32_t>(scaled % 100'000'000))) << 64;
    const auto storeFrom = [&](int firstDigit) {
        const Word piece = digits >> (8 * firstDigit);
        std::memcpy(out, &piece, 16);
    };
    const int count = decimalDigitCount(scaled);
    if (negative && scaled != 0) *out++ = '-';
    if (count > decimals) {
        storeFrom(16 - count);
        out += count - decimals;
    } else if (leadingZero) {
        *out++ = '0';
    }
    if (decimals == 0) return out;
    *out++ = '.';
    storeFrom(16 - decimals);
    return out + decimals;
}

std::string formatScaled(bool negative, std::uint64_t scaled, int decimals, bool leadingZero) {
    char text[scaledTextSize];
    return std::string(text, writeScaled(text, negative, scaled, decimals, leadingZero));
}

std::optional<std::uint64_t> scaledFixed(const PlainDecimal& number, int decimals, Rounding rounding) {
    if (decimals < 0 || decimals > 17) return std::nullopt;
    std::uint64_t scaled = static_cast<std::uint64_t>(number.mantissa);
    if (number.decimals <= decimals) {
        const int padding = decimals - number.decimals;
        if (padding > 18 || scaled >= static_cast<std::uint64_t>(powerOfTen(18 - padding))) return std::nullopt;
        return scaled * static_cast<std::uint64_t>(powerOfTen(padding));
    }
    const int dropped = number.decimals - decimals;
    if (dropped > 18) return std::nullopt;
    const auto unit = static_cast<std::uint64_t>(powerOfTen(dropped));
    // The usual few dropped places divide by constants, which compile to multiplications.
    const auto divide = [&]<std::uint64_t divisor>() { return std::pair(scaled / divisor, scaled % divisor); };
    std::uint64_t remainder = 0;
    switch (dropped) {
    case 1: std::tie(scaled, remainder) = divide.operator()<10>(); break;
    case 2: std::tie(scaled, remainder) = divide.operator()<100>(); break;
    case 3: std::tie(scaled, remainder) = divide.operator()<1000>(); break;
    default: remainder = scaled % unit; scaled /= unit; break;
    }
    const std::uint64_t twice = 2 * remainder;  // below 2 × 10^18
    const bool up = twice > unit || (twice == unit && (rounding == Rounding::halfAwayFromZero || scaled % 2 == 1));
    return up ? scaled + 1 : scaled;
}

std::optional<std::string> formatFixed(const PlainDecimal& number, int decimals, Rounding rounding,
                                       bool leadingZero) {
    const auto scaled = scaledFixed(number, decimals, rounding);
    if (!scaled) return std::nullopt;
    return formatScaled(number.negative, *scaled, decimals, leadingZero);
}

DecimalParts splitDecimal(const DecimalNumber& number) {
    if (number.exponent > 100'000 || number.exponent < -100'000) {
        throw std::length_error("splitDecimal of a number outside the range of a double");
    }
    DecimalParts parts;
    if (number.exponent >= 0) {
        parts.wholeDigits = number.digits + std::string(static_cast<std::size_t>(number.exponent), '0');
    } else {
        const auto fractionLength = static_cast<std::size_t>(-number.exponent);
        if (number.digits.size() > fractionLength) {
            parts.wholeDigits = number.digits.substr(0, number.digits.size() - fractionLength);
            parts.fractionDigits = number.digits.substr(number.digits.size() - fractionLength);
        } else {
            parts.fractionDigits = std::string(fractionLength - number.digits.size(), '0') + number.digits;
        }
    }
    if (parts.wholeDigits.empty()) parts.wholeDigits = "0";
    return parts;
}

std::optional<std::int16_t> roundToInt16(const DecimalNumber& number) {
    const DecimalNumber whole = roundDecimal(number, 0, Rounding::halfToEven);
    if (whole.isZero()) return std::int16_t{0};
    if (whole.exponent + static_cast<std::int64_t>(whole.digits.size()) > 5) return std::nullopt;
    long magnitude = std::stol(whole.digits);
    for (std::int64_t e = 0; e < whole.exponent; ++e) magnitude *= 10;
    const long value = whole.negative ? -magnitude : magnitude;
    if (value < -32768 || value > 32767) return std::nullopt;
    return static_cast<std::int16_t>(value);
}

}  // namespace morvalen
