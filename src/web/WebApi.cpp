// The functions the page calls: one request in (JSON), one JSON document out.
//
//   {"call": "run", "replies": TEXT, "lang", "steps", "grade" | "sigma"}
//        the document morvalen-cli --json gives for the same replies and options
//   {"call": "compute", "observations": {xa: TEXT, …, b8: TEXT}, "lang", "grade" | "sigma"}
//        the same document for the values of the table, with the steps, and the report and the steps as the page
//        lays them out
//   {"call": "check", "observations": {…}, "lang"}   the case, the problem of each cell (null where none) and the
//                                                    diagram's labels that show each cell's value
//   {"call": "face", "lang"}                         the window's layout, the table's columns and the case texts
//   {"call": "texts", "texts": [TEXT, …], "lang"}    the texts of the page in the language ("caption\004" before
//                                                    a text: as a caption)
//   {"call": "grades", "lang"}                       the grades a check can be made against
//   {"call": "openObservations", "path", "first", "count", "progress"}   the rows of an observation file the page
//                                                    put there, all or a part; with "progress", the percentage of the
//                                                    file read told to morvalenReadProgress
//   {"call": "openFieldBook", "path", "observations"}  the eight angles of a field book for the table
//   {"call": "saveObservations", "path", "observations", "id"}   the table as one more row of a file
//   {"call": "export", "path", "observations", "grade" | "sigma"} the results in the format of the path's extension,
//                                                    from the last computation where it was made of the same values
//   {"call": "exercise" | "answerSheet" | "checkAnswer", …}   the teacher's kit (web/ExerciseCalls.h)
//   {"call": "rigorous", "path", "observations", …}  the rigorous adjustment of a field book (web/RigorousCall.h)
//   {"call": "plot", "observations", "lang", "grade" | "sigma"}   {"svg": TEXT}: the network plot of that computation
//                                                    as morvalen-cli --plot writes it; null where there is none
#include <emscripten/emscripten.h>

#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <string>

#include "analysis/Analysis.h"
#include "analysis/GradeTable.h"
#include "i18n/Language.h"
#include "report/NetworkPlot.h"
#include "report/ReportModel.h"
#include "report/StepsTables.h"
#include "report/TextReport.h"
#include "web/ExerciseCalls.h"
#include "web/FaceJson.h"
#include "web/FileCalls.h"
#include "web/ObservationsPrompt.h"
#include "web/PageRun.h"
#include "web/RigorousCall.h"
#include "web/StepsJson.h"
#include "web/TableChecks.h"

namespace {

using namespace morvalen;
using nlohmann::ordered_json;

// The catalogue lies where the page puts it, beside /bin in the browser's file system.
constexpr const char* programPath = "/bin/morvalen";
// A text of the page asked as a caption: its short form where the catalogue has one.
constexpr std::string_view captionContext = "caption\004";

void useLanguageNamed(const std::string& name) {
    const i18n::Language language = i18n::languageNamed(name).value_or(i18n::Language::chinese);
    i18n::useLanguage(language, programPath);
}

web::PageOptions pageOptions(const ordered_json& request) {
    web::PageOptions options;
    options.steps = request.value("steps", false);
    options.checks.gradeName = request.value("grade", "");
    options.checks.sigmaSeconds = request.value("sigma", 0.0);
    return options;
}

// What the page draws the network from: the stations with their error ellipses, and the sides.
ordered_json plotJson(const analysis::NetworkPrecision& precision) {
    ordered_json stations = ordered_json::array();
    for (const analysis::StationPrecision& station : precision.stations) {
        stations.push_back({{"name", station.name}, {"x", station.x}, {"y", station.y}, {"fixed", station.fixed},
                            {"a_mm", station.ellipse.a}, {"b_mm", station.ellipse.b},
                            {"phi_deg", station.ellipse.phiDegrees}});
    }
    ordered_json sides = ordered_json::array();
    for (const analysis::SidePrecision& side : precision.sides) sides.push_back({side.from, side.to});
    return {{"stations", stations}, {"sides", sides}};
}

// The last computation of the table, with the options and the language it was made in: an export of the same values is written
// from its record instead of computing them again.
struct LastRun {
    web::PageRun run;
    web::PageOptions options;
    std::string language;  // the texts of the run's document are in it
};
std::optional<LastRun> lastRun;

bool sameOptions(const web::PageOptions& one, const web::PageOptions& other) {
    return one.checks.gradeName == other.checks.gradeName && one.checks.sigmaSeconds == other.checks.sigmaSeconds;
}

// The computation of the table's values with the checks asked: the last one where it was made of the same.
const web::PageRun& tableRun(const ordered_json& request) {
    const Observations observations = web::observationsOf(request.at("observations"));
    web::PageOptions options = pageOptions(request);
    options.steps = true;
    const std::string language = request.value("lang", "zh");
    if (!lastRun || lastRun->run.record.observations != observations || !sameOptions(lastRun->options, options) ||
        lastRun->language != language) {
        lastRun = LastRun{web::runTable(observations, options), options, language};
    }
    return lastRun->run;
}

ordered_json compute(const ordered_json& request) {
    const web::PageRun& run = tableRun(request);
    const Observations& observations = run.record.observations;
    const web::PageOptions options = lastRun->options;
    const SurveyState& state = run.record.state;
    ordered_json answer = run.document;
    answer["report_text"] = report::printingAllowed(state) ? report::renderText(report::reportLines(state)) : std::string();
    answer["steps_tables"] = web::stepsTablesJson(report::stepsDocument(state, run.record.steps));
    answer["case"] = caseKey(observations.runCase());
    if (options.checks.standard()) {
        std::ostringstream text;
        document::printChecksText(state, run.analysed.checks, run.analysed.precision, text);
        answer["checks_text"] = text.str();
        if (run.analysed.precision) answer["plot"] = plotJson(*run.analysed.precision);
    }
    return answer;
}

ordered_json plot(const ordered_json& request) {
    const std::optional<analysis::NetworkPrecision>& precision = tableRun(request).analysed.precision;
    return {{"svg", precision ? ordered_json(report::networkPlotSvg(*precision)) : ordered_json(nullptr)}};
}

ordered_json grades() {
    ordered_json list = ordered_json::array();
    for (const analysis::Grade& grade : analysis::grades()) {
        list.push_back({{"name", std::string(grade.name)}, {"text", i18n::translate(grade.name.data())},
                        {"standard", i18n::translate(grade.standard.data())}});
    }
    return list;
}

ordered_json handle(const ordered_json& request) {
    useLanguageNamed(request.value("lang", "zh"));
    const std::string call = request.value("call", "");
    if (call == "run") {
        const std::string replies = request.value("replies", "");
        web::RepliesPrompt prompt(replies);
        return web::runReplies(prompt, pageOptions(request)).document;
    }
    if (call == "compute") return compute(request);
    if (call == "check") return web::tableChecks(web::observationsOf(request.at("observations")));
    if (call == "texts") {
        ordered_json texts = ordered_json::array();
        for (const auto& text : request.at("texts")) {
            const std::string chinese = text.get<std::string>();
            texts.push_back(chinese.starts_with(captionContext) ? i18n::translateCaption(chinese.c_str() + captionContext.size())
                                                                : i18n::translate(chinese.c_str()));
        }
        return texts;
    }
    if (call == "grades") return grades();
    if (call == "face") return web::faceJson();
    if (call == "openObservations") {
        // With "progress", the percentage goes to the reading worker's morvalenReadProgress as it grows.
        std::function<void(int)> progress;
        if (request.value("progress", false)) {
            progress = [](int percent) {
                EM_ASM({ if (typeof morvalenReadProgress === 'function') morvalenReadProgress($0); }, percent);
            };
        }
        return web::openObservations(request.at("path"), request.value("first", std::size_t{0}),
                                     request.value("count", web::allRows), progress);
    }
    if (call == "openFieldBook") {
        return web::openFieldBook(request.at("path"), web::observationsOf(request.at("observations")));
    }
    if (call == "saveObservations") {
        return web::saveObservations(request.at("path"), web::observationsOf(request.at("observations")),
                                     request.value("id", ""));
    }
    if (call == "export") {
        return web::exportResults(request.at("path"), tableRun(request));
    }
    if (call == "exercise") return web::exerciseKit(request);
    if (call == "answerSheet") return web::answerSheet(request);
    if (call == "checkAnswer") return web::checkAnswer(request);
    if (call == "rigorous") return web::rigorousAdjustment(request);
    if (call == "plot") return plot(request);
    return {{"error", "unknown call: " + call}};
}

}  // namespace

extern "C" {

// The answer to one request, as JSON text; valid until the next call. A request the page got wrong is answered
// with {"error": …}; a stopped run is an answer like any other, with its "stopped".
EMSCRIPTEN_KEEPALIVE const char* morvalen_call(const char* requestText) {
    static std::string answer;
    try {
        answer = handle(ordered_json::parse(requestText)).dump();
    } catch (const std::exception& failure) {
        answer = ordered_json{{"error", failure.what()}}.dump();
    }
    return answer.c_str();
}
}
