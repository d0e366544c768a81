// The teacher's kit as files: the roster read, the class's observation file, the answer sheets and the answers
// written, a filled sheet read back. Every CSV is read by the program's one reader (UTF-8 with or without a
// byte-order mark, GB 18030, UTF-16) and written by its one CSV writer, in UTF-8 with a byte-order mark so that a
// spreadsheet opens it right.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "exercise/AnswerCheck.h"
#include "exercise/ExerciseGenerator.h"

namespace morvalen::exercise {

// A roster or a sheet that cannot be used; the message names the file and the spreadsheet row.
class ExerciseFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The students of a roster with the columns id and name (others are read past). Refuses a missing column, an empty
// id, an id that two rows hold, and an id that cannot name a file (a slash, a colon, a control character, . or ..),
// naming the row.
std::vector<Student> readRoster(const std::filesystem::path& path);

// The rows of a filled answer sheet, columns key and value: comma separated (a decimal comma quoted, or written bare
// as a spreadsheet does: the cells after the key joined again), or semicolon separated as a spreadsheet saves it
// where the comma is the decimal sign.
std::vector<SheetEntry> readAnswerSheet(const std::filesystem::path& path);

// exercises.csv: the observation file of the class, id = the student's id.
std::string exercisesCsv(const std::vector<Exercise>& exercises);
// The direction sets of one student as a field book file: station,round,target,left,right.
std::string fieldBookCsv(const std::vector<fieldbook::Pointing>& pointings);
// ID-answer.csv: key,value with the values empty.
std::string blankAnswerCsv(const std::vector<AnswerCell>& cells);
// answers.csv: id,name,key,value for every student's cells as the tables print them, the planted blunder as the keys
// planted_blunder.angle (k of b(k)) and planted_blunder.seconds.
std::string answersCsv(const std::vector<Exercise>& exercises, const std::vector<std::vector<AnswerCell>>& cells);

// The file names of the kit.
inline constexpr const char* exercisesFileName = "exercises.csv";
inline constexpr const char* answersFileName = "answers.csv";
inline constexpr const char* answersFolderName = "answers";
inline constexpr const char* classSummaryFileName = "class-summary.csv";
std::string sheetFileName(const std::string& id);   // ID.pdf
std::string answerFileName(const std::string& id);  // ID-answer.csv
std::string fieldBookFileName(const std::string& id);  // ID-field-book.csv

}  // namespace morvalen::exercise
