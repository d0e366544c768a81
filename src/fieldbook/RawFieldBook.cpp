#include "fieldbook/RawFieldBook.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "analysis/ChecksText.h"
#include "entry/DecimalNumber.h"
#include "entry/PackedAngle.h"
#include "entry/RunStopped.h"
#include "i18n/Language.h"

namespace morvalen::fieldbook {
namespace {

using i18n::translate;
using i18n::withArguments;

constexpr double fullCircle = 1296000;  // 360° in seconds of arc
constexpr double halfCircle = 648000;   // 180°

double onCircle(double seconds) { return seconds - fullCircle * std::floor(seconds / fullCircle); }

// Seconds of arc in one unit of each angle unit but the packed one.
double secondsPerUnit(AngleUnit unit) {
    switch (unit) {
        case AngleUnit::gon: return 3240;  // 0.9°
        case AngleUnit::mil: return 202.5;  // 360° / 6400
        default: return 3600;
    }
}

}  // namespace

void refuseLine(std::size_t line, const std::string& reason) {
    throw FieldBookError(withArguments(translate("第 %1 行：%2"), {std::to_string(line), reason}));
}

std::optional<double> angleSeconds(std::string_view text, AngleUnit unit) {
    const auto number = parseDecimal(text);
    if (!number) return std::nullopt;
    if (unit == AngleUnit::packedDegrees) {
        // At most three digits of whole degrees and no more decimals than a double holds, before the digits are split.
        if (number->exponent + static_cast<std::int64_t>(number->digits.size()) > 3 || number->exponent < -20) {
            return std::nullopt;
        }
        std::string fraction = splitDecimal(*number).fractionDigits;
        if (fraction.size() < 4) fraction.resize(4, '0');
        if (std::stoi(fraction.substr(0, 2)) >= 60 || std::stoi(fraction.substr(2, 2)) >= 60) return std::nullopt;
        return toDegrees(*number) * 3600;
    }
    const auto value = toDouble(*number);
    if (!value) return std::nullopt;
    return *value * secondsPerUnit(unit);
}

std::optional<double> lengthValue(std::string_view text) {
    const auto number = parseDecimal(text);
    return number ? toDouble(*number) : std::nullopt;
}

void RawBookBuilder::startStation(std::size_t line, const std::string& name, std::optional<double> instrumentHeight) {
    if (name.empty()) refuseLine(line, translate("测站记录没有测站点号"));
    const auto held = std::find_if(lastRounds_.begin(), lastRounds_.end(),
                                   [&](const auto& station) { return station.first == name; });
    station_ = name;
    instrumentHeight_ = instrumentHeight;
    round_ = held == lastRounds_.end() ? 1 : held->second + 1;
    onFaceTwo_ = false;
    roundStart_ = pointings_.size();
}

void RawBookBuilder::observe(const RawObservation& observation) {
    const std::size_t line = observation.line;
    if (station_.empty()) refuseLine(line, translate("观测记录在任何测站记录之前"));
    if (observation.target.empty()) refuseLine(line, translate("观测记录没有目标点号"));
    if (!observation.zenith) refuseLine(line, translate("观测记录没有天顶距：分不出盘左、盘右"));
    const double zenith = *observation.zenith;
    if (!(zenith > 0 && zenith < fullCircle)) {
        refuseLine(line, withArguments(translate("天顶距 %1° 不在 0° 与 360° 之间"), {analysis::decimalText(zenith / 3600, 5)}));
    }
    for (const auto& distance : {observation.slopeDistance, observation.horizontalDistance}) {
        if (distance && *distance < 0) refuseLine(line, translate("距离是负数"));
    }
    // A distance of zero is an angle-only pointing, as instruments record one.
    FaceMeasurement face{observation.slopeDistance, zenith, observation.horizontalDistance};
    if (face.slopeDistance == 0.0) face.slopeDistance.reset();
    if (face.horizontalDistance == 0.0) face.horizontalDistance.reset();
    if (face.slopeDistance) {
        const double zenithRadians = zenith / 3600 * std::numbers::pi / 180;
        face.horizontalDistance = *observation.slopeDistance * std::abs(std::sin(zenithRadians));
    }
    const std::string reading = packedAngleText(onCircle(observation.horizontal));
    if (zenith <= halfCircle) {
        if (onFaceTwo_) {
            ++round_;
            roundStart_ = pointings_.size();
            onFaceTwo_ = false;
        }
        Pointing& pointing = pointings_.emplace_back();
        pointing.row = line;
        pointing.station = station_;
        pointing.round = std::to_string(round_);
        pointing.target = observation.target;
        pointing.left = reading;
        pointing.faces[0] = face;
        pointing.targetHeight = observation.targetHeight;
        pointing.instrumentHeight = instrumentHeight_;
        const auto held = std::find_if(lastRounds_.begin(), lastRounds_.end(),
                                       [&](const auto& station) { return station.first == station_; });
        if (held == lastRounds_.end()) lastRounds_.emplace_back(station_, round_);
        else held->second = round_;
        return;
    }
    onFaceTwo_ = true;
    for (std::size_t i = pointings_.size(); i > roundStart_; --i) {
        Pointing& pointing = pointings_[i - 1];
        if (pointing.target == observation.target && pointing.right.empty()) {
            pointing.right = reading;
            pointing.faces[1] = face;
            if (!pointing.targetHeight) pointing.targetHeight = observation.targetHeight;
            return;
        }
    }
    refuseLine(line, withArguments(translate("盘右照准 %1 在本测回中没有对应的盘左照准"), {morvalen::quoted(observation.target)}));
}

std::vector<Pointing> RawBookBuilder::take() {
    if (pointings_.empty()) throw FieldBookError(translate("文件中没有观测记录"));
    for (Pointing& pointing : pointings_) {
        double sum = 0;
        int faces = 0;
        for (const FaceMeasurement& face : pointing.faces) {
            if (!face.horizontalDistance) continue;
            sum += *face.horizontalDistance;
            ++faces;
        }
        if (faces > 0) pointing.distance = analysis::decimalText(sum / faces, 4);
    }
    return std::move(pointings_);
}

}  // namespace morvalen::fieldbook
