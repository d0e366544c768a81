// The exit statuses of morvalen-cli, one list for a run, its file options, the batch and the field-book reduction.
#pragma once

namespace morvalen::cli {

enum class ExitStatus {
    completed = 0,      // the computation (every row of a batch, the reduction) completed, every file written
    usageError = 2,     // options that do not go together, an unknown option or value
    stopped = 3,        // the run stopped, a batch row stopped or could not be read, an export after a stopped run
    notWritten = 4,     // a report, plot, export or observation file that cannot be written, or an output refused
    fileProblem = 5,    // an input file missing, unreadable or no campaign, an unknown row, the batch's result file
};

// The status as the process returns it, the last thing the program does: standard output is flushed and checked
// first, and output that did not reach it (a full disk, a closed pipe or stream) turns a completed run into
// notWritten, with the reason on stderr (cli/Console.cpp).
int exitCode(ExitStatus status);

// The graver of two statuses of one run: the first that is not `completed` stays.
constexpr ExitStatus firstFailure(ExitStatus first, ExitStatus second) {
    return first != ExitStatus::completed ? first : second;
}

}  // namespace morvalen::cli
