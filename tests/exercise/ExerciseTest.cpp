// The exercises of a class: reproducible, sound, judged as meant; a filled sheet checked cell by cell.
#include <gtest/gtest.h>

#include <set>

#include "analysis/Analysis.h"
#include "command/RunRecord.h"
#include "exercise/AnswerCheck.h"
#include "exercise/ExerciseGenerator.h"
#include "exercise/SeededRandom.h"
#include "form/FieldText.h"
#include "report/StepsTables.h"

namespace morvalen::exercise {
namespace {

std::vector<Student> roster(int count) {
    std::vector<Student> students;
    for (int i = 1; i <= count; ++i) students.push_back({"S" + std::to_string(i), ""});
    return students;
}

ExerciseSettings settings(std::uint64_t seed, bool fieldBook = false, int blunders = 0) {
    ExerciseSettings made;
    made.seed = seed;
    made.standard = analysis::CheckStandard::ofGrade(*analysis::findGrade("四等"));
    made.fieldBook = fieldBook;
    made.blunders = blunders;
    return made;
}

std::vector<SheetEntry> filledFrom(const std::vector<AnswerCell>& cells) {
    std::vector<SheetEntry> sheet;
    for (const AnswerCell& cell : cells) sheet.push_back({cell.key, printedValue(cell)});
    return sheet;
}

TEST(SeededRandom, NormalNumbersHaveUnitSpreadAndDrawsStayInRange) {
    SeededRandom random(42);
    double sum = 0, squares = 0;
    constexpr int draws = 20000;
    for (int i = 0; i < draws; ++i) {
        const double value = random.normal();
        sum += value;
        squares += value * value;
        EXPECT_LT(random.below(7), 7u);
    }
    EXPECT_NEAR(sum / draws, 0, 0.03);
    EXPECT_NEAR(squares / draws, 1, 0.03);
}

TEST(Exercises, SameSeedSameDataOtherSeedOtherData) {
    const auto first = generateExercises(roster(6), settings(5));
    const auto again = generateExercises(roster(6), settings(5));
    const auto other = generateExercises(roster(6), settings(6));
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].observations, again[i].observations);
        EXPECT_NE(first[i].observations, other[i].observations);
    }
}

// Every data set computes and passes the grade's checks; a planted blunder is found at its angle; no two students
// share a data set; the cases alternate.
TEST(Exercises, SoundFiguresAndPlantedBlundersAreJudgedAsMeant) {
    for (const bool fieldBook : {false, true}) {
        const auto exercises = generateExercises(roster(10), settings(11, fieldBook, 3));
        std::set<std::array<std::string, 8>> angleSets;
        int planted = 0;
        for (std::size_t i = 0; i < exercises.size(); ++i) {
            const Exercise& made = exercises[i];
            const RunRecord record = computeRun(made.observations);
            ASSERT_FALSE(record.stop) << made.student.id;
            const auto analysed = analysis::analyse(record, settings(1).standard);
            EXPECT_EQ(analysed.checks->pass, !made.blunderAngle) << made.student.id;
            if (made.blunderAngle) ++planted;
            EXPECT_EQ(made.observations.runCase(), i % 2 == 0 ? RunCase::knownSide : RunCase::azimuth);
            EXPECT_EQ(made.fieldBook.empty(), !fieldBook);
            for (std::size_t k = 1; k <= 8; ++k) EXPECT_GE(record.steps.adjustment.corrections->angles[k], 19.9);
            angleSets.insert(made.observations.angles);
        }
        EXPECT_EQ(planted, 3);
        EXPECT_EQ(angleSets.size(), exercises.size());
    }
}

TEST(AnswerCheck, OwnValuesAreRightAndOneChangedCorrelateIsNamedFirst) {
    const auto exercises = generateExercises(roster(2), settings(3));
    for (const Exercise& made : exercises) {
        const auto cells = answerCells(computeRun(made.observations).steps);
        ASSERT_GT(cells.size(), 60u);
        const AnswerVerdict right = checkAnswer(cells, filledFrom(cells));
        EXPECT_TRUE(right.allRight());
        EXPECT_EQ(right.score, 100);

        std::vector<SheetEntry> sheet = filledFrom(cells);
        for (SheetEntry& entry : sheet) {
            if (entry.key == "second_group.correlates[0]") entry.given = std::to_string(*sheetNumber(entry.given) + 0.001);
        }
        const AnswerVerdict wrong = checkAnswer(cells, sheet);
        EXPECT_EQ(wrong.firstWrong, "second_group.correlates[0]");
        EXPECT_EQ(wrong.right, wrong.counted - 1);
    }
}

// A wrong share makes the cells computed from it follow from it; they are not counted. Texts that are no numbers,
// empty cells and keys of no cell get their own verdicts.
TEST(AnswerCheck, FollowingCellsAndBadCells) {
    const auto made = generateExercises(roster(1), settings(9)).front();
    const auto cells = answerCells(computeRun(made.observations).steps);
    std::vector<SheetEntry> sheet = filledFrom(cells);
    sheet[0].given = "99";                                 // first_group.shares_sec[0]
    sheet[3].given = "1,5";                                // pole.coefficients[0]: follows from the share
    sheet[4].given = "abc";                                // pole.coefficients[1]: not a number, follows too
    sheet.back().given = "";                               // the last coordinate: not filled
    sheet.push_back({"second_group.correlates[7]", "1"});  // no such cell
    const AnswerVerdict verdict = checkAnswer(cells, sheet);
    EXPECT_EQ(verdict.firstWrong, "first_group.shares_sec[0]");
    EXPECT_EQ(verdict.cells[3].followsFrom, "first_group.shares_sec[0]");
    EXPECT_EQ(verdict.cells[4].verdict, Verdict::notANumber);
    EXPECT_EQ(verdict.cells[4].followsFrom, "first_group.shares_sec[0]");
    EXPECT_EQ(verdict.cells[cells.size() - 1].verdict, Verdict::notFilled);
    EXPECT_EQ(verdict.cells.back().verdict, Verdict::unknownKey);
    EXPECT_EQ(verdict.counted, static_cast<int>(cells.size()) - 2);
    EXPECT_EQ(verdict.right, verdict.counted - 2);
}

TEST(AnswerCheck, HalfAUnitOfTheLastPrintedPlace) {
    const std::vector<AnswerCell> cells{{"second_group.corrections_sec[0]", 1.234, 2, {}}};
    const std::pair<const char*, bool> cases[] = {{"1.23", true}, {"1.2384", true}, {"1,23", true},
                                                  {"1.2341", true}, {"1.2391", false}, {"1.228", false}};
    for (const auto& [given, right] : cases) {
        EXPECT_EQ(checkAnswer(cells, {{cells[0].key, given}}).allRight(), right) << given;
    }
}

// The window marks a cell where the tables print it: the text there is the cell's printed value (the share is
// printed as the correction −w/4).
TEST(AnswerCells, EveryPlacedCellStandsWhereTheTablesPrintIt) {
    for (const Exercise& made : generateExercises(roster(2), settings(4))) {
        const RunRecord record = computeRun(made.observations);
        const report::StepsDocument document = report::stepsDocument(record.state, record.steps);
        std::vector<const report::StepsTable*> tables;
        for (const auto& section : document.sections) {
            for (const auto& table : section.tables) tables.push_back(&table);
        }
        int placed = 0;
        for (const AnswerCell& cell : answerCells(record.steps)) {
            const auto place = tablePlace(cell.key);
            if (!place) continue;
            ++placed;
            const auto& row = tables.at(static_cast<std::size_t>(place->table - 1))->rows.at(static_cast<std::size_t>(place->row));
            const bool share = cell.key.starts_with("first_group.shares_sec");
            EXPECT_EQ(row.at(static_cast<std::size_t>(place->column)),
                      share ? roundedFixed(-cell.value, cell.decimals) : printedValue(cell))
                << cell.key;
        }
        EXPECT_GT(placed, 50);
    }
}

}  // namespace
}  // namespace morvalen::exercise
