#include "cli/Console.h"

#include <utility>

#ifdef _WIN32
// windows.h first: shellapi.h builds on its declarations.
#include <windows.h>

#include <io.h>
#include <shellapi.h>
#else
#include <unistd.h>
#endif

namespace morvalen::cli {

bool isTerminal(std::FILE* stream) {
#ifdef _WIN32
    return _isatty(_fileno(stream)) != 0;
#else
    return isatty(fileno(stream)) != 0;
#endif
}

void useUtf8Console() {
#ifdef _WIN32
    SetConsoleOutputCP(CP_UTF8);
    SetConsoleCP(CP_UTF8);
#endif
}

std::vector<std::string> utf8Arguments(int argc, char** argv) {
    std::vector<std::string> arguments(argv, argv + argc);
#ifdef _WIN32
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) return arguments;
    arguments.clear();
    for (int index = 0; index < count; ++index) {
        const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide[index], -1, nullptr, 0, nullptr, nullptr);
        std::string argument(bytes > 0 ? bytes - 1 : 0, '\0');
        if (bytes > 1) {
            WideCharToMultiByte(CP_UTF8, 0, wide[index], -1, argument.data(), bytes, nullptr, nullptr);
        }
        arguments.push_back(std::move(argument));
    }
    LocalFree(wide);
#endif
    return arguments;
}

}  // namespace morvalen::cli
