// The page 检核与精度分析 that follows the report when the computation has been checked against a grade or an own σ.
#pragma once

#include <vector>

#include <optional>

#include "analysis/Checks.h"
#include "analysis/NetworkPrecision.h"
#include "report/ReportModel.h"

namespace morvalen::report {

// The lines of the page, in the report's own items: the heading in 12 points, the rest in 10, tab columns counted
// as the report counts them. Every check with its value, its limit and 合格 / 超限, the w-test of every angle, the
// suspects and the verdict.
std::vector<Line> analysisPageLines(const analysis::Checks& checks);
// The same followed by the precision of the stations and sides, when there is one.
std::vector<Line> analysisPageLines(const analysis::Checks& checks,
                                    const std::optional<analysis::NetworkPrecision>& precision);

}  // namespace morvalen::report
