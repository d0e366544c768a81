// Leica GSI-8 and GSI-16: one block a line, words of fixed width separated by a blank. A word is the word index
// (two digits), four places of information (the block number in words 11 and 41; otherwise the last place is the
// unit code), the sign and the data: 8 places in GSI-8, 16 in GSI-16, whose blocks begin with "*". The data carry no
// decimal point; the unit code places it.
#include <algorithm>
#include <cctype>
#include <string_view>

#include "entry/RunStopped.h"
#include "fieldbook/RawFieldBook.h"
#include "i18n/Language.h"

namespace morvalen::fieldbook {
namespace {

using i18n::translate;
using i18n::withArguments;

struct GsiWord {
    int index = 0;       // the word index: 11 point id, 21 Hz, 22 V, 31 slope distance, …
    std::string text;    // the word as written, for messages
    char unit = '.';     // the unit code, '0'..'8'
    char sign = '+';
    std::string data;
};

enum class Quantity { angle, length };

// Decimals behind the implied point of each unit code: 0 metres to 1 mm, 1 feet to 0.001, 2 gon, 3 decimal degrees,
// 4 ddd.mmsss, 5 mil, 6 metres to 0.1 mm, 7 feet to 0.0001, 8 metres to 0.01 mm.
constexpr int unitDecimals[] = {3, 3, 5, 5, 5, 4, 4, 4, 5};

std::vector<GsiWord> blockWords(std::size_t line, std::string_view block) {
    const bool sixteen = block.starts_with('*');
    if (sixteen) block.remove_prefix(1);
    const std::size_t length = sixteen ? 23 : 15;
    std::vector<GsiWord> words;
    std::size_t at = 0;
    while ((at = block.find_first_not_of(' ', at)) != std::string_view::npos) {
        const std::string_view text = block.substr(at, block.find(' ', at) - at);
        at += text.size();
        const auto refuse = [&](const char* pattern) {
            refuseLine(line, withArguments(translate(pattern), {std::to_string(words.size() + 1), morvalen::quoted(std::string(text)),
                                                                std::to_string(text.size())}));
        };
        if (text.size() != length) {
            refuse(sixteen ? i18n::catalogued("第 %1 个字 %2 有 %3 个字符：GSI-16 的字（以 * 开头的块）是 23 个字符")
                           : i18n::catalogued("第 %1 个字 %2 有 %3 个字符：GSI-8 的字是 15 个字符"));
        }
        if (!std::isdigit(static_cast<unsigned char>(text[0])) || !std::isdigit(static_cast<unsigned char>(text[1]))) {
            refuse(i18n::catalogued("第 %1 个字 %2 不以两位数字的字索引开头"));
        }
        if (text[6] != '+' && text[6] != '-') refuse(i18n::catalogued("第 %1 个字 %2 的第 7 位不是符号 + 或 -"));
        words.push_back({(text[0] - '0') * 10 + (text[1] - '0'), std::string(text), text[5], text[6],
                         std::string(text.substr(7))});
    }
    return words;
}

const GsiWord* wordOf(const std::vector<GsiWord>& words, int index) {
    const auto found = std::find_if(words.begin(), words.end(), [&](const GsiWord& word) { return word.index == index; });
    return found == words.end() ? nullptr : &*found;
}

// A point id as the instrument pads it, leading zeros dropped: "0000H066" is "H066", "00000000" is "0".
std::string pointId(const GsiWord& word) {
    const std::size_t first = word.data.find_first_not_of('0');
    return first == std::string::npos ? "0" : word.data.substr(first);
}

// The data as decimal text, the point placed by the unit code: "21.324+12345670" is "123.45670".
std::string valueText(std::size_t line, const GsiWord& word, Quantity quantity) {
    if (word.unit < '0' || word.unit > '8') {
        refuseLine(line, withArguments(translate("字 %1 的单位代码 %2 未知（GSI 的单位代码为 0–8）"),
                                       {morvalen::quoted(word.text), morvalen::quoted(std::string(1, word.unit))}));
    }
    const bool angleUnit = word.unit >= '2' && word.unit <= '5';
    if (angleUnit != (quantity == Quantity::angle)) {
        refuseLine(line, withArguments(quantity == Quantity::angle ? translate("字 %1 的单位代码 %2 不是角度单位（2–5）")
                                                                   : translate("字 %1 的单位代码 %2 不是长度单位（0、1、6–8）"),
                                       {morvalen::quoted(word.text), morvalen::quoted(std::string(1, word.unit))}));
    }
    if (!std::all_of(word.data.begin(), word.data.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        refuseLine(line, withArguments(translate("字 %1 的数据不是数字"), {morvalen::quoted(word.text)}));
    }
    const std::size_t decimals = static_cast<std::size_t>(unitDecimals[word.unit - '0']);
    const std::size_t whole = word.data.size() - decimals;
    return std::string(1, word.sign) + word.data.substr(0, whole) + "." + word.data.substr(whole);
}

double angle(std::size_t line, const GsiWord& word) {
    constexpr AngleUnit units[] = {AngleUnit::gon, AngleUnit::degrees, AngleUnit::packedDegrees, AngleUnit::mil};
    const std::string text = valueText(line, word, Quantity::angle);
    const auto seconds = angleSeconds(text, units[word.unit - '2']);
    if (!seconds) refuseLine(line, withArguments(translate("字 %1 不是 ddd.mmsss 角度（分、秒小于 60）"), {morvalen::quoted(word.text)}));
    return *seconds;
}

std::optional<double> length(std::size_t line, const GsiWord* word) {
    if (!word) return std::nullopt;
    const double metres = *lengthValue(valueText(line, *word, Quantity::length));
    return word->unit == '1' || word->unit == '7' ? metres * metresPerFoot : metres;
}

// The instrument height of a code block (word 43): information as typed, "00001.550" or "1.55", in metres.
std::optional<double> typedHeight(std::size_t line, const GsiWord* word) {
    if (!word) return std::nullopt;
    const auto height = lengthValue(std::string(1, word->sign) + word->data);
    if (!height) refuseLine(line, withArguments(translate("仪器高 %1 不是数"), {morvalen::quoted(word->text)}));
    return height;
}

}  // namespace

std::vector<Pointing> gsiFieldBook(const std::vector<std::string>& lines) {
    RawBookBuilder book;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::size_t line = i + 1;
        std::string_view block = lines[i];
        block.remove_prefix(std::min(block.find_first_not_of(" \t"), block.size()));
        block = block.substr(0, block.find_last_not_of(" \t") + 1);
        if (block.empty()) continue;
        const std::vector<GsiWord> words = blockWords(line, block);
        if (wordOf(words, 41)) {
            // A code block naming the station: 42 its id, 43 the instrument height; other code blocks are remarks.
            if (const GsiWord* id = wordOf(words, 42)) book.startStation(line, pointId(*id), typedHeight(line, wordOf(words, 43)));
            continue;
        }
        const GsiWord* id = wordOf(words, 11);
        if (wordOf(words, 84) || wordOf(words, 85) || wordOf(words, 86) || wordOf(words, 88)) {
            if (!id) refuseLine(line, translate("测站块（字 84–86、88）没有点号（字 11）"));
            for (const int coordinate : {84, 85, 86}) length(line, wordOf(words, coordinate));
            book.startStation(line, pointId(*id), length(line, wordOf(words, 88)));
            continue;
        }
        const GsiWord* horizontal = wordOf(words, 21);
        if (!horizontal) continue;  // instrument, time and other blocks hold nothing of the field book
        if (!id) refuseLine(line, translate("测量块没有点号（字 11）"));
        RawObservation observation{line, pointId(*id), angle(line, *horizontal), std::nullopt,
                                   length(line, wordOf(words, 31)), length(line, wordOf(words, 32)),
                                   length(line, wordOf(words, 87))};
        if (const GsiWord* vertical = wordOf(words, 22)) observation.zenith = angle(line, *vertical);
        book.observe(observation);
    }
    return book.take();
}

}  // namespace morvalen::fieldbook
