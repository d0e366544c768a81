// make bench: one table of what a surveyor waits for, measured on this machine.
//
//   computation       typed angle texts to coordinates, no field texts, per quadrilateral
//   transcendental    the sin, cos, tan, log, atan and sqrt calls that computation makes, with the same arguments:
//                     the physical floor, timed in blocks alternating with the computation
//   compute command   the whole command with every prompt and field text
//   batch             rows per second, morvalen-cli batch as a whole process, CSV file in to CSV file out,
//                     100 000 rows
//   terminal run      morvalen-cli as a whole process, one known-side run
//   window start      the window as a whole process, offscreen, from exec to its first paint
//   PDF report        one report written as a PDF file
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <unistd.h>

#include "SyntheticCampaign.h"
#include "adjust/AdjustmentRun.h"
#include "command/RunRecord.h"
#include "adjust/FirstGroup.h"
#include "batch/BatchAdjustment.h"
#include "coords/CoordinateComputation.h"
#include "coords/QuadrilateralGeometry.h"
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

// The state as the observation entry leaves it for the known-side data, before the angles: the typed replies
// stored where the confirmed prompts store them.
void setKnownSideData(SurveyState& state) {
    prepareState(state);
    const auto& coordinates = testing::knownSideCoordinates;
    state.xa.setText(coordinates[0]);
    state.ya.setText(coordinates[1]);
    state.xb.setText(coordinates[2]);
    state.yb.setText(coordinates[3]);
    state.unknownPointCount = 2;
    state.pointNames.resize(4);
    for (std::size_t i = 0; i < 4; ++i) state.pointNames[i] = testing::knownSideNames[i];
}

// Typed texts to coordinates, without field texts.
void computeOnce(SurveyState& state) {
    setKnownSideData(state);
    // As the observation entry does: the confirmed text, then its decimal degrees in its place.
    for (int k = 1; k <= 8; ++k) {
        EntryValue& angle = state.adjustedAngles[static_cast<std::size_t>(k)];
        angle.setText(testing::workedAngles[static_cast<std::size_t>(k - 1)]);
        angle.setNumber(*toDegrees(angle));
    }
    AdjustmentSteps steps;
    computeAdjustment(state, steps);
    cm2(state);
    benchmark::DoNotOptimize(state.pointX.data());
}

// The arguments of every transcendental call that one known-side computation makes, in the order it makes them,
// derived from the same data through the same steps: per angle of the first group a tangent, a sine and the
// logarithm of that sine (the pole condition); the square root of Δx² + Δy², of 1 − r² and the arctangent of the
// A–B azimuth; the square roots of mb and mlogs; the two sines of each of the three side-chain rows; the cosine and
// sine of each traverse azimuth.
struct TranscendentalArguments {
    std::array<double, 9> poleRadians{};  // 1..8
    double lengthSquare = 0, oneMinusRSquare = 0, azimuthTangent = 0;
    double meanSquare = 0, reciprocalWeight = 0;
    std::array<double, 6> sideChainRadians{};
    std::array<double, 4> traverseRadians{};  // 1..3
};

TranscendentalArguments transcendentalArguments() {
    SurveyState state;
    setKnownSideData(state);
    AngleArray observed{};
    for (int k = 1; k <= 8; ++k) {
        EntryValue& angle = state.adjustedAngles[static_cast<std::size_t>(k)];
        angle.setText(testing::workedAngles[static_cast<std::size_t>(k - 1)]);
        observed[k] = *toDegrees(angle);
        angle.setNumber(observed[k]);
    }
    AdjustmentSteps steps;
    computeAdjustment(state, steps);
    cm2(state);

    TranscendentalArguments arguments;
    const double k = state.radiansPerDegree;
    const CheckedStep step("floor");
    AngleArray firstGroup = observed;
    distributeTriangleClosure(firstGroup, 1, triangleClosure(observed, 1, step), step);
    distributeTriangleClosure(firstGroup, 5, triangleClosure(observed, 5, step), step);
    for (int i = 1; i <= 8; ++i) arguments.poleRadians[static_cast<std::size_t>(i)] = k * firstGroup[i];

    const double deltaX = 1010.0 - 1000.0, deltaY = 1175.0 - 1000.0;
    arguments.lengthSquare = deltaX * deltaX + deltaY * deltaY;
    const double r = deltaY / std::sqrt(arguments.lengthSquare);
    arguments.oneMinusRSquare = 1 - r * r;
    arguments.azimuthTangent = r / std::sqrt(arguments.oneMinusRSquare);
    arguments.meanSquare = static_cast<double>(state.mb) * state.mb;
    arguments.reciprocalWeight = state.invPlgs;

    const AngleArray b = adjustedAnglesInDegrees(state);
    std::size_t next = 0;
    for (int row : {4, 1, 2}) {
        arguments.sideChainRadians[next++] = k * b[2 * row - 1];
        arguments.sideChainRadians[next++] = k * b[(2 * row + 1) % 8 + 1];
    }
    TraverseLegs legs;
    legs.azimuths[1] = (knownSideAzimuth(deltaX, deltaY, std::sqrt(arguments.lengthSquare), k, step) - b[1]) - b[8];
    if (legs.azimuths[1] < 0) legs.azimuths[1] += 360;
    propagateAzimuths(legs, b, 3, step);
    for (std::size_t i = 1; i <= 3; ++i) arguments.traverseRadians[i] = k * legs.azimuths[i];
    return arguments;
}

void callTranscendentals(const TranscendentalArguments& arguments) {
    TranscendentalArguments a = arguments;
    benchmark::DoNotOptimize(&a);
    double sum = 0;
    for (std::size_t i = 1; i <= 8; ++i) {
        sum += std::tan(a.poleRadians[i]);
        sum += std::log(std::sin(a.poleRadians[i]));
    }
    sum += std::sqrt(a.lengthSquare) + std::sqrt(a.oneMinusRSquare) + std::atan(a.azimuthTangent);
    sum += std::sqrt(a.meanSquare) + std::sqrt(a.reciprocalWeight);
    for (double radians : a.sideChainRadians) sum += std::sin(radians);
    for (std::size_t i = 1; i <= 3; ++i) sum += std::cos(a.traverseRadians[i]) + std::sin(a.traverseRadians[i]);
    benchmark::DoNotOptimize(sum);
}

// The computation and its floor, timed in alternating blocks, so that whatever else the machine does in the
// meantime weighs on both alike. Reports the median time of each per quadrilateral and the median ratio of blocks.
void ComputationAgainstFloor(benchmark::State& benchmarkState) {
    using Clock = std::chrono::steady_clock;
    constexpr int blockSize = 256;
    const TranscendentalArguments arguments = transcendentalArguments();
    SurveyState state;
    std::vector<double> computationTimes, floorTimes, ratios;
    const auto nanosecondsPerRun = [](Clock::time_point start, Clock::time_point end) {
        return std::chrono::duration<double, std::nano>(end - start).count() / blockSize;
    };
    for (auto _ : benchmarkState) {
        const auto start = Clock::now();
        for (int i = 0; i < blockSize; ++i) computeOnce(state);
        const auto middle = Clock::now();
        for (int i = 0; i < blockSize; ++i) callTranscendentals(arguments);
        const auto end = Clock::now();
        computationTimes.push_back(nanosecondsPerRun(start, middle));
        floorTimes.push_back(nanosecondsPerRun(middle, end));
        ratios.push_back(computationTimes.back() / floorTimes.back());
    }
    const auto median = [](std::vector<double> values) {
        std::nth_element(values.begin(), values.begin() + static_cast<long>(values.size() / 2), values.end());
        return values[values.size() / 2];
    };
    benchmarkState.counters["computation_ns"] = median(computationTimes);
    benchmarkState.counters["floor_ns"] = median(floorTimes);
    benchmarkState.counters["ratio"] = median(ratios);
}
BENCHMARK(ComputationAgainstFloor)->MinTime(2.0);

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
    RunRecord run;  // the window's record, renewed by each run as 计 算 renews it
    FieldModel fields;
    for (auto _ : benchmarkState) {
        ReplyList prompt(replies);
        runComputeCommand(prompt, fields, run);
        benchmark::DoNotOptimize(fields.text({"Text11"}).data());
    }
}
BENCHMARK(ComputeCommand);

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

// morvalen-cli batch as a whole process, from a campaign file to a results file.
void Batch(benchmark::State& benchmarkState) {
    const long rows = benchmarkState.range(0);
    const std::string input = "/tmp/morvalen-bench-campaign.csv", output = "/tmp/morvalen-bench-results.csv";
    {
        std::mt19937 random(1);
        std::ofstream file(input, std::ios::binary);
        file << bench::campaignHeader();
        for (long i = 1; i <= rows; ++i) file << bench::campaignRow(random, i);
    }
    for (auto _ : benchmarkState) runProcess(MORVALEN_CLI_PATH, {"batch", input, "-o", output}, "/dev/null");
    benchmarkState.SetItemsProcessed(benchmarkState.iterations() * rows);
    std::remove(input.c_str());
    std::remove(output.c_str());
}
BENCHMARK(Batch)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

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
            for (const char* name : {"computation_ns", "floor_ns", "ratio"}) {
                if (run.counters.count(name)) counters[name] = run.counters.at(name);
            }
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
    std::map<std::string, double> counters;
};

}  // namespace

int main(int argc, char** argv) {
    // Qt wants a private runtime folder; a session without one gets its own, instead of a warning on every start.
    static char runtimeFolder[] = "/tmp/morvalen-bench-runtime-XXXXXX";
    if (std::getenv("XDG_RUNTIME_DIR") == nullptr && mkdtemp(runtimeFolder) != nullptr) {
        setenv("XDG_RUNTIME_DIR", runtimeFolder, 1);
        std::atexit([] { std::filesystem::remove_all(runtimeFolder); });
    }
    benchmark::Initialize(&argc, argv);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& s = reporter.seconds;
    const auto at = [&](const char* name) { return s.count(name) ? s.at(name) : NAN; };
    const auto counter = [&](const char* name) {
        return reporter.counters.count(name) ? reporter.counters.at(name) : NAN;
    };
    const auto rate = [&](const char* name) { return reporter.rate.count(name) ? reporter.rate.at(name) : NAN; };
    // Each guard: what is measured, its value in the shown unit, and its limit; `atLeast` for a rate.
    struct Guard {
        const char* measured;
        double value;
        const char* unit;
        double limit;
        bool atLeast = false;
    };
    const Guard guards[] = {
        {"computation / floor", counter("ratio"), "×", 10},
        {"compute command with every field text", at("ComputeCommand") * 1e6, "µs", 6},
        {"batch, 100 000 rows, CSV file to CSV file", rate("Batch/100000/iterations:3/real_time"), "rows/s", 100000,
         true},
        {"terminal front end, one run (whole process)", at("TerminalRun/real_time") * 1e3, "ms", 20},
        {"window, cold start to first paint (offscreen)", at("WindowStart/real_time") * 1e3, "ms", 300},
        {"one PDF report", at("PdfReport/real_time") * 1e3, "ms", 100},
    };
    std::printf("\n%-46s %14s %18s\n", "measured", "result", "target");
    std::printf("%-46s %11.2f µs\n", "computation per quadrilateral", counter("computation_ns") / 1e3);
    std::printf("%-46s %11.2f µs\n", "transcendental calls (the floor)", counter("floor_ns") / 1e3);
    int failed = 0;
    for (const Guard& guard : guards) {
        // A benchmark left out by --benchmark_filter is not measured, and guards nothing.
        const bool held =
            std::isnan(guard.value) || (guard.atLeast ? guard.value >= guard.limit : guard.value <= guard.limit);
        if (!held) ++failed;
        std::printf("%-46s %11.2f %-6s %s %g %s%s\n", guard.measured, guard.value, guard.unit,
                    guard.atLeast ? "≥" : "≤", guard.limit, guard.unit, held ? "" : "  FAILED");
    }
    if (failed > 0) std::printf("\n%d guard(s) failed\n", failed);
    return failed > 0 ? 1 : 0;
}
