// The English texts in the boxes of the Chinese layout: every caption and button of the main window within its box,
// and the tab columns of the printed pages apart from one another. A program of its own, since the language is
// chosen once, before the first window is made.
#include <QApplication>
#include <QLineEdit>
#include <QStyle>
#include <QFontMetricsF>
#include <QMenuBar>
#include <QPdfWriter>
#include <QPushButton>
#include <QRegularExpression>
#include <algorithm>
#include <gtest/gtest.h>

#include "analysis/Checks.h"
#include "analysis/GradeTable.h"
#include "analysis/NetworkPrecision.h"
#include "app/CaptionLabel.h"
#include "app/MainWindow.h"
#include "app/WindowFonts.h"
#include "fieldbook/DirectionReduction.h"
#include "fieldbook/FieldBookFile.h"
#include "i18n/Language.h"
#include "report/AnalysisPage.h"
#include "report/FieldBookPage.h"
#include "report/PaintedReport.h"
#include "report/ReportModel.h"
#include "report/TabLayout.h"
#include "support/CompletedComputation.h"
#include "app/ModalDriver.h"

namespace morvalen {
namespace {

using testing::operator+;

std::string programPath;

bool hasChinese(const QString& text) { return text.contains(QRegularExpression(QStringLiteral("[\\x{4E00}-\\x{9FFF}]"))); }

TEST(EnglishWindow, EveryCaptionAndButtonFitsItsBox) {
    ASSERT_EQ(i18n::currentLanguage(), i18n::Language::english);
    app::MainWindow window;
    window.show();
    for (const auto* label : window.findChildren<app::CaptionLabel*>()) {
        SCOPED_TRACE(label->objectName().toStdString() + " «" + label->text().toStdString() + "»");
        EXPECT_FALSE(hasChinese(label->text()));
        // The symbols (T0, b(1), [ Xa,Ya ]) are the same in both languages; the words are the translations.
        if (!label->text().contains(QRegularExpression(QStringLiteral("[a-z]{3}")))) continue;
        const QFontMetrics metrics(label->font());
        const QRect box = label->contentsRect();
        if (!label->wordWrap()) {
            EXPECT_LE(metrics.horizontalAdvance(label->text()), box.width());
            continue;
        }
        // A caption two lines high: each line within the width, each line at least its ascent high.
        const QFontMetricsF exact(label->font());
        const QStringList lines = app::wrappedCaptionLines(label->text(), exact, box.width());
        for (const QString& line : lines) EXPECT_LE(exact.horizontalAdvance(line), box.width()) << line.toStdString();
        EXPECT_LE(static_cast<double>(lines.size()) * exact.ascent(), box.height());
    }
    for (const auto* button : window.findChildren<QPushButton*>()) {
        SCOPED_TRACE(button->objectName().toStdString());
        EXPECT_FALSE(hasChinese(button->text()));
        // Within the raised edge of two pixels on either side.
        EXPECT_LE(QFontMetrics(button->font()).horizontalAdvance(button->text()), button->width() - 4);
    }
    for (const QAction* menu : window.findChild<QMenuBar*>()->actions()) EXPECT_FALSE(hasChinese(menu->text()));
}

// The texts the computation writes into the fields, in English, within the fields: a finished run of each case.
TEST(EnglishWindow, EveryFieldTextOfAFinishedRunFitsItsField) {
    const std::vector<std::string> azimuthStart = testing::confirmedEach({"130.8625", "1", "200.0000", "153.2505"});
    for (const std::vector<std::string>& replies :
         {testing::confirmedEach(testing::knownSideCoordinates) + testing::confirmedEach(testing::knownSideNames) +
              testing::confirmedEach(testing::workedAngles),
          testing::confirmedEach(testing::azimuthCoordinates) + azimuthStart +
              testing::confirmedEach(testing::azimuthNames) + testing::confirmedEach(testing::workedAngles)}) {
        app::MainWindow window;
        window.show();
        testing::ModalDriver driver;
        driver.replies(replies);
        window.findChild<QPushButton*>("Command1")->click();
        ASSERT_TRUE(driver.failures.empty()) << driver.failures.front();
        for (const auto* field : window.findChildren<QLineEdit*>()) {
            SCOPED_TRACE(field->objectName().toStdString() + " «" + field->text().toStdString() + "»");
            EXPECT_FALSE(hasChinese(field->text()));
            // A line edit draws its text inside its frame and a margin of two pixels on either side.
            const int frame = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, field);
            EXPECT_LE(field->fontMetrics().horizontalAdvance(field->text()), field->width() - 2 * frame - 4);
        }
    }
}

// Widths as the PDF writer measures them: the painter's own rule (see report/PaintedReport.cpp).
class PdfMeasure : public report::Measure {
public:
    explicit PdfMeasure(const QPaintDevice& device) : device_(device) {}
    double columnWidth(int points) const override { return metrics(points).horizontalAdvance(QLatin1Char('0')); }
    double textWidth(std::string_view text, int points) const override {
        return metrics(points).horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }

private:
    QFontMetricsF metrics(int points) const { return QFontMetricsF(report::reportFont(points), &device_); }
    const QPaintDevice& device_;
};

struct Pages {
    std::string name;
    std::vector<report::Line> (*lines)();
};

std::vector<report::Line> knownSideReport() {
    return report::reportLines(testing::computeKnownSide(testing::workedAngles));
}

std::vector<report::Line> azimuthReport() {
    SurveyState state;
    FieldModel fields;
    testing::ScriptedPrompt prompt(
        testing::confirmedEach({"1000", "1000", "0", "0", "130.8625", "1", "200.0000", "153.2505"}) +
        testing::confirmedEach(testing::azimuthNames) + testing::confirmedEach(testing::workedAngles));
    runComputeCommand(state, prompt, fields);
    return report::reportLines(state);
}

std::vector<report::Line> checksPage() {
    const RunRecord run = testing::computeKnownSideRun(testing::workedAngles);
    const auto standard = analysis::CheckStandard::ofGrade(*analysis::findGrade("四等"));
    return report::analysisPageLines(*analysis::checkComputation(run, standard),
                                     analysis::analysePrecision(run, standard.sigma));
}

std::vector<report::Line> fieldBookPage() {
    const auto book = fieldbook::readFieldBook(std::string(MORVALEN_EXAMPLES_DIR) + "/field-book.csv");
    return report::fieldBookPageLines(fieldbook::reduceFieldBook(book, *analysis::findDirectionMethodLimits("2")));
}

// Every text followed by a blank: a text that ends within a column of the next tab stop moves what follows it to a
// row of its own.
std::vector<report::Line> withBlankAfterEveryText(std::vector<report::Line> lines) {
    for (report::Line& line : lines) {
        report::Line spaced;
        for (report::Item& item : line) {
            const bool text = std::holds_alternative<report::Text>(item);
            spaced.push_back(std::move(item));
            if (text) spaced.emplace_back(report::Text{" "});
        }
        line = std::move(spaced);
    }
    return lines;
}

// The right end of the widest row.
double rightEdge(const std::vector<report::Row>& rows, const report::Measure& measure) {
    double edge = 0;
    for (const report::Row& row : rows) {
        for (const report::PlacedText& placed : row.texts) {
            edge = std::max(edge, placed.x + measure.textWidth(placed.text, placed.fontPoints));
        }
    }
    return edge;
}

TEST(EnglishReport, TabColumnsStayApartOnTheRowsOfTheChinesePage) {
    QPdfWriter writer(QStringLiteral("/dev/null"));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(report::leftMarginTwips, report::topMarginTwips, report::rightMarginTwips,
                                    report::bottomMarginTwips) / 20, QPageLayout::Point);
    const PdfMeasure measure(writer);
    for (const Pages& pages : {Pages{"known side", knownSideReport}, Pages{"azimuth", azimuthReport},
                               Pages{"checks", checksPage}, Pages{"field book", fieldBookPage}}) {
        SCOPED_TRACE(pages.name);
        i18n::useLanguage(i18n::Language::chinese, programPath);
        const std::vector<report::Row> chinese = report::layOut(pages.lines(), measure);
        i18n::useLanguage(i18n::Language::english, programPath);
        const std::vector<report::Line> english = pages.lines();
        EXPECT_EQ(report::layOut(english, measure).size(), chinese.size());
        // Within the printing area, or no wider than the Chinese page where that is wider.
        const double widest = std::max(static_cast<double>(writer.width()), rightEdge(chinese, measure));
        for (const report::Row& row : report::layOut(english, measure)) {
            EXPECT_LE(rightEdge({row}, measure), widest) << row.texts.front().text << "…" << row.texts.back().text;
        }
        EXPECT_EQ(report::layOut(withBlankAfterEveryText(english), measure).size(), chinese.size());
    }
}

}  // namespace
}  // namespace morvalen

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    morvalen::programPath = argv[0];
    morvalen::i18n::useLanguage(morvalen::i18n::Language::english, morvalen::programPath);
    morvalen::app::prepareApplication(application);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
