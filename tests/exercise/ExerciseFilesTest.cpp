// The roster and the answer sheets as teachers and spreadsheets write them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "exercise/ExerciseFiles.h"

namespace morvalen::exercise {
namespace {

std::filesystem::path written(const std::string& name, const std::string& bytes) {
    const auto path = std::filesystem::temp_directory_path() / ("morvalen-exercise-" + name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

TEST(Roster, ReadInEveryEncodingWithItsColumnsInAnyOrder) {
    // UTF-8 with a byte-order mark, and GB 18030 as Excel saves it on a Chinese Windows (张三 = D5 C5 C8 FD).
    const auto utf8 = readRoster(written("utf8.csv", "\xEF\xBB\xBFname,id\r\n张三,01\r\n,02\r\n"));
    ASSERT_EQ(utf8.size(), 2u);
    EXPECT_EQ(utf8[0].id, "01");
    EXPECT_EQ(utf8[0].name, "张三");
    const auto gb = readRoster(written("gb.csv", "id,name\r\n01,\xD5\xC5\xC8\xFD\r\n"));
    EXPECT_EQ(gb[0].name, "张三");
}

TEST(Roster, RefusedNamingTheRow) {
    const std::pair<const char*, const char*> cases[] = {
        {"id,name\n01,a\n02,b\n01,c\n", "第 4 行"},  // a repeated id
        {"id,name\n01,a\n ,b\n", "第 3 行"},         // an empty id
        {"id,name\n../x,a\n", "第 2 行"},            // an id that is no file name
        {"name\na\n", "\"id\""},                     // no id column
    };
    for (const auto& [text, named] : cases) {
        try {
            readRoster(written("bad.csv", text));
            ADD_FAILURE() << text;
        } catch (const ExerciseFileError& error) {
            EXPECT_NE(std::string(error.what()).find(named), std::string::npos) << error.what();
        }
    }
}

TEST(AnswerSheet, DecimalCommasAsSpreadsheetsSaveThem) {
    const std::pair<const char*, const char*> cases[] = {
        {"key,value\r\nk,\"-1,25\"\r\n", "-1,25"},  // quoted
        {"key,value\r\nk,-1,25\r\n", "-1,25"},      // bare: the cells after the key joined again
        {"key;value\r\nk;-1,25\r\n", "-1,25"},      // semicolon separated
        {"key,value\r\nk,\r\n", ""},                // not filled
    };
    for (const auto& [text, value] : cases) {
        const auto sheet = readAnswerSheet(written("sheet.csv", text));
        ASSERT_EQ(sheet.size(), 1u) << text;
        EXPECT_EQ(sheet[0].key, "k");
        EXPECT_EQ(sheet[0].given, value) << text;
    }
}

}  // namespace
}  // namespace morvalen::exercise
