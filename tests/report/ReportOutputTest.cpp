// The report as the surveyor gets it: from the terminal front end as text, JSON and PDF, and from the painter on
// paper, read back with poppler (pdftotext, pdfinfo).
#include <QFile>
#include <QGuiApplication>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <regex>
#include <sys/wait.h>

#include "report/PaintedReport.h"
#include "report/ReportModel.h"

namespace morvalen::report {
namespace {

namespace fs = std::filesystem;

struct Outcome {
    int exitStatus = -1;
    std::string output;
};

Outcome shell(const std::string& command) {
    FILE* pipe = popen(command.c_str(), "r");
    Outcome outcome;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) outcome.output.append(buffer, n);
    const int status = pclose(pipe);
    outcome.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

std::string example(const std::string& name) { return std::string(MORVALEN_EXAMPLES_DIR) + "/" + name; }

// The terminal front end with the replies of an example file; stderr joins stdout only when asked.
Outcome cli(const std::string& options, const std::string& replies, bool withErrors = false) {
    return shell(std::string(MORVALEN_CLI_PATH) + " " + options + " < '" + example(replies) + "'" +
                 (withErrors ? " 2>&1" : " 2>/dev/null"));
}

class ScratchDirectory {
public:
    ScratchDirectory() : path_(fs::temp_directory_path() / ("morvalen-report-" + std::to_string(::getpid()))) {
        fs::create_directories(path_);
    }
    ~ScratchDirectory() { fs::remove_all(path_); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

// A word of a PDF page with its box in points, as pdftotext -bbox gives it.
struct Word {
    double xMin, yMin, xMax, yMax;
    std::string text;
};

std::vector<Word> wordsOfFirstPage(const std::string& pdf) {
    const std::string html = shell("pdftotext -bbox -f 1 -l 1 '" + pdf + "' -").output;
    static const std::regex word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    std::vector<Word> words;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), word); it != std::sregex_iterator(); ++it) {
        words.push_back({std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3]), std::stod((*it)[4]), (*it)[5]});
    }
    return words;
}

// The left edges of every occurrence of a word, top to bottom.
std::vector<double> leftEdges(const std::vector<Word>& words, const std::string& text) {
    std::vector<double> edges;
    for (const Word& w : words) {
        if (w.text == text) edges.push_back(w.xMin);
    }
    return edges;
}

TEST(TerminalReport, TextAndJsonOfACompletedRunOnly) {
    const Outcome known = cli("", "known-side.replies");
    EXPECT_EQ(known.exitStatus, 0);
    const auto report = known.output.find("== 报表 ==\n");
    ASSERT_NE(report, std::string::npos);
    const std::string text = known.output.substr(report);
    EXPECT_NE(text.find("\n" + std::string(25, ' ') + "--- Morvalen ---\n"), std::string::npos);
    EXPECT_NE(text.find("\n" + std::string(29, ' ') + "b( 1 )= 44.13120    b( 1 )= 44.13113\n"), std::string::npos);
    EXPECT_NE(text.find("\n" + std::string(23, ' ') + "B :   x( 3 )= 1010.000       y( 3 )= 1175.000\n"),
              std::string::npos);

    const nlohmann::json lines = nlohmann::json::parse(cli("--json", "known-side.replies").output).at("report");
    ASSERT_EQ(lines.size(), 38u);
    EXPECT_EQ(lines[0], nlohmann::json::parse(R"([{"font": 12}, {"tab": 26}, {"text": "--- Morvalen ---"}])"));
    EXPECT_EQ(lines[2], nlohmann::json::array());
    EXPECT_EQ(lines[8][2], nlohmann::json::parse(R"({"text": " 1 "})"));
    EXPECT_EQ(nlohmann::json::parse(cli("--json", "azimuth.replies").output).at("report").size(), 42u);

    const Outcome mixed = cli("", "mixed.replies");
    EXPECT_EQ(mixed.exitStatus, 3);
    EXPECT_EQ(mixed.output.find("== 报表 =="), std::string::npos);
    EXPECT_TRUE(nlohmann::json::parse(cli("--json", "mixed.replies").output).at("report").is_null());
}

TEST(PdfReport, ReadsBackWithTheHeadingAndTheChineseLines) {
    const ScratchDirectory scratch;
    const std::string pdf = scratch.file("known-side.pdf");
    EXPECT_EQ(cli("--pdf '" + pdf + "'", "known-side.replies").exitStatus, 0);
    const std::string text = shell("pdftotext -layout '" + pdf + "' -").output;
    for (const char* expected : {"--- Morvalen ---", "(由已知边S(ab)推算)", "起始点座标 :", "平差角 :",
                                 "b( 1 )= 44.13113", "第二组条件方程式闭合差 :", "单位(对数第六位)", "平差结果 :",
                                 "测角中误差 : mb= 0.67 秒", "1/m= 1/282331"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    }
    EXPECT_NE(shell("pdffonts '" + pdf + "'").output.find("UMing"), std::string::npos);
}

TEST(PdfReport, ColumnsAreDigitZeroWideFromTheLeftMargin) {
    const ScratchDirectory scratch;
    const std::string pdf = scratch.file("azimuth.pdf");
    ASSERT_EQ(cli("--pdf '" + pdf + "'", "azimuth.replies").exitStatus, 0);
    const std::vector<Word> words = wordsOfFirstPage(pdf);

    // Column 30 holds xa=, the observed angles and the x coordinates; column 50 the adjusted angles.
    const double column30 = leftEdges(words, "xa=").at(0);
    const std::vector<double> angleLabels = leftEdges(words, "b(");
    ASSERT_EQ(angleLabels.size(), 16u);
    const double column50 = *std::max_element(angleLabels.begin(), angleLabels.end());
    const double column = (column50 - column30) / 20;
    EXPECT_NEAR(column, 6.0, 0.1);  // the digit 0 of 10-point Go Mono, 0.6 em
    for (const double left : {column30, column50}) {
        const auto atLeft = [&](double x) { return std::abs(x - left) < 0.05; };
        EXPECT_EQ(std::count_if(angleLabels.begin(), angleLabels.end(), atLeft), 8);
    }
    const std::vector<double> eastings = leftEdges(words, "x(");
    ASSERT_EQ(eastings.size(), 5u);
    for (double x : eastings) EXPECT_NEAR(x, column30, 0.05);
    EXPECT_NEAR(leftEdges(words, "ya=").at(0), column30 + 19 * column, 0.05);
    EXPECT_NEAR(leftEdges(words, "y(").at(0), column30 + 23 * column, 0.05);

    // The left margin is 1500 twips (75 points); the heading's column 26 is measured in the 12-point font.
    EXPECT_NEAR(column30 - 29 * column, 75.0, 0.05);
    const double heading = leftEdges(words, "---").at(0);
    EXPECT_NEAR((heading - 75.0) / 25, column * 1.2, 0.05);
    // The top margin is 1000 twips (50 points): the heading's glyphs begin just below it.
    const double top = words.at(0).yMin;
    EXPECT_GE(top, 49.5);
    EXPECT_LT(top, 50.0 + 12);
}

TEST(PdfReport, RefusedOrUnwritableFilesAreReported) {
    const ScratchDirectory scratch;
    const std::string stopped = scratch.file("mixed.pdf");
    const Outcome mixed = cli("--pdf '" + stopped + "'", "mixed.replies", true);
    EXPECT_EQ(mixed.exitStatus, 3);
    EXPECT_FALSE(fs::exists(stopped));
    EXPECT_NE(mixed.output.find(std::string(nothingToPrint)), std::string::npos);

    const std::string nowhere = scratch.file("no-such-folder/report.pdf");
    const Outcome unwritable = cli("--pdf '" + nowhere + "'", "known-side.replies", true);
    EXPECT_EQ(unwritable.exitStatus, 4);
    EXPECT_NE(unwritable.output.find("无法写出文件 " + nowhere + "：文件夹不存在"), std::string::npos)
        << "refused before the first prompt";
}

TEST(PdfReport, FullPageContinuesOnTheNextPage) {
    std::vector<Line> lines = {{FontSize{headingPoints}, TabStop{26}, Text{"--- Morvalen ---"}},
                               {FontSize{bodyPoints}}};
    for (int i = 1; i <= 150; ++i) lines.push_back({TabStop{24}, Text{"第 " + std::to_string(i) + " 行"}});
    const ScratchDirectory scratch;
    const std::string pdf = scratch.file("long.pdf");
    writeReportPdf(lines, QString::fromStdString(pdf));

    const std::string info = shell("pdfinfo '" + pdf + "'").output;
    std::smatch pages;
    ASSERT_TRUE(std::regex_search(info, pages, std::regex(R"(Pages:\s+(\d+))")));
    EXPECT_GE(std::stoi(pages[1]), 2);  // 152 rows of about 10 points on the 742 points of an A4 printing area

    const std::string text = shell("pdftotext -layout '" + pdf + "' -").output;
    EXPECT_NE(text.find("第 150 行"), std::string::npos);
    // Every row is printed exactly once, and none below the bottom margin of 1000 twips.
    for (int i : {1, 59, 60, 61, 120, 150}) {
        const std::string row = "第 " + std::to_string(i) + " 行\n";
        EXPECT_NE(text.find(row), std::string::npos) << i;
        EXPECT_EQ(text.find(row), text.rfind(row)) << i;
    }
    for (const Word& word : wordsOfFirstPage(pdf)) EXPECT_LE(word.yMax, 842.0 - 50.0) << word.text;
}

int pageCount(const std::string& pdf) {
    const std::string info = shell("pdfinfo '" + pdf + "'").output;
    std::smatch pages;
    return std::regex_search(info, pages, std::regex(R"(Pages:\s+(\d+))")) ? std::stoi(pages[1]) : -1;
}

std::vector<std::string> keysOf(const nlohmann::json& object) {
    std::vector<std::string> keys;
    for (const auto& [key, value] : object.items()) keys.push_back(key);
    std::sort(keys.begin(), keys.end());
    return keys;
}

TEST(CheckedRun, ChecksAreAddedAndEverythingElseStaysAsItWas) {
    const Outcome plain = cli("", "known-side.replies");
    const Outcome checked = cli("--grade 四等", "known-side.replies");
    EXPECT_EQ(checked.exitStatus, 0);
    ASSERT_EQ(checked.output.substr(0, plain.output.size()), plain.output);
    EXPECT_EQ(checked.output.substr(plain.output.size(), 14), "\n== 检核 ==\n");
    EXPECT_NE(checked.output.find("检核结论 :        合格"), std::string::npos);
    EXPECT_NE(checked.output.find("\n                     最大点间误差 : A-P2  a= 2.95 mm\n"), std::string::npos);

    const auto plainJson = nlohmann::json::parse(cli("--json", "known-side.replies").output);
    auto json = nlohmann::json::parse(cli("--json --grade 四等", "known-side.replies").output);
    const nlohmann::json checks = json.at("checks");
    json.erase("checks");
    json.erase("precision");
    EXPECT_EQ(json, plainJson);
    using Keys = std::vector<std::string>;
    EXPECT_EQ(keysOf(checks), (Keys{"angles", "ferrero", "grade", "mb", "pass", "pole", "sigma", "standard",
                                    "suspects", "triangles", "weakest_side"}));
    EXPECT_EQ(checks.at("standard"), "GB 50026-2020 工程测量标准");
    EXPECT_EQ(checks.at("grade"), "四等");
    ASSERT_EQ(checks.at("triangles").size(), 4u);
    EXPECT_EQ(checks.at("triangles")[2].at("angles"), nlohmann::json::parse("[1, 2, 7, 8]"));
    EXPECT_EQ(keysOf(checks.at("triangles")[0]), (Keys{"angles", "closure", "limit", "pass"}));
    EXPECT_EQ(keysOf(checks.at("pole")), (Keys{"closure", "limit", "pass"}));
    EXPECT_EQ(keysOf(checks.at("mb")), (Keys{"limit", "pass", "value"}));
    EXPECT_EQ(keysOf(checks.at("ferrero")), (Keys{"triangles", "value"}));
    EXPECT_EQ(checks.at("weakest_side"), nlohmann::json::parse(R"({"denominator": 282331, "limit": 40000,
                                                                   "pass": true})"));
    ASSERT_EQ(checks.at("angles").size(), 8u);
    EXPECT_EQ(keysOf(checks.at("angles")[7]), (Keys{"angle", "mdb", "redundancy", "residual", "standardized"}));
    EXPECT_EQ(checks.at("angles")[7].at("angle"), 8);
    EXPECT_EQ(checks.at("suspects"), nlohmann::json::array());

    const auto own = nlohmann::json::parse(cli("--json --sigma 0.2", "azimuth.replies").output).at("checks");
    EXPECT_TRUE(own.at("standard").is_null() && own.at("grade").is_null());
    EXPECT_EQ(own.at("sigma"), 0.2);
    EXPECT_TRUE(own.at("weakest_side").at("limit").is_null() && own.at("weakest_side").at("pass").is_null());
    EXPECT_EQ(own.at("pass"), false);  // mb 0.67″ against σ 0.2″

    EXPECT_TRUE(nlohmann::json::parse(cli("--json --grade 四等", "mixed.replies").output).at("checks").is_null());
    EXPECT_NE(cli("--grade 四等", "mixed.replies").output.find("== 检核 ==\n最近一次计算已中止"), std::string::npos);
    EXPECT_EQ(cli("--grade 五等", "known-side.replies").exitStatus, 2);
    EXPECT_EQ(cli("--grade 四等 --sigma 2", "known-side.replies").exitStatus, 2);
    EXPECT_EQ(cli("--sigma 0", "known-side.replies").exitStatus, 2);
}

TEST(CheckedRun, PdfHasThePageOfTheChecksAfterTheReportsOwnPages) {
    const ScratchDirectory scratch;
    const std::string plain = scratch.file("plain.pdf"), checked = scratch.file("checked.pdf");
    ASSERT_EQ(cli("--pdf '" + plain + "'", "azimuth.replies").exitStatus, 0);
    ASSERT_EQ(cli("--grade 国家三等 --pdf '" + checked + "'", "azimuth.replies").exitStatus, 0);
    const int reportPages = pageCount(plain);
    // The page of the checks, the page of the precision, then the plot of the network on a page of its own.
    ASSERT_EQ(pageCount(checked), reportPages + 3);
    const auto pagesText = [](const std::string& pdf, int first, int last) {
        return shell("pdftotext -layout -f " + std::to_string(first) + " -l " + std::to_string(last) + " '" + pdf +
                     "' -")
            .output;
    };
    EXPECT_EQ(pagesText(checked, 1, reportPages), pagesText(plain, 1, reportPages));
    const std::string page = pagesText(checked, reportPages + 1, reportPages + 1);
    for (const char* expected : {"--- 检核与精度分析 ---", "GB/T 17942-2000 国家三角测量规范 国家三等",
                                 "三角形 b1+b2+b7+b8", "1/300111", "1/80000", "b( 8 )", "检核结论"}) {
        EXPECT_NE(page.find(expected), std::string::npos) << expected << "\n" << page;
    }
    EXPECT_NE(pagesText(checked, reportPages + 2, reportPages + 2).find("点间相对精度"), std::string::npos);
    const std::string plot = pagesText(checked, reportPages + 3, reportPages + 3);
    for (const char* expected : {"网图与点位误差椭圆", "P1", "P2", "P3", "北", "米"}) {
        EXPECT_NE(plot.find(expected), std::string::npos) << expected << "\n" << plot;
    }
}

// Each plot follows its own page: the network after the page of the precision, both sets of ellipses after the
// page of the rigorous adjustment (the classical set only where a σ of an angle was given).
TEST(CheckedRun, PdfPlotsFollowThePagesTheyBelongTo) {
    const ScratchDirectory scratch;
    const std::string book = " --rigorous --field-book '" + example("field-book-distances.csv") + "' --pdf ";
    const std::string checked = scratch.file("checked.pdf"), plain = scratch.file("plain.pdf");
    ASSERT_EQ(cli("--grade 四等" + book + "'" + checked + "'", "known-side.replies").exitStatus, 0);
    ASSERT_EQ(cli(book + "'" + plain + "'", "known-side.replies").exitStatus, 0);
    const auto firstLines = [](const std::string& pdf, int page) {
        const std::string text = shell("pdftotext -layout -f " + std::to_string(page) + " -l " + std::to_string(page) +
                                       " '" + pdf + "' - | head -5").output;
        return text;
    };
    const int pages = pageCount(checked);
    EXPECT_NE(firstLines(checked, 3).find("点位精度"), std::string::npos);
    EXPECT_NE(firstLines(checked, 4).find("网图与点位误差椭圆"), std::string::npos);
    EXPECT_NE(firstLines(checked, pages - 1).find("--- 严密平差"), std::string::npos);
    EXPECT_NE(firstLines(checked, pages).find("经典平差与严密平差的点位误差椭圆"), std::string::npos);
    EXPECT_NE(firstLines(plain, pageCount(plain)).find("严密平差的点位误差椭圆"), std::string::npos);
    EXPECT_EQ(firstLines(plain, pageCount(plain)).find("经典平差"), std::string::npos);
}

// "relative": every pair of stations but the two known ones, alike in both languages; a side has the figures of the
// pair of the same line.
TEST(Precision, JsonOfThePairsOfStationsAgreesWithTheSides) {
    const auto chinese = nlohmann::json::parse(cli("--json --grade 四等", "known-side.replies").output).at("precision");
    const auto english = nlohmann::json::parse(cli("--json --lang en --grade 四等", "known-side.replies").output);
    EXPECT_EQ(english.at("precision"), chinese);
    const int sideStations[6][2] = {{0, 1}, {1, 2}, {2, 3}, {0, 3}, {1, 3}, {0, 2}};
    ASSERT_EQ(chinese.at("relative").size(), 5u);
    for (const auto& pair : chinese.at("relative")) {
        EXPECT_EQ(keysOf(pair), (std::vector<std::string>{"a_mm", "b_mm", "distance_m", "from", "names", "phi_deg",
                                                          "relative_error_denominator", "sigma_azimuth_sec",
                                                          "sigma_distance_mm", "to"}));
        const int from = pair.at("from"), to = pair.at("to");
        EXPECT_FALSE(from == 0 && to == 3) << "A-B";
        const auto side = std::find_if(std::begin(sideStations), std::end(sideStations),
                                       [&](const int* stations) { return stations[0] == from && stations[1] == to; });
        ASSERT_NE(side, std::end(sideStations));
        const auto& same = chinese.at("sides")[static_cast<std::size_t>(side - std::begin(sideStations))];
        EXPECT_EQ(pair.at("distance_m"), same.at("length"));
        EXPECT_EQ(pair.at("relative_error_denominator"), same.at("relative_error_denominator"));
        EXPECT_EQ(pair.at("sigma_azimuth_sec"), same.at("azimuth_error"));
        EXPECT_GE(pair.at("a_mm").get<double>(), pair.at("sigma_distance_mm").get<double>());
    }
    EXPECT_EQ(chinese.at("relative")[3].at("names"), nlohmann::json::parse(R"(["P1", "B"])"));
}

TEST(Precision, JsonKeysOfTheStationsAndSides) {
    using Keys = std::vector<std::string>;
    EXPECT_FALSE(nlohmann::json::parse(cli("--json", "known-side.replies").output).contains("precision"));
    const auto known = nlohmann::json::parse(cli("--json --grade 四等", "known-side.replies").output).at("precision");
    EXPECT_EQ(keysOf(known), (Keys{"points", "relative", "sides", "sigma"}));
    EXPECT_EQ(known.at("sigma"), 2.5);
    ASSERT_EQ(known.at("points").size(), 2u);  // P1 and P2; A and B are fixed
    const auto& p1 = known.at("points")[0];
    EXPECT_EQ(keysOf(p1), (Keys{"a_mm", "b_mm", "mp_mm", "mx_mm", "my_mm", "name", "phi_deg", "row"}));
    EXPECT_EQ(p1.at("row"), 1);
    EXPECT_EQ(p1.at("name"), "P1");
    EXPECT_NEAR(p1.at("mp_mm").get<double>(), std::hypot(p1.at("mx_mm").get<double>(), p1.at("my_mm").get<double>()),
                1e-12);
    ASSERT_EQ(known.at("sides").size(), 6u);
    for (int s = 0; s < 6; ++s) {
        const auto& side = known.at("sides")[static_cast<std::size_t>(s)];
        EXPECT_EQ(keysOf(side), (Keys{"azimuth_error", "length", "relative_error_denominator", "side"}));
        EXPECT_EQ(side.at("side"), s + 1);
        // The known side A–B is fixed: no relative error, no azimuth error.
        EXPECT_EQ(side.at("relative_error_denominator").is_null(), s == 3);
    }
    EXPECT_EQ(known.at("sides")[3].at("azimuth_error"), 0.0);

    const auto azimuth = nlohmann::json::parse(cli("--json --sigma 2", "azimuth.replies").output).at("precision");
    ASSERT_EQ(azimuth.at("points").size(), 3u);
    EXPECT_EQ(azimuth.at("points")[2].at("name"), "P3");
    EXPECT_TRUE(azimuth.at("sides")[0].at("relative_error_denominator").is_null()) << "the start side S(1)";
    ASSERT_EQ(azimuth.at("relative").size(), 6u);
    EXPECT_EQ(azimuth.at("relative")[0].at("names"), nlohmann::json::parse(R"(["A", "P1"])"));
    EXPECT_EQ(azimuth.at("relative")[0].at("a_mm"), 0.0) << "A-P1 fixed by Ta + Qa and the start side";
    EXPECT_TRUE(nlohmann::json::parse(cli("--json --sigma 2", "mixed.replies").output).at("precision").is_null());
}

// The text of every <text> element of an SVG document; fails the test when the document does not parse.
std::vector<std::string> svgTexts(const std::string& path) {
    QFile file(QString::fromStdString(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    QXmlStreamReader reader(&file);
    std::vector<std::string> texts;
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == QStringLiteral("text")) {
            texts.push_back(reader.readElementText(QXmlStreamReader::IncludeChildElements).toStdString());
        }
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return texts;
}

TEST(Precision, PlotIsAnSvgNamingEveryStation) {
    const ScratchDirectory scratch;
    const std::string known = scratch.file("known.svg"), azimuth = scratch.file("azimuth.svg");
    const std::string longName = scratch.file("long-name.svg");
    ASSERT_EQ(cli("--grade 四等 --plot '" + known + "'", "known-side.replies").exitStatus, 0);
    ASSERT_EQ(cli("--sigma 2 --plot '" + azimuth + "'", "azimuth.replies").exitStatus, 0);
    ASSERT_EQ(cli("--sigma 2 --plot '" + longName + "'", "long-station-name.replies").exitStatus, 0);
    using Names = std::vector<std::string>;
    for (const auto& [path, names] : {std::pair{known, Names{"A", "P1", "P2", "B"}},
                                      std::pair{azimuth, Names{"A", "P1", "P2", "P3"}},
                                      std::pair{longName, Names{"A", "北山顶三角点", "P2", "B"}}}) {
        const auto texts = svgTexts(path);
        for (const std::string& name : names) {
            EXPECT_NE(std::find(texts.begin(), texts.end(), name), texts.end()) << name << " in " << path;
        }
        EXPECT_NE(std::find(texts.begin(), texts.end(), "网图与点位误差椭圆"), texts.end());
    }

    // Refused: without σ (usage), after a stopped run, a folder that does not exist, another extension.
    const std::string refused = scratch.file("refused.svg");
    EXPECT_EQ(cli("--plot '" + refused + "'", "known-side.replies").exitStatus, 2);
    EXPECT_EQ(cli("--sigma 2 --plot '" + refused + "'", "mixed.replies").exitStatus, 3);
    EXPECT_FALSE(fs::exists(refused));
    EXPECT_EQ(cli("--sigma 2 --plot '" + scratch.file("missing/plot.svg") + "'", "known-side.replies").exitStatus, 4);
    EXPECT_EQ(cli("--sigma 2 --plot '" + scratch.file("plot.png") + "'", "known-side.replies").exitStatus, 4);
    EXPECT_FALSE(fs::exists(scratch.file("plot.png")));
}

}  // namespace
}  // namespace morvalen::report

int main(int argc, char** argv) {
    // The painter needs fonts, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
