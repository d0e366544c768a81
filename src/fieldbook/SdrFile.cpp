// Sokkia SDR33: one record a line, fields in fixed columns of 16 characters after the four of the record code.
//   00NM header: angle unit in column 41 (1 degrees, 2 gon, 4 mil), distance unit in column 42 (1 metres, 2 feet)
//   01   instrument: column 51 is the zero of the vertical angle (1 zenith, 2 horizon)
//   02   station: point 5–20, northing 21–36, easting 37–52, elevation 53–68, instrument height 69–84
//   03   target height 5–20
//   09   observation (09F1 face I, 09F2 face II): station 5–20, target 21–36, slope distance 37–52, vertical angle
//        53–68, horizontal angle 69–84
// Other records (job, notes, coordinates) hold nothing of the field book.
#include <string_view>

#include "entry/RunStopped.h"
#include "fieldbook/RawFieldBook.h"
#include "i18n/Language.h"

namespace morvalen::fieldbook {
namespace {

using i18n::translate;
using i18n::withArguments;

struct Record {
    std::size_t line;
    std::string_view text;

    // The field in columns `from`..`to` (counted from 1), trimmed of blanks; empty where the line ends before it.
    std::string field(std::size_t from, std::size_t to) const {
        if (text.size() < from) return {};
        std::string_view cell = text.substr(from - 1, to - from + 1);
        cell.remove_prefix(std::min(cell.find_first_not_of(' '), cell.size()));
        return std::string(cell.substr(0, cell.find_last_not_of(' ') + 1));
    }

    // The same for a field the record cannot do without: a blank or missing one is a truncated record.
    std::string required(std::size_t from, std::size_t to, const char* name) const {
        std::string value = field(from, to);
        if (value.empty()) {
            refuseLine(line, withArguments(translate("%1 记录不完整：第 %2–%3 列的%4是空的"),
                                           {morvalen::quoted(std::string(text.substr(0, 4))), std::to_string(from),
                                            std::to_string(to), translate(name)}));
        }
        return value;
    }

    std::optional<double> length(const std::string& value, double metresPerUnit) const {
        if (value.empty()) return std::nullopt;
        const auto number = lengthValue(value);
        if (!number) refuseLine(line, withArguments(translate("%1 不是数"), {morvalen::quoted(value)}));
        return *number * metresPerUnit;
    }

    double angle(const std::string& value, AngleUnit unit) const {
        const auto seconds = angleSeconds(value, unit);
        if (!seconds) refuseLine(line, withArguments(translate("%1 不是角度"), {morvalen::quoted(value)}));
        return *seconds;
    }
};

}  // namespace

std::vector<Pointing> sdrFieldBook(const std::vector<std::string>& lines) {
    RawBookBuilder book;
    AngleUnit angleUnit = AngleUnit::degrees;
    double metresPerUnit = 1;
    std::optional<double> targetHeight;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Record record{i + 1, lines[i]};
        const std::string_view code = record.text.substr(0, 4);
        if (record.field(1, record.text.size()).empty()) continue;
        if (code == "00NM") {
            if (record.field(5, 20).starts_with("SDR2")) {
                refuseLine(record.line, translate("这是 SDR20 格式（四位点号）：请以 SDR33 格式导出"));
            }
            const std::string angleCode = record.required(41, 41, i18n::catalogued("角度单位代码"));
            const std::string distanceCode = record.required(42, 42, i18n::catalogued("距离单位代码"));
            if (angleCode != "1" && angleCode != "2" && angleCode != "4") {
                refuseLine(record.line, withArguments(translate("角度单位代码 %1 未知（SDR33：1 度，2 哥恩，4 密位）"),
                                                      {morvalen::quoted(angleCode)}));
            }
            if (distanceCode != "1" && distanceCode != "2") {
                refuseLine(record.line, withArguments(translate("距离单位代码 %1 未知（SDR33：1 米，2 英尺）"),
                                                      {morvalen::quoted(distanceCode)}));
            }
            angleUnit = angleCode == "1" ? AngleUnit::degrees : angleCode == "2" ? AngleUnit::gon : AngleUnit::mil;
            metresPerUnit = distanceCode == "1" ? 1 : metresPerFoot;
        } else if (code.starts_with("01")) {
            if (record.field(51, 51) == "2") {
                refuseLine(record.line, translate("竖直角以水平方向为零：请把仪器设为天顶距后再导出"));
            }
        } else if (code.starts_with("02")) {
            book.startStation(record.line, record.required(5, 20, i18n::catalogued("测站点号")),
                              record.length(record.field(69, 84), metresPerUnit));
        } else if (code.starts_with("03")) {
            targetHeight = record.length(record.required(5, 20, i18n::catalogued("目标高")), metresPerUnit);
        } else if (code.starts_with("09")) {
            const std::string station = record.field(5, 20);
            if (!book.hasStation()) refuseLine(record.line, translate("观测记录在任何测站记录之前"));
            if (!station.empty() && station != book.station()) {
                refuseLine(record.line, withArguments(translate("观测记录的测站 %1 不是当前测站 %2"),
                                                      {morvalen::quoted(station), morvalen::quoted(book.station())}));
            }
            RawObservation observation{record.line, record.required(21, 36, i18n::catalogued("目标点号")), 0,
                                       std::nullopt, record.length(record.field(37, 52), metresPerUnit),
                                       std::nullopt, targetHeight};
            observation.zenith = record.angle(record.required(53, 68, i18n::catalogued("天顶距")), angleUnit);
            observation.horizontal = record.angle(record.required(69, 84, i18n::catalogued("水平角")), angleUnit);
            const bool faceTwo = *observation.zenith > 648000;
            if ((code == "09F1" && faceTwo) || (code == "09F2" && !faceTwo)) {
                refuseLine(record.line, withArguments(translate("%1 记录的天顶距与盘位不符（盘右的天顶距大于 180°）"),
                                                      {morvalen::quoted(std::string(code))}));
            }
            book.observe(observation);
        }
    }
    return book.take();
}

}  // namespace morvalen::fieldbook
