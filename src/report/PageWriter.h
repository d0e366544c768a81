// Writing the lines of a page after the report: the heading line in 12 points, the rest in 10.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "report/ReportModel.h"

namespace morvalen::report {

class PageWriter {
public:
    PageWriter& line() {
        lines_.emplace_back();
        if (lines_.size() == 1) lines_.back().emplace_back(FontSize{headingPoints});
        if (lines_.size() == 2) lines_.back().emplace_back(FontSize{bodyPoints});
        return *this;
    }
    PageWriter& tab(int column) {
        lines_.back().emplace_back(TabStop{column});
        return *this;
    }
    PageWriter& text(std::string text) {
        lines_.back().emplace_back(Text{std::move(text)});
        return *this;
    }
    std::vector<Line> take() { return std::move(lines_); }

private:
    std::vector<Line> lines_;
};

}  // namespace morvalen::report
