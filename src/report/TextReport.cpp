#include "report/TextReport.h"

#include <algorithm>
#include <array>
#include <utility>

#include "entry/Utf8.h"
#include "report/TabLayout.h"

namespace morvalen::report {
namespace {

struct Range {
    char32_t first, last;
};

// Wide (W) and full-width (F) ranges of the East Asian Width property, merged into the blocks that hold them.
constexpr std::array<Range, 17> wideRanges = {{
    {0x1100, 0x115F},    // hangul leading jamo
    {0x231A, 0x231B},    // watch, hourglass
    {0x2E80, 0x303E},    // CJK radicals, Kangxi radicals, ideographic description, CJK symbols and punctuation
    {0x3041, 0x33FF},    // kana, bopomofo, hangul compatibility jamo, kanbun, CJK strokes, enclosed and compatibility
    {0x3400, 0x4DBF},    // CJK unified ideographs extension A
    {0x4E00, 0x9FFF},    // CJK unified ideographs
    {0xA000, 0xA4CF},    // Yi
    {0xA960, 0xA97F},    // hangul jamo extended A
    {0xAC00, 0xD7A3},    // hangul syllables
    {0xF900, 0xFAFF},    // CJK compatibility ideographs
    {0xFE10, 0xFE19},    // vertical forms
    {0xFE30, 0xFE6F},    // CJK compatibility forms, small form variants
    {0xFF00, 0xFF60},    // full-width forms
    {0xFFE0, 0xFFE6},    // full-width signs
    {0x1F300, 0x1F64F},  // pictographs and emoticons
    {0x1F900, 0x1F9FF},  // supplemental pictographs
    {0x20000, 0x3FFFD},  // CJK unified ideographs extensions B and later, planes 2 and 3
}};

constexpr std::array<Range, 6> zeroWidthRanges = {{
    {0x0300, 0x036F},  // combining diacritical marks
    {0x200B, 0x200F},  // zero-width space, joiners, direction marks
    {0x20D0, 0x20FF},  // combining marks for symbols
    {0x3099, 0x309A},  // combining kana voiced marks
    {0xFE00, 0xFE0F},  // variation selectors
    {0xFE20, 0xFE2F},  // combining half marks
}};

template <std::size_t n>
bool within(const std::array<Range, n>& ranges, char32_t c) {
    return std::any_of(ranges.begin(), ranges.end(), [c](const Range& r) { return c >= r.first && c <= r.last; });
}

class TerminalMeasure : public Measure {
public:
    double columnWidth(int) const override { return 1; }
    double textWidth(std::string_view text, int) const override { return terminalWidth(text); }
};

}  // namespace

int terminalCells(char32_t character) {
    if (within(zeroWidthRanges, character)) return 0;
    return within(wideRanges, character) ? 2 : 1;
}

int terminalWidth(std::string_view utf8) {
    int cells = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const Utf8Character character = utf8CharacterAt(utf8, i);
        cells += terminalCells(character.codePoint);
        i += character.length;
    }
    return cells;
}

std::string renderText(const std::vector<Line>& lines) {
    std::string out;
    for (const Row& row : layOut(lines, TerminalMeasure())) {
        int cell = 0;
        for (const PlacedText& placed : row.texts) {
            const int column = static_cast<int>(placed.x);
            out.append(static_cast<std::size_t>(std::max(column - cell, 0)), ' ');
            const std::string shown = escapedControls(placed.text);  // a name stays on its line
            out += shown;
            cell = std::max(column, cell) + terminalWidth(shown);
        }
        out += '\n';
    }
    return out;
}

}  // namespace morvalen::report
