// make bench: one table of what a surveyor waits for, measured on this machine.
//
//   computation       typed angle texts to coordinates, no field texts, per quadrilateral
//   transcendental    the sin, cos, tan, log, atan and sqrt calls that computation makes: the physical floor
//   compute command   the whole command with every prompt and field text
//   batch             rows per second, CSV in to CSV out, 100 000 rows
//   terminal run      morvalen-cli as a whole process, one known-side run
//   window start      the window as a whole process, offscreen, from exec to its first paint
//   PDF report        one report written as a PDF file
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <sstream>
#include <unistd.h>

#include "SyntheticCampaign.h"
#include "adjust/AdjustmentRun.h"
#include "batch/BatchAdjustment.h"
#include "coords/CoordinateComputation.h"
#include "entry/FieldModel.h"
#include "entry/PackedAngle.h"
#include "support/ScriptedPrompt.h"
#include "support/WorkedExamples.h"

#ifdef MORVALEN_WITH_WINDOW_BENCH
#include <QGuiApplication>

#include "report/PaintedReport.h"
#include "report/ReportModel.h"
#endif

namespace {

using namespace morvalen;
using morvalen::testing::operator+;

void setKnownSideData(SurveyState& state) {
    prepareState(state);
    state.xa = EntryValue::text("1000");
    state.ya = EntryValue::text("1000");
    state.xb = EntryValue::text("1010");
    state.yb = EntryValue::text("1175");
    state.unknownPointCount = 2;
    state.pointNames = {"A", "P1", "P2", "B"};
}

void Computation(benchmark::State& benchmarkState) {
    SurveyState state;
    for (auto _ : benchmarkState) {
        setKnownSideData(state);
        for (int k = 1; k <= 8; ++k) {
            const EntryValue typed = EntryValue::text(testing::workedAngles[static_cast<std::size_t>(k - 1)]);
            state.adjustedAngles[static_cast<std::size_t>(k)] = EntryValue::number(*toDegrees(typed));
        }
        int resultsFormed = 0;
        computeAdjustment(state, resultsFormed);
        computeKnownSideCoordinates(state);
        benchmark::DoNotOptimize(state.pointX.data());
    }
}
BENCHMARK(Computation);

// The same transcendental calls as one known-side computation: per angle a tangent, a sine and a logarithm for the
// pole condition; the square root and arctangent of the known side; six sines of the side chain; three cosines and
// three sines of the traverse; the square roots of mb and mlgs.
void TranscendentalFloor(benchmark::State& benchmarkState) {
    double radians[9];
    for (int k = 1; k <= 8; ++k) {
        radians[k] = *toDegrees(EntryValue::text(testing::workedAngles[static_cast<std::size_t>(k - 1)])) *
                     (3.1415926535 / 180);
    }
    for (auto _ : benchmarkState) {
        double sum = 0;
        for (int k = 1; k <= 8; ++k) {
            benchmark::DoNotOptimize(radians[k]);
            sum += std::tan(radians[k]);
            sum += std::log(std::sin(radians[k]));
        }
        sum += std::sqrt(radians[1] + 30625) + std::atan(radians[2] / std::sqrt(radians[3]));
        for (int k = 1; k <= 6; ++k) sum += std::sin(radians[k] + 0.1);
        for (int k = 1; k <= 3; ++k) sum += std::cos(radians[k] + 1) + std::sin(radians[k] + 1);
        sum += std::sqrt(radians[4]) + std::sqrt(radians[5]);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(TranscendentalFloor);

// Answers every prompt from a list, as a surveyor types them; keeps no record of the prompts.
class ReplyList : public Prompt {
public:
    explicit ReplyList(const std::vector<std::string>& replies) : replies_(replies) {}
    std::string ask(const std::string&) override { return next_ < replies_.size() ? replies_[next_++] : std::string(); }

private:
    const std::vector<std::string>& replies_;
    std::size_t next_ = 0;
};

void ComputeCommand(benchmark::State& benchmarkState) {
    const auto replies = testing::confirmedEach(testing::knownSideCoordinates) +
                         testing::confirmedEach(testing::knownSideNames) + testing::confirmedEach(testing::workedAngles);
    SurveyState state;
    FieldModel fields;
    for (auto _ : benchmarkState) {
        ReplyList prompt(replies);
        runComputeCommand(state, prompt, fields);
        benchmark::DoNotOptimize(fields.text({"Text11"}).data());
    }
}
BENCHMARK(ComputeCommand);

void Batch(benchmark::State& benchmarkState) {
    const long rows = benchmarkState.range(0);
    std::mt19937 random(1);
    std::string csv = bench::campaignHeader();
    for (long i = 1; i <= rows; ++i) csv += bench::campaignRow(random, i);
    for (auto _ : benchmarkState) {
        const batch::Table table = batch::readCsv(csv);
        const batch::ColumnMap columns(table.header);
        std::ostringstream out;
        batch::writeCsvRow(out, batch::resultColumns());
        for (const auto& row : table.rows) batch::writeCsvRow(out, batch::resultCells(batch::adjustRow(columns, row)));
        benchmark::DoNotOptimize(out.str().size());
    }
    benchmarkState.SetItemsProcessed(benchmarkState.iterations() * rows);
}
BENCHMARK(Batch)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

// Starts a program with its standard input from a file and waits for it.
void runProcess(const char* program, std::vector<std::string> arguments, const char* input) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, input, O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv = {const_cast<char*>(program)};
    for (auto& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, program, &actions, nullptr, argv.data(), environ) != 0) std::abort();
    int status = 0;
    waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
}

void TerminalRun(benchmark::State& benchmarkState) {
    for (auto _ : benchmarkState) runProcess(MORVALEN_CLI_PATH, {}, MORVALEN_EXAMPLES_DIR "/known-side.replies");
}
BENCHMARK(TerminalRun)->Unit(benchmark::kMillisecond)->UseRealTime();

#ifdef MORVALEN_WITH_WINDOW_BENCH
void WindowStart(benchmark::State& benchmarkState) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    for (auto _ : benchmarkState) runProcess(MORVALEN_WINDOW_PROBE_PATH, {}, "/dev/null");
}
BENCHMARK(WindowStart)->Unit(benchmark::kMillisecond)->UseRealTime();

void PdfReport(benchmark::State& benchmarkState) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int argc = 1;
    char name[] = "morvalen-bench";
    char* argv[] = {name, nullptr};
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    benchmark::DoNotOptimize(application);
    SurveyState state;
    const auto replies = testing::confirmedEach(testing::knownSideCoordinates) +
                         testing::confirmedEach(testing::knownSideNames) + testing::confirmedEach(testing::workedAngles);
    FieldModel fields;
    testing::ScriptedPrompt prompt(replies);
    runComputeCommand(state, prompt, fields);
    const std::string path = "/tmp/morvalen-bench-report.pdf";
    for (auto _ : benchmarkState) report::writeReportPdf(report::reportLines(state), QString::fromStdString(path));
    std::remove(path.c_str());
}
BENCHMARK(PdfReport)->Unit(benchmark::kMillisecond)->UseRealTime();
#endif

// Collects the time per iteration of each benchmark for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& run : runs) {
            // Processes of their own are timed by the clock; in-process work by the CPU time of this thread.
            const bool wallClock = run.benchmark_name().find("real_time") != std::string::npos;
            const double time = wallClock ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime();
            seconds[run.benchmark_name()] = time * unitSeconds(run.time_unit);
            if (run.counters.count("items_per_second")) rate[run.benchmark_name()] = run.counters.at("items_per_second");
        }
        ConsoleReporter::ReportRuns(runs);
    }
    static double unitSeconds(benchmark::TimeUnit unit) {
        switch (unit) {
        case benchmark::kNanosecond: return 1e-9;
        case benchmark::kMicrosecond: return 1e-6;
        case benchmark::kMillisecond: return 1e-3;
        case benchmark::kSecond: return 1;
        }
        return 1;
    }
    std::map<std::string, double> seconds;
    std::map<std::string, double> rate;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& s = reporter.seconds;
    const auto at = [&](const char* name) { return s.count(name) ? s.at(name) : NAN; };
    std::printf("\n%-44s %14s %18s\n", "measured", "result", "target");
    std::printf("%-44s %11.2f µs %18s\n", "computation per quadrilateral", at("Computation") * 1e6, "≤ 3 × floor");
    std::printf("%-44s %11.2f µs %18s\n", "transcendental calls (the floor)", at("TranscendentalFloor") * 1e6, "");
    std::printf("%-44s %13.2f × %18s\n", "computation / floor", at("Computation") / at("TranscendentalFloor"), "≤ 3");
    std::printf("%-44s %11.2f µs %18s\n", "compute command with every field text", at("ComputeCommand") * 1e6,
                "≤ 5 µs");
    const double rowsPerSecond = reporter.rate.count("Batch/100000/iterations:1")
                                     ? reporter.rate.at("Batch/100000/iterations:1")
                                     : NAN;
    std::printf("%-44s %9.0f rows/s %15s\n", "batch, 100 000 rows CSV to CSV", rowsPerSecond, "≥ 200 000");
    std::printf("%-44s %11.2f ms %18s\n", "terminal front end, one run (whole process)",
                at("TerminalRun/real_time") * 1e3, "≤ 20 ms");
    std::printf("%-44s %11.2f ms %18s\n", "window, cold start to first paint (offscreen)", at("WindowStart/real_time") * 1e3,
                "≤ 300 ms");
    std::printf("%-44s %11.2f ms %18s\n", "one PDF report", at("PdfReport/real_time") * 1e3, "≤ 100 ms");
    return 0;
}
