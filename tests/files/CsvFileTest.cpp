// The one CSV reader: the encoding decided per file, the rows with the row numbers a spreadsheet shows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "files/CsvFile.h"
#include "files/CsvText.h"

namespace morvalen::files {
namespace {

struct Read {
    CsvTable table;
    CsvFileShape shape;
};

Read read(const std::string& bytes) {
    Read result;
    result.shape = readCsvBytes(
        bytes, [&](const std::vector<std::string>& header) { result.table.header = header; },
        [&](const TableRow& row) { result.table.rows.push_back(row); });
    return result;
}

// 北山 in the encodings a surveyor's files come in.
const std::string northHillUtf8 = "\xE5\x8C\x97\xE5\xB1\xB1";
const std::string northHillGb18030 = "\xB1\xB1\xC9\xBD";

// A text a spreadsheet would evaluate is guarded; numbers and other texts are written as they are.
TEST(CsvFile, FormulasAreGuardedNumbersAreNot) {
    const std::pair<std::string, std::string> cells[] = {
        {"=1+2", "'=1+2"}, {"+A1", "'+A1"}, {"-P2", "'-P2"}, {"@SUM(1)", "'@SUM(1)"}, {"\tx", "'\tx"}, {"\rx", "'\rx"},
        {"-3.250", "-3.250"}, {"-1e-05", "-1e-05"}, {"-", "'-"}, {"东山", "东山"}, {"", ""}, {"a=b", "a=b"}};
    for (const auto& [cell, written] : cells) EXPECT_EQ(files::formulaGuarded(cell), written) << cell;
}

TEST(CsvFile, TheEncodingIsDecidedPerFile) {
    const struct {
        const char* name;
        std::string bytes;
        TextEncoding encoding;
        std::string lineEnd;
    } cases[] = {
        {"UTF-8", "id,name\r\n1," + northHillUtf8 + "\r\n", TextEncoding::utf8, "\r\n"},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBFid,name\n1," + northHillUtf8 + "\n", TextEncoding::utf8WithByteOrderMark, "\n"},
        {"Excel on a Chinese Windows", "id,name\r\n1," + northHillGb18030 + "\r\n", TextEncoding::gb18030, "\r\n"},
        {"UTF-16, little endian", std::string("\xFF\xFEi\0d\0,\0n\0a\0m\0e\0\r\0\n\0001\0,\0\x17\x53\x71\x5C\r\0\n\0", 32),
         TextEncoding::utf16LittleEndian, "\r\n"},
        {"UTF-16, big endian", std::string("\xFE\xFF\0i\0d\0,\0n\0a\0m\0e\0\r\0001\0,\x53\x17\x5C\x71", 26),
         TextEncoding::utf16BigEndian, "\r"},
    };
    for (const auto& one : cases) {
        const Read got = read(one.bytes);
        EXPECT_EQ(got.shape.encoding, one.encoding) << one.name;
        EXPECT_EQ(got.shape.lineEnd, one.lineEnd) << one.name;
        EXPECT_EQ(got.table.header, (std::vector<std::string>{"id", "name"})) << one.name;
        ASSERT_EQ(got.table.rows.size(), 1u) << one.name;
        EXPECT_EQ(got.table.rows[0].cells, (std::vector<std::string>{"1", northHillUtf8})) << one.name;
    }
}

// A file is GB 18030 even when its only non-ASCII bytes come at the very end, and a file that is text in neither
// encoding is refused with the place of its first bad byte.
TEST(CsvFile, ADecisionTakesTheWholeFileAndBadBytesAreRefused) {
    std::string late = "id,name\n";
    for (int k = 0; k < 20000; ++k) late += "1,A\n";
    EXPECT_EQ(read(late + "2," + northHillGb18030 + "\n").shape.encoding, TextEncoding::gb18030);
    try {
        read("id,name\n1,\xFF\n");
        FAIL();
    } catch (const CampaignFileError& refused) {
        EXPECT_NE(std::string(refused.what()).find("第 11 个字节起"), std::string::npos) << refused.what();
    }
}

// Empty lines and rows of empty cells are skipped, and still counted as the spreadsheet counts its rows.
TEST(CsvFile, BlankRowsAreSkippedAndCounted) {
    const CsvTable table = read("\n,,\nid,name,b1\r\n,,\r\n\r\n1,\"two\r\nlines\",x\r\n,,\r2,b,c").table;
    EXPECT_EQ(table.header.front(), "id");
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[0].sheetRow, 6u);
    EXPECT_EQ(table.rows[0].rowNumber, 1u);
    EXPECT_EQ(table.rows[1].sheetRow, 8u);
    EXPECT_EQ(table.rows[1].rowNumber, 2u);
}

// A file on disk is read in pieces: a GB 18030 character cut between two pieces reads whole.
TEST(CsvFile, AFileReadInPiecesDecodesCharactersCutBetweenThem) {
    const auto path = std::filesystem::temp_directory_path() / ("morvalen-csv-" + std::to_string(::getpid()));
    std::string bytes = "id,name\r\n1," + std::string((1 << 16) - 12, 'a');
    bytes += northHillGb18030 + "\r\n";
    std::ofstream(path, std::ios::binary) << bytes;
    std::vector<std::string> names;
    std::vector<double> shares;  // told after each piece: the two pieces of the file, the last the whole file
    const CsvFileShape shape = readCsvFile(
        path, [](const std::vector<std::string>&) {}, [&](const TableRow& row) { names.push_back(row.cells[1]); },
        nullptr, [&](double share) { shares.push_back(share); });
    std::filesystem::remove(path);
    EXPECT_EQ(shape.encoding, TextEncoding::gb18030);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_TRUE(names[0].ends_with("a" + northHillUtf8));
    EXPECT_EQ(shares, (std::vector<double>{double(1 << 16) / double(bytes.size()), 1.0}));
    EXPECT_THROW(readCsvFile(path, {}, {}), FileNotRead);
}

}  // namespace
}  // namespace morvalen::files
