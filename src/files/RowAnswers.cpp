#include "files/RowAnswers.h"

#include <algorithm>
#include <iterator>

#include "entry/ConfirmedPrompt.h"

namespace morvalen::files {
namespace {

// The columns that answer the entry prompts, in the order the compute command asks for them in each case.
constexpr Column knownSideOrMixedAnswers[] = {Column::xa,     Column::ya,     Column::xb,         Column::yb,
                                              Column::nameA,  Column::nameP1, Column::nameP2,     Column::nameClosing,
                                              Column::b1,     Column::b2,     Column::b3,         Column::b4,
                                              Column::b5,     Column::b6,     Column::b7,         Column::b8};
constexpr Column azimuthAnswers[] = {Column::xa,     Column::ya,     Column::xb,     Column::yb,
                                     Column::startSideLength, Column::startSideNumber, Column::Ta, Column::Qa,
                                     Column::nameA,  Column::nameP1, Column::nameP2, Column::nameP3,
                                     Column::nameClosing, Column::b1, Column::b2,   Column::b3,
                                     Column::b4,     Column::b5,     Column::b6,     Column::b7,
                                     Column::b8};

// Every confirmation prompt of the entry begins so; no entry prompt does.
bool isConfirmation(const std::string& promptText) { return promptText.starts_with("确认"); }

}  // namespace

std::optional<Column> columnAsked(std::size_t position, RunCase kind) {
    if (kind == RunCase::azimuth) {
        if (position < std::size(azimuthAnswers)) return azimuthAnswers[position];
    } else if (position < std::size(knownSideOrMixedAnswers)) {
        return knownSideOrMixedAnswers[position];
    }
    return std::nullopt;
}

std::string RowPrompt::ask(const std::string& promptText) {
    if (isConfirmation(promptText)) return {};
    const auto column = columnAsked(next_, next_ < 4 ? RunCase::knownSide : runCase(state_));
    if (!column) return {};
    ++next_;
    return std::string(columns_.cell(row_, *column));
}

std::string ObservationRecorder::ask(const std::string& promptText) {
    std::string reply = asker_.ask(promptText);
    if (isConfirmation(promptText)) {
        reentryNext_ = isWrongReply(reply);
        return reply;
    }
    // The case follows from B's coordinates as typed, exactly as the entry decides it.
    const RunCase kind =
        runCase(EntryValue::text(values_.value(Column::xb)), EntryValue::text(values_.value(Column::yb)));
    const std::size_t position = reentryNext_ && entries_ > 0 ? entries_ - 1 : entries_++;
    reentryNext_ = false;
    if (const auto column = columnAsked(position, kind)) values_.value(*column) = reply;
    return reply;
}

std::string AngleAnswers::ask(const std::string& promptText) {
    if (isConfirmation(promptText)) {
        if (answeringAngle_) return {};
        const std::string reply = others_.ask(promptText);
        reentryNext_ = isWrongReply(reply);
        return reply;
    }
    const std::size_t position = reentryNext_ && entries_ > 0 ? entries_ - 1 : entries_++;
    reentryNext_ = false;
    const auto column = columnAsked(position, position < 4 ? RunCase::knownSide : runCase(state_));
    answeringAngle_ = column && *column >= Column::b1;
    if (answeringAngle_) return angle_(static_cast<std::size_t>(*column) - static_cast<std::size_t>(Column::b1));
    return others_.ask(promptText);
}

bool TypedValues::empty() const {
    return std::all_of(values.begin(), values.end(), [](const std::string& value) { return value.empty(); });
}

}  // namespace morvalen::files
