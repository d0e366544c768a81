// The precision of the stations and sides as lines of the page 检核与精度分析, after the checks.
#pragma once

#include <string>
#include <vector>

#include "analysis/NetworkPrecision.h"
#include "report/ReportModel.h"

namespace morvalen::report {

// The lines of the section 点位精度: mx, my, mp and the ellipse of every computed station, the length, relative
// error and azimuth error of every side, the weakest side by propagation beside the classical 1/m, and why they
// differ; then the table of every pair of stations (distance, σD, 1/T, σα, relative ellipse), the largest error
// between stations and why some figures are zero. In the page's columns and its body size (they follow the checks'
// lines).
std::vector<Line> precisionPageLines(const analysis::NetworkPrecision& precision);

// "S( 2 ) P1-P2": a side with the names of its stations.
std::string sideText(const analysis::NetworkPrecision& precision, int side);

// "1/123456" in the general form of 1/m, or "已知边" / "起算边" for a side whose length is fixed.
std::string sideRelativeErrorText(const analysis::NetworkPrecision& precision, const analysis::SidePrecision& side);

// "P1-P2": a pair of stations by their names, from - to.
std::string pairText(const analysis::NetworkPrecision& precision, const analysis::RelativePrecision& pair);

// "1/123456" in the general form of 1/m, or "固定" for a pair whose length is fixed by the start data.
std::string pairRelativeErrorText(const analysis::RelativePrecision& pair);

// The largest error between stations: "P1-P3  a= 2.15 mm"; empty when there is none.
std::string largestRelativeText(const analysis::NetworkPrecision& precision);

// Why a pair has no row (the two known stations) and why some figures of a pair are zero (fixed by the start data),
// one sentence a line.
std::vector<std::string> relativeNote(const analysis::NetworkPrecision& precision);

// Why the weakest side by propagation and the classical figure differ, as short sentences.
std::vector<std::string> weakestSideNote(const analysis::NetworkPrecision& precision);

}  // namespace morvalen::report
