// Which raw format a file holds, told from its content; the extension only confirms it.
#include <algorithm>
#include <cctype>

#include "entry/RunStopped.h"
#include "fieldbook/RawFieldBook.h"
#include "files/CsvFile.h"
#include "i18n/Language.h"

namespace morvalen::fieldbook {
namespace {

using i18n::translate;
using i18n::withArguments;

// The records of a GTS-7 style raw file; a file whose first record is one of these is such a file.
constexpr std::string_view gtsRecords[] = {"JOB", "DATE", "NAME", "INST", "UNITS", "SCALE", "ATMOS", "STN", "XYZ",
                                           "BKB", "BS",   "FS",   "SS",   "HV",    "SD",    "HD",    "NOTE", "OFFSET"};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A GSI word begins with two digits of its index, four of information (or points) and a sign: "110001+", "21.324+".
bool beginsWithGsiWord(std::string_view line) {
    if (line.starts_with('*')) line.remove_prefix(1);
    return line.size() >= 7 && isDigit(line[0]) && isDigit(line[1]) &&
           std::all_of(line.begin() + 2, line.begin() + 6, [](char c) { return isDigit(c) || c == '.'; }) &&
           (line[6] == '+' || line[6] == '-');
}

const char* formatName(std::optional<RawFormat> format) {
    if (!format) return translate("CSV 观测手簿");
    switch (*format) {
        case RawFormat::gsi: return "Leica GSI";
        case RawFormat::sdr33: return "Sokkia SDR33";
        case RawFormat::gtsRaw: return translate("GTS-7 原始数据");
    }
    return "";
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            if (start < text.size()) lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

}  // namespace

std::optional<RawFormat> rawFormatOf(const std::vector<std::string>& lines) {
    for (const std::string& whole : lines) {
        std::string_view line = whole;
        line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
        if (line.empty()) continue;
        if (line.starts_with("00NM")) return RawFormat::sdr33;
        if (beginsWithGsiWord(line)) return RawFormat::gsi;
        const std::string_view keyword = line.substr(0, line.find_first_of(" \t,"));
        if (std::find(std::begin(gtsRecords), std::end(gtsRecords), keyword) != std::end(gtsRecords)) {
            return RawFormat::gtsRaw;
        }
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::vector<Pointing>> readRawFieldBook(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    std::optional<RawFormat> named;
    if (extension == ".gsi") named = RawFormat::gsi;
    if (extension == ".sdr") named = RawFormat::sdr33;
    if (extension == ".raw") named = RawFormat::gtsRaw;
    // A pipe can be read only once: it is left to the CSV reader, unless its name says it is raw.
    std::error_code status;
    if (!named && !std::filesystem::is_regular_file(path, status)) return std::nullopt;
    std::vector<std::string> lines;
    try {
        lines = splitLines(files::readTextFile(path));
    } catch (const files::FileNotRead& problem) {
        throw FieldBookError(problem.what());
    } catch (const files::CampaignFileError& problem) {
        throw FieldBookError(problem.what());
    }
    const std::optional<RawFormat> format = rawFormatOf(lines);
    if ((named || extension == ".csv") && named != format) {
        const std::string content = formatName(format), shownExtension = morvalen::quoted(extension), meant = formatName(named);
        throw FieldBookError(withArguments(translate("文件的内容是 %1，扩展名 %2 却是 %3 的：请检查是不是选错了文件"),
                                           {content, shownExtension, meant}));
    }
    if (!format) return std::nullopt;
    switch (*format) {
        case RawFormat::gsi: return gsiFieldBook(lines);
        case RawFormat::sdr33: return sdrFieldBook(lines);
        case RawFormat::gtsRaw: return gtsRawFieldBook(lines);
    }
    return std::nullopt;
}

}  // namespace morvalen::fieldbook
