// The reduction of a field book as a page: printed after the report when a field book gave the angles, and shown by
// the terminal's reduce command.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fieldbook/DirectionReduction.h"
#include "report/ReportModel.h"

namespace morvalen::report {

// The lines of the page: the limits used, the field book's own table (测站, 测回, 目标, 盘左, 盘右, 2C, 平均读数,
// 归零后方向值, 各测回平均方向值) with each round's 归零差, every check with its value, limit and 合格 / 超限, the rounds
// to be observed again, each line's mean horizontal distance where the book has distances, the σ of each station
// and the eight angles.
std::vector<Line> fieldBookPageLines(const fieldbook::FieldBookReduction& reduction);

// The field book's own table, one row a pointing, a round's 归零差 and a station's μ, as the page and the window show
// it: 测站, 测回, 目标, 盘左, 盘右, 2C, 平均读数, 归零后方向值, 各测回平均方向值; a station's name on its first row only.
inline constexpr std::size_t fieldBookTableWidth = 9;
using FieldBookTableRow = std::array<std::string, fieldBookTableWidth>;
inline const FieldBookTableRow fieldBookTableTitles = {"测站", "测回", "目标", "盘左", "盘右", "2C(秒)", "平均读数",
                                                       "归零后方向值", "各测回平均方向值"};
std::vector<FieldBookTableRow> fieldBookTableRows(const fieldbook::FieldBookReduction& reduction);

// "半测回归零差", "一测回内 2C 互差", "同一方向值各测回较差".
std::string_view checkKindText(fieldbook::CheckKind kind);

// "合格", "超限", or "不适用" for the spread over the rounds of a station observed in one round.
std::string_view checkVerdictText(const fieldbook::Check& check);

// μ or the σ of an angle to 0.01″ with its unit, or "—（一个测回）" where one round gives none.
std::string sigmaText(const std::optional<double>& seconds);

// "测站 A 第 2 测回", or "测站 A" for a check over the rounds.
std::string checkPlaceText(const fieldbook::Check& check);

}  // namespace morvalen::report
