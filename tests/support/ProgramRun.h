// Runs a program of this build through the system's command shell (/bin/sh, or cmd.exe on Windows) and collects
// its standard output.
#pragma once

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace morvalen::testing {

struct ProgramOutcome {
    int exitStatus = -1;  // -1: the program did not end by itself
    std::string output;
};

#ifndef _WIN32
// The whole command line as /bin/sh reads it, redirections included; the exit status as the program gave it.
inline ProgramOutcome runShellCommand(const std::string& command) {
    ProgramOutcome outcome;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return outcome;
    char buffer[4096];
    while (std::size_t count = std::fread(buffer, 1, sizeof buffer, pipe)) outcome.output.append(buffer, count);
    const int status = pclose(pipe);
    outcome.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}
#endif

// The program with its standard input from a file; standard error is dropped. `program` and `input` are quoted
// here; `arguments` go to the shell as written.
inline ProgramOutcome runProgram(const std::string& program, const std::string& arguments,
                                 const std::filesystem::path& input) {
#ifdef _WIN32
    std::string nativeProgram = program;
    std::replace(nativeProgram.begin(), nativeProgram.end(), '/', '\\');
    // cmd.exe drops the first and the last quote of a command line that begins with one: one more pair outside.
    const std::string command =
        "\"\"" + nativeProgram + "\" " + arguments + " < \"" + input.string() + "\" 2>NUL\"";
    FILE* pipe = _popen(command.c_str(), "rb");
    ProgramOutcome outcome;
    if (pipe == nullptr) return outcome;
    char buffer[4096];
    while (std::size_t count = std::fread(buffer, 1, sizeof buffer, pipe)) outcome.output.append(buffer, count);
    outcome.exitStatus = _pclose(pipe);
    return outcome;
#else
    return runShellCommand("'" + program + "' " + arguments + " < '" + input.string() + "' 2>/dev/null");
#endif
}

}  // namespace morvalen::testing
