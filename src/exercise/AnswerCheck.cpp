#include "exercise/AnswerCheck.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "entry/DecimalNumber.h"
#include "entry/Utf8.h"
#include "i18n/Language.h"

namespace morvalen::exercise {
namespace {

bool withinHalfUnit(double given, const AnswerCell& cell) {
    // Half a unit of the last printed place, widened by a hair for the binary form of a decimal written exactly.
    const double halfUnit = 0.5 * std::pow(10.0, -cell.decimals);
    return std::abs(given - cell.value) <= halfUnit * (1 + 1e-9) + std::abs(cell.value) * 1e-15;
}

}  // namespace

const char* verdictName(Verdict verdict) {
    switch (verdict) {
    case Verdict::right: return "right";
    case Verdict::wrong: return "wrong";
    case Verdict::notANumber: return "not a number";
    case Verdict::notFilled: return "not filled";
    case Verdict::unknownKey: return "unknown key";
    case Verdict::repeatedKey: return "repeated key";
    }
    return "wrong";
}

const char* verdictText(Verdict verdict) {
    switch (verdict) {
    case Verdict::right: return i18n::translate("正确");
    case Verdict::wrong: return i18n::translate("错误");
    case Verdict::notANumber: return i18n::translate("不是数值");
    case Verdict::notFilled: return i18n::translate("未填");
    case Verdict::unknownKey: return i18n::translate("未知的键");
    case Verdict::repeatedKey: return i18n::translate("重复的键");
    }
    return i18n::translate("错误");
}

std::optional<double> sheetNumber(std::string_view text) {
    std::string number = trimmed(text);
    // One comma and no point: a decimal comma. A comma beside a point is a thousands separator, no number here.
    if (std::count(number.begin(), number.end(), ',') == 1 && number.find('.') == std::string::npos) {
        number[number.find(',')] = '.';
    }
    return readTypedNumber(number).value;
}

AnswerVerdict checkAnswer(const std::vector<AnswerCell>& cells, const std::vector<SheetEntry>& sheet) {
    AnswerVerdict result;
    std::map<std::string, std::size_t> expectedAt;
    for (std::size_t i = 0; i < cells.size(); ++i) expectedAt[cells[i].key] = i;
    std::map<std::string, std::string> written;
    std::vector<CellVerdict> extra;
    for (const SheetEntry& entry : sheet) {
        const std::string key = trimmed(entry.key);
        if (key.empty()) continue;
        if (expectedAt.count(key) == 0) {
            extra.push_back({key, trimmed(entry.given), "", Verdict::unknownKey, ""});
        } else if (!written.emplace(key, trimmed(entry.given)).second) {
            extra.push_back({key, trimmed(entry.given), "", Verdict::repeatedKey, ""});
        }
    }
    std::map<std::string, const CellVerdict*> judged;
    result.cells.reserve(cells.size() + extra.size());
    for (const AnswerCell& cell : cells) {
        CellVerdict verdict{cell.key, "", printedValue(cell), Verdict::notFilled, ""};
        if (const auto found = written.find(cell.key); found != written.end() && !found->second.empty()) {
            verdict.given = found->second;
            const std::optional<double> number = sheetNumber(found->second);
            verdict.verdict = !number ? Verdict::notANumber : withinHalfUnit(*number, cell) ? Verdict::right : Verdict::wrong;
        }
        // A wrong cell whose inputs hold a wrong one follows from the earliest mistake among them.
        if (!verdict.ok()) {
            std::size_t earliest = cells.size();
            for (const std::string& input : cell.from) {
                const auto before = judged.find(input);
                if (before == judged.end() || before->second->ok()) continue;
                const std::string& root = before->second->followsFrom.empty() ? input : before->second->followsFrom;
                earliest = std::min(earliest, expectedAt[root]);
            }
            if (earliest < cells.size()) verdict.followsFrom = cells[earliest].key;
        }
        result.cells.push_back(verdict);
        judged[cell.key] = &result.cells.back();
        if (verdict.counted()) {
            ++result.counted;
            if (verdict.ok()) ++result.right;
            else if (result.firstWrong.empty()) result.firstWrong = verdict.key;
        }
    }
    result.cells.insert(result.cells.end(), extra.begin(), extra.end());
    if (result.counted > 0) result.score = std::round(1000.0 * result.right / result.counted) / 10;
    return result;
}

}  // namespace morvalen::exercise
