// Feeds arbitrary reply sequences through the whole compute command and the report, and checks what a surveyor
// relies on after every run: it completes or stops with a message, every field holds valid UTF-8, a completed run's
// adjusted angles close both triangles and the overlapping triangle, only a completed run may be printed, and its
// report renders as valid UTF-8, the same twice. Every reply is also read both ways a typed number can be read, the
// one-pass plain reading and the general decimal reading, which must agree on the value and on every echo.
//
// Input: the replies, one per line, exactly as the terminal front end reads them.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <utility>
#include <string_view>
#include <vector>

#include "command/ComputeCommand.h"
#include "entry/DecimalNumber.h"
#include "entry/EntryValue.h"
#include "entry/FieldModel.h"
#include "entry/RunStopped.h"
#include "entry/Utf8.h"
#include "form/FieldText.h"
#include "report/ReportModel.h"
#include "report/TextReport.h"

namespace {

using namespace morvalen;

class ReplyPrompt : public Prompt {
public:
    explicit ReplyPrompt(std::string_view bytes) {
        std::size_t start = 0;
        while (start <= bytes.size()) {
            const std::size_t end = bytes.find('\n', start);
            const std::size_t stop = end == std::string_view::npos ? bytes.size() : end;
            replies_.push_back(validUtf8(bytes.substr(start, stop - start)));
            if (end == std::string_view::npos) break;
            start = end + 1;
        }
    }
    std::string ask(const std::string&) override {
        if (++asked_ > 100000) std::abort();  // a prompt sequence that never ends is a hang
        return next_ < replies_.size() ? replies_[next_++] : std::string();
    }

private:
    std::vector<std::string> replies_;
    std::size_t next_ = 0;
    std::size_t asked_ = 0;
};

void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

void checkFieldsAreUtf8(const FieldModel& fields) {
    for (const auto& name : FieldModel::singleFieldNames()) {
        require(validUtf8(fields.text({name})) == fields.text({name}), "field text is valid UTF-8");
    }
    for (const auto& [name, size] : FieldModel::fieldArrays()) {
        for (int i = 0; i < size; ++i) {
            require(validUtf8(fields.text({name, i})) == fields.text({name, i}), "field text is valid UTF-8");
        }
    }
    require(validUtf8(fields.caption({"Label18", 0})) == fields.caption({"Label18", 0}), "caption is valid UTF-8");
}

// (sum − theoretical) in seconds, allowing for the single-precision share of the first group and for the size of
// the angles themselves.
void checkClosesWithin(double closure, double scale, const char* what) {
    require(std::isfinite(closure) && std::abs(closure) <= 1e-5 * (1 + scale), what);
}

void checkAdjustedAnglesClose(const SurveyState& state) {
    double b[9];
    double magnitude = 0;
    for (int k = 1; k <= 8; ++k) {
        b[k] = *state.adjustedAngles[static_cast<std::size_t>(k)].numericValue();
        magnitude += std::abs(b[k]) * 3600 * 1e-9;
    }
    const double w1 = std::abs(state.closures[1]), w2 = std::abs(state.closures[2]);
    checkClosesWithin((b[1] + b[2] + b[3] + b[4] - 180) * 3600, w1 + magnitude + std::abs(state.closures[3]),
                      "first triangle closes");
    checkClosesWithin((b[5] + b[6] + b[7] + b[8] - 180) * 3600, w2 + magnitude + std::abs(state.closures[3]),
                      "second triangle closes");
    checkClosesWithin((b[1] + b[2] - b[5] - b[6]) * 3600, w1 + w2 + magnitude + std::abs(state.closures[3]),
                      "overlapping triangle closes");
}

// The echo of a typed number is that number rounded at the pattern's last place: it reads back as a number no
// further from the typed one than half a unit of that place.
void checkEchoesRoundTheTypedNumber(std::string_view reply) {
    const EntryValue typed = EntryValue::text(std::string(reply));
    const auto value = typed.numericValue();
    if (!value || std::abs(*value) > 1e12) return;
    for (const auto& [pattern, unit] : {std::pair{Pattern::threeDecimals, 1e-3}, std::pair{Pattern::fiveDecimals, 1e-5}}) {
        const auto echo = parseDecimal(typed.display(pattern));
        require(echo.has_value(), "the echo of a number is a number");
        const double shown = toDouble(*echo).value_or(0.0);
        require(std::abs(shown - *value) <= unit / 2 * (1 + 1e-9) + std::abs(*value) * 1e-15,
                "the echo rounds at its last place");
    }
}

// Result texts round the exact binary value with ties to even, as printf does, whatever the value.
void checkResultTextsMatchPrintf(const SurveyState& state) {
    std::vector<double> values(state.pointX.begin(), state.pointX.end());
    values.insert(values.end(), state.pointY.begin(), state.pointY.end());
    for (float closure : state.closures) values.push_back(closure);
    values.push_back(state.invPlgs);
    for (double value : values) {
        for (int decimals : {2, 3, 5}) {
            char printed[400];
            std::snprintf(printed, sizeof printed, "%.*f", decimals, value);
            std::string expected = printed;
            if (expected.front() == '-' && expected.find_first_of("123456789") == std::string::npos) {
                expected.erase(0, 1);
            }
            require(roundedFixed(value, decimals) == expected, "result texts round like printf");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (std::size_t start = 0; start <= bytes.size();) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        checkEchoesRoundTheTypedNumber(bytes.substr(start, end - start));
        start = end + 1;
    }
    SurveyState state;
    FieldModel fields;
    for (int run = 0; run < 2; ++run) {  // a second run on the same window must start clean
        ReplyPrompt prompt(bytes);
        bool completed = false;
        try {
            runComputeCommand(state, prompt, fields);
            completed = true;
        } catch (const RunStopped& stop) {
            require(!stop.cause().empty() && !stop.step().empty(), "a stop says where and why");
            require(validUtf8(stop.what()) == stop.what(), "a stop message is valid UTF-8");
        }
        checkFieldsAreUtf8(fields);
        require(report::printingAllowed(state) == completed, "only a completed run may be printed");
        if (completed) {
            checkAdjustedAnglesClose(state);
            checkResultTextsMatchPrintf(state);
            const std::string report = report::renderText(report::reportLines(state));
            require(validUtf8(report) == report, "the report is valid UTF-8");
            require(report::renderText(report::reportLines(state)) == report, "printing twice gives the same report");
        }
    }
    return 0;
}
