// The one reader of the CSV files the program reads (campaigns, observation files and any later input): the
// encoding is decided once per file, the text decoded to UTF-8, and the rows handed on with the row numbers a
// spreadsheet shows.
//
// Encodings: a byte-order mark decides (UTF-8, UTF-16 little or big endian); without one the file is UTF-8 when
// all its bytes are well-formed UTF-8, otherwise GB 18030 (which holds GBK / code page 936: Excel's "CSV (逗号分隔)"
// on a Chinese Windows). Bytes that are text in none of them are refused with their place in the file.
// Rows: RFC 4180 quoting, comma separated, CRLF, LF or CR line ends. Blank rows (empty lines and rows of empty
// cells, ",,,,") are skipped; they still count as rows of the spreadsheet.
#pragma once

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "files/ObservationTable.h"
#include "files/TextCodec.h"
#include "files/TextDecoding.h"

namespace morvalen::files {

// A file that could not be read at all; the message is the reason (文件不存在, 没有读取权限, 这是一个文件夹, …).
class FileNotRead : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What a later writer must know to add a row to the file as it is: its encoding and its line ends.
struct CsvFileShape {
    TextEncoding encoding = TextEncoding::utf8;
    std::string lineEnd = "\r\n";  // the first line end of the file; CRLF for a file of one line
    bool endsWithLineEnd = true;
};

using HeaderReceiver = std::function<void(const std::vector<std::string>& header)>;
using RowReceiver = std::function<void(const TableRow& row)>;
// The share of a file read so far, 0..1, told after each piece.
using ReadProgress = std::function<void(double share)>;

// Reads the CSV file at `path`: `onHeader` receives the header (the first row that is not blank), `onRow` every data
// row in file order, in the storage of one row, so a file of any length is read in the memory of one row. Throws
// FileNotRead when the file cannot be read, CampaignFileError for a text in no encoding read here or a file with no
// header; passes on what a receiver throws. `decided`, when given, receives the encoding before the header is
// handed on. `progress`, when given, is told the share of the file read (not for a pipe).
CsvFileShape readCsvFile(const std::filesystem::path& path, const HeaderReceiver& onHeader, const RowReceiver& onRow,
                         TextEncoding* decided = nullptr, const ReadProgress& progress = {});

// The same reading of the bytes of a whole file.
CsvFileShape readCsvBytes(std::string_view bytes, const HeaderReceiver& onHeader, const RowReceiver& onRow);

// The header and every data row of the bytes of a file.
CsvTable readCsv(std::string_view bytes);

// The whole text of a small file that is not CSV (an instrument's raw file), its encoding decided as a CSV file's
// and decoded to UTF-8 without its byte-order mark. Throws FileNotRead and CampaignFileError as readCsvFile does.
std::string readTextFile(const std::filesystem::path& path);

}  // namespace morvalen::files
