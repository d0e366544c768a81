// The workbook of the results, written with libxlsxwriter.
#include <xlsxwriter.h>

#include <cstdio>
#include <map>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "files/ResultExport.h"
#include "files/ResultTable.h"
#include "entry/Utf8.h"
#include "i18n/Language.h"

namespace morvalen::files {
namespace {

#ifdef _WIN32
int copyDescriptor(int descriptor) { return _dup(descriptor); }
void moveDescriptor(int from, int to) { _dup2(from, to); }
void closeDescriptor(int descriptor) { _close(descriptor); }
int descriptorOf(std::FILE* file) { return _fileno(file); }
#else
int copyDescriptor(int descriptor) { return ::dup(descriptor); }
void moveDescriptor(int from, int to) { ::dup2(from, to); }
void closeDescriptor(int descriptor) { ::close(descriptor); }
int descriptorOf(std::FILE* file) { return ::fileno(file); }
#endif

// libxlsxwriter prints its errors on standard error itself. While a workbook is made they are caught in a
// temporary file instead, to be given in the program's own message.
class CaughtLibraryMessages {
public:
    CaughtLibraryMessages() : caught_(std::tmpfile()) {
        std::fflush(stderr);
        if (caught_) saved_ = copyDescriptor(descriptorOf(stderr));
        if (saved_ >= 0) moveDescriptor(descriptorOf(caught_), descriptorOf(stderr));
    }
    ~CaughtLibraryMessages() {
        restore();
        if (caught_) std::fclose(caught_);
    }
    CaughtLibraryMessages(const CaughtLibraryMessages&) = delete;
    CaughtLibraryMessages& operator=(const CaughtLibraryMessages&) = delete;

    // What the library printed, on one line.
    std::string text() {
        restore();
        std::string messages;
        if (!caught_) return messages;
        std::rewind(caught_);
        for (int c; (c = std::fgetc(caught_)) != EOF;) messages += c == '\n' ? ' ' : static_cast<char>(c);
        while (!messages.empty() && messages.back() == ' ') messages.pop_back();
        return messages;
    }

private:
    std::FILE* caught_;
    int saved_ = -1;

    void restore() {
        if (saved_ < 0) return;
        std::fflush(stderr);
        moveDescriptor(saved_, descriptorOf(stderr));
        closeDescriptor(saved_);
        saved_ = -1;
    }
};

// The workbook, closed (and so written) exactly once.
class Workbook {
public:
    explicit Workbook(const std::filesystem::path& path) : book_(workbook_new(shownPath(path).c_str())) {
        if (!book_) {
            throw FileNotWritten(
                i18n::withArguments(i18n::translate("不能创建工作簿（libxlsxwriter：%1）"), {messages_.text()}));
        }
        heading_ = workbook_add_format(book_);
        format_set_bold(heading_);
    }
    ~Workbook() {
        if (book_) workbook_close(book_);
    }
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    lxw_worksheet* sheet(const char* name) { return workbook_add_worksheet(book_, name); }
    lxw_format* heading() const { return heading_; }

    // One format per number format, made when first asked for.
    lxw_format* numberFormat(const std::string& pattern) {
        auto& format = numberFormats_[pattern];
        if (!format) {
            format = workbook_add_format(book_);
            format_set_num_format(format, pattern.c_str());
        }
        return format;
    }

    void close() {
        const lxw_error result = workbook_close(book_);
        book_ = nullptr;
        if (result != LXW_NO_ERROR) {
            const std::string messages = messages_.text();
            throw FileNotWritten(i18n::withArguments(i18n::translate("工作簿没有写完（libxlsxwriter：%1）"),
                                                     {messages.empty() ? lxw_strerror(result) : messages}));
        }
    }

private:
    CaughtLibraryMessages messages_;  // first, so that it catches from the first call to the last
    lxw_workbook* book_;
    lxw_format* heading_ = nullptr;
    std::map<std::string, lxw_format*> numberFormats_;
};

// Writes the table from `firstRow` on; returns the row after it.
lxw_row_t writeTable(Workbook& book, lxw_worksheet* sheet, const ResultSheet& table, lxw_row_t firstRow) {
    lxw_row_t row = firstRow;
    const std::vector<std::string>& headings = table.captions.empty() ? table.headings : table.captions;
    for (std::size_t column = 0; column < headings.size(); ++column) {
        worksheet_write_string(sheet, row, static_cast<lxw_col_t>(column), headings[column].c_str(), book.heading());
    }
    ++row;
    for (const auto& cells : table.rows) {
        for (std::size_t column = 0; column < cells.size(); ++column) {
            const Cell& cell = cells[column];
            const auto at = static_cast<lxw_col_t>(column);
            if (cell.number) {
                worksheet_write_number(sheet, row, at, *cell.number, book.numberFormat(cell.numberFormat));
            } else if (!cell.text.empty() &&
                       worksheet_write_string(sheet, row, at, cell.text.c_str(), nullptr) == LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED) {
                // Excel holds at most 32 767 characters in a cell; a workbook without the name would lose it silently.
                throw FileNotWritten(i18n::withArguments(i18n::translate("“%1”超过 Excel 单元格的上限 32767 个字符"),
                                                         {shortenedUtf8(cell.text, 20)}));
            }
        }
        ++row;
    }
    return row;
}

}  // namespace

void writeResultWorkbook(const SurveyState& state, const std::filesystem::path& path,
                         const analysis::NetworkPrecision* precision) {
    writeThroughTemporary(path, [&](const std::filesystem::path& temporary) {
        Workbook book(temporary);
        lxw_worksheet* results = book.sheet(i18n::translate("成果表"));
        writeTable(book, results, resultTable(state, precision), 0);
        worksheet_set_column(results, 0, 0, 14, nullptr);
        worksheet_set_column(results, 1, 16, 14, nullptr);

        lxw_worksheet* observations = book.sheet(i18n::translate("观测值"));
        const lxw_row_t afterAngles = writeTable(book, observations, adjustmentTable(state), 0);
        writeTable(book, observations, precisionTable(state), afterAngles + 1);
        worksheet_set_column(observations, 0, 2, 18, nullptr);

        if (precision) {
            lxw_worksheet* pairs = book.sheet(i18n::translate("点间相对精度"));
            writeTable(book, pairs, relativePrecisionTable(*precision), 0);
            worksheet_set_column(pairs, 0, 8, 12, nullptr);
        }
        book.close();
    });
}

}  // namespace morvalen::files
