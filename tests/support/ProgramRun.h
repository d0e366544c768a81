// Runs a program of this build through the system's command shell (/bin/sh, or cmd.exe on Windows) with its
// standard input from a file, and collects its standard output; standard error is dropped.
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

// `program` and `input` are quoted here; `arguments` go to the shell as written.
inline ProgramOutcome runProgram(const std::string& program, const std::string& arguments,
                                 const std::filesystem::path& input) {
#ifdef _WIN32
    std::string nativeProgram = program;
    std::replace(nativeProgram.begin(), nativeProgram.end(), '/', '\\');
    // cmd.exe drops the first and the last quote of a command line that begins with one: one more pair outside.
    const std::string command =
        "\"\"" + nativeProgram + "\" " + arguments + " < \"" + input.string() + "\" 2>NUL\"";
    FILE* pipe = _popen(command.c_str(), "rb");
#else
    const std::string command = "'" + program + "' " + arguments + " < '" + input.string() + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
#endif
    ProgramOutcome outcome;
    if (pipe == nullptr) return outcome;
    char buffer[4096];
    while (std::size_t count = std::fread(buffer, 1, sizeof buffer, pipe)) outcome.output.append(buffer, count);
#ifdef _WIN32
    outcome.exitStatus = _pclose(pipe);
#else
    const int status = pclose(pipe);
    outcome.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    return outcome;
}

}  // namespace morvalen::testing
