// GTS-7 style raw records: a record name, a blank, then fields separated by commas.
//   UNITS distance,angle   M or F; D (ddd.mmss) or G (gon)
//   STN point,instrument height[,code]
//   XYZ x,y,z              the station's coordinates (not used by the field book)
//   BKB point,bearing,angle
//   BS / FS / SS point,target height[,code], each followed by the line of its measurement:
//   HV horizontal,vertical · SD horizontal,vertical,slope distance · HD horizontal,horizontal distance,height difference
// JOB, DATE, NAME, INST, SCALE, ATMOS, NOTE and OFFSET hold nothing of the field book.
#include <algorithm>
#include <cctype>

#include "entry/RunStopped.h"
#include "entry/Utf8.h"
#include "fieldbook/RawFieldBook.h"
#include "i18n/Language.h"

namespace morvalen::fieldbook {
namespace {

using i18n::translate;
using i18n::withArguments;

struct Record {
    std::size_t line = 0;
    std::string name;
    std::vector<std::string> fields;

    // Field `k` (from 0); a missing or blank one that the record needs is a truncated record.
    const std::string& required(std::size_t k, const char* what) const {
        if (k >= fields.size() || fields[k].empty()) {
            refuseLine(line, withArguments(translate("%1 记录不完整：缺少第 %2 个字段（%3）"),
                                           {name, std::to_string(k + 1), translate(what)}));
        }
        return fields[k];
    }
    std::optional<double> length(std::size_t k, double metresPerUnit) const {
        if (k >= fields.size() || fields[k].empty()) return std::nullopt;
        const auto value = lengthValue(fields[k]);
        if (!value) refuseLine(line, withArguments(translate("%1 不是数"), {morvalen::quoted(fields[k])}));
        return *value * metresPerUnit;
    }
    double angle(std::size_t k, const char* what, AngleUnit unit) const {
        const auto seconds = angleSeconds(required(k, what), unit);
        if (!seconds) refuseLine(line, withArguments(translate("%1 不是角度"), {morvalen::quoted(fields[k])}));
        return *seconds;
    }
};

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

Record recordOf(std::size_t line, const std::string& text) {
    const std::string whole = trimmed(text);
    const std::size_t split = whole.find_first_of(" \t");
    Record record{line, whole.substr(0, split), {}};
    if (split == std::string::npos) return record;
    const std::string rest = whole.substr(split);
    std::size_t from = 0;
    for (std::size_t comma; (comma = rest.find(',', from)) != std::string::npos; from = comma + 1) {
        record.fields.push_back(trimmed(rest.substr(from, comma - from)));
    }
    record.fields.push_back(trimmed(rest.substr(from)));
    return record;
}

}  // namespace

std::vector<Pointing> gtsRawFieldBook(const std::vector<std::string>& lines) {
    RawBookBuilder book;
    AngleUnit angleUnit = AngleUnit::packedDegrees;
    double metresPerUnit = 1;
    std::optional<Record> sighted;  // a BS, FS or SS waiting for its measurement line
    const auto refuseUnmeasured = [&] {
        refuseLine(sighted->line, withArguments(translate("%1 记录之后缺少 HV、SD 或 HD 测量行"), {sighted->name}));
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (trimmed(lines[i]).empty()) continue;
        const Record record = recordOf(i + 1, lines[i]);
        const std::string& name = record.name;
        if (name == "UNITS") {
            const std::string distance = upper(record.required(0, i18n::catalogued("距离单位")));
            const std::string angle = upper(record.required(1, i18n::catalogued("角度单位")));
            if (distance == "M" || distance == "METER" || distance == "METRE") metresPerUnit = 1;
            else if (distance == "F" || distance == "FEET" || distance == "FOOT") metresPerUnit = metresPerFoot;
            else refuseLine(record.line, withArguments(translate("距离单位 %1 未知（M 米，F 英尺）"), {morvalen::quoted(distance)}));
            if (angle == "D" || angle == "DEG" || angle == "DMS") angleUnit = AngleUnit::packedDegrees;
            else if (angle == "G" || angle == "GON") angleUnit = AngleUnit::gon;
            else refuseLine(record.line, withArguments(translate("角度单位 %1 未知（D 度分秒 ddd.mmss，G 哥恩）"), {morvalen::quoted(angle)}));
        } else if (name == "STN") {
            if (sighted) refuseUnmeasured();
            book.startStation(record.line, record.required(0, i18n::catalogued("测站点号")), record.length(1, metresPerUnit));
        } else if (name == "XYZ") {
            for (std::size_t k = 0; k < 3; ++k) {
                record.required(k, i18n::catalogued("坐标"));
                record.length(k, 1);
            }
        } else if (name == "BS" || name == "FS" || name == "SS") {
            if (sighted) refuseUnmeasured();
            if (!book.hasStation()) refuseLine(record.line, translate("观测记录在任何测站记录之前"));
            record.required(0, i18n::catalogued("目标点号"));
            record.length(1, metresPerUnit);
            sighted = record;
        } else if (name == "HV" || name == "SD" || name == "HD") {
            if (!sighted) {
                refuseLine(record.line, withArguments(translate("%1 测量行之前没有 BS、FS 或 SS 记录"), {name}));
            }
            RawObservation observation{record.line, sighted->fields[0], record.angle(0, i18n::catalogued("水平角"), angleUnit),
                                       std::nullopt, std::nullopt, std::nullopt, sighted->length(1, metresPerUnit)};
            if (name == "HD") {
                observation.horizontalDistance = record.length(1, metresPerUnit);
                record.required(1, i18n::catalogued("平距"));
            } else {
                observation.zenith = record.angle(1, i18n::catalogued("天顶距"), angleUnit);
            }
            if (name == "SD") {
                record.required(2, i18n::catalogued("斜距"));
                observation.slopeDistance = record.length(2, metresPerUnit);
            }
            sighted.reset();
            book.observe(observation);
        } else if (name != "JOB" && name != "DATE" && name != "NAME" && name != "INST" && name != "SCALE" &&
                   name != "ATMOS" && name != "NOTE" && name != "OFFSET" && name != "BKB") {
            refuseLine(record.line, withArguments(translate("未知的记录 %1"), {morvalen::quoted(name)}));
        }
    }
    if (sighted) refuseUnmeasured();
    return book.take();
}

}  // namespace morvalen::fieldbook
