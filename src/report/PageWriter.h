// Writing the lines of the report and of the pages after it, one item at a time, and the tab columns they share.
#pragma once

#include <initializer_list>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "report/ReportModel.h"

namespace morvalen::report {

// Tab columns every page shares: the heading, the section titles and the labels under them.
inline constexpr int headingColumn = 26;
inline constexpr int sectionColumn = 22;
inline constexpr int labelColumn = 24;

class LineWriter {
public:
    // The font sizes of the lines to come, one a line from the next on: each lands at the start of whichever line
    // comes next, so that it holds even when an optional line is left out.
    void fontsForNextLines(std::initializer_list<int> points) { nextFonts_.assign(std::rbegin(points), std::rend(points)); }
    void fontForNextLine(int points) { fontsForNextLines({points}); }

    LineWriter& line() {
        lines_.emplace_back();
        if (!nextFonts_.empty()) {
            lines_.back().emplace_back(FontSize{nextFonts_.back()});
            nextFonts_.pop_back();
        }
        return *this;
    }
    LineWriter& tab(int column) {
        lines_.back().emplace_back(TabStop{column});
        return *this;
    }
    LineWriter& text(std::string text) {
        lines_.back().emplace_back(Text{std::move(text)});
        return *this;
    }
    // A text at its column.
    LineWriter& at(int column, std::string text) { return tab(column).text(std::move(text)); }

    std::vector<Line> take() { return std::move(lines_); }

private:
    std::vector<Line> lines_;
    std::vector<int> nextFonts_;  // the sizes to come, the next one last
};

// A page after the report: its heading line in 12 points, the rest in 10.
class PageWriter : public LineWriter {
public:
    PageWriter() { fontsForNextLines({headingPoints, bodyPoints}); }
};

}  // namespace morvalen::report
