#include "cli/Console.h"

#include <cerrno>
#include <cstdlib>
#include <exception>
#include <cstdio>
#include <iostream>
#include <streambuf>
#include <new>
#include <utility>

#include "cli/ExitStatus.h"
#include "i18n/Language.h"

#ifdef _WIN32
// windows.h first: shellapi.h builds on its declarations.
#include <windows.h>

#include <io.h>
#include <shellapi.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace morvalen::cli {

namespace {

// Why standard output was not written, as the interface says it.
std::string outputReason(int errorNumber) {
    switch (errorNumber) {
    case ENOSPC: return i18n::translate("磁盘已满");
    case EPIPE: return i18n::translate("管道的另一端已关闭");
    case EBADF: return i18n::translate("输出已关闭");
    case EIO: return i18n::translate("磁盘读写出错");
    default: return i18n::translate("写入时出错");
    }
}

// Writes on to the stream's own buffer, escaping the control characters a terminal would obey. A C1 control is
// the two bytes C2 80 to C2 9F in UTF-8: a lead byte C2 waits for the byte after it.
class ControlEscapingBuffer : public std::streambuf {
public:
    explicit ControlEscapingBuffer(std::streambuf* target) : target_(target) {}

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        const auto byte = static_cast<unsigned char>(traits_type::to_char_type(c));
        if (leadPending_) {
            leadPending_ = false;
            if (byte >= 0x80 && byte <= 0x9F) return put(escape("\\u%04x", byte)) ? c : traits_type::eof();
            if (!put("\xC2")) return traits_type::eof();
        }
        if (byte == 0xC2) {
            leadPending_ = true;
            return c;
        }
        return put(isControl(byte) ? escape("\\x%02x", byte) : std::string(1, static_cast<char>(byte))) ? c : traits_type::eof();
    }
    // A text goes on in pieces: the bytes between two that need escaping in one piece, not byte by byte (an
    // unbuffered standard error would take each byte as a write of its own).
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        std::streamsize done = 0;
        while (done < count) {
            std::streamsize plain = done;
            while (!leadPending_ && plain < count && isPlain(static_cast<unsigned char>(text[plain]))) ++plain;
            if (plain > done) {
                if (target_->sputn(text + done, plain - done) != plain - done) return done;
                done = plain;
            }
            if (done < count) {
                if (traits_type::eq_int_type(overflow(traits_type::to_int_type(text[done])), traits_type::eof())) return done;
                ++done;
            }
        }
        return count;
    }
    int sync() override {
        if (leadPending_ && !put("\xC2")) return -1;
        leadPending_ = false;
        return target_->pubsync();
    }

private:
    static bool isControl(unsigned char byte) { return (byte < 0x20 && byte != '\n' && byte != '\t') || byte == 0x7F; }
    // A byte written as it is, whatever follows: no control, and no lead byte C2 that may begin a C1 control.
    static bool isPlain(unsigned char byte) { return !isControl(byte) && byte != 0xC2; }
    static std::string escape(const char* pattern, unsigned char byte) {
        char text[8];
        std::snprintf(text, sizeof text, pattern, static_cast<unsigned>(byte));
        return text;
    }
    bool put(const std::string& bytes) {
        return target_->sputn(bytes.data(), static_cast<std::streamsize>(bytes.size())) ==
               static_cast<std::streamsize>(bytes.size());
    }

    std::streambuf* target_;
    bool leadPending_ = false;
};

}  // namespace

void escapeControlsOn(std::ostream& stream) {
    // Never freed: the standard streams are flushed after every static object of the program has gone.
    stream.rdbuf(new ControlEscapingBuffer(stream.rdbuf()));
}

int exitCode(ExitStatus status) {
    errno = 0;
    std::cout.flush();
    const int coutError = errno;
    errno = 0;
    const bool flushed = std::fflush(stdout) == 0;
    int error = errno != 0 ? errno : coutError;
    if (std::cout && flushed && !std::ferror(stdout)) return static_cast<int>(status);
#ifndef _WIN32
    struct stat found;
    if (error == 0 && fstat(STDOUT_FILENO, &found) != 0) error = errno;  // a closed standard output
#endif
    std::cerr << i18n::withArguments(i18n::translate("标准输出没有完整写出：%1"), {outputReason(error)}) << '\n';
    return static_cast<int>(status == ExitStatus::completed ? ExitStatus::notWritten : status);
}

void stopClearlyWhenMemoryRunsOut() {
    std::set_terminate([] {
        try {
            if (const std::exception_ptr thrown = std::current_exception()) std::rethrow_exception(thrown);
        } catch (const std::bad_alloc&) {
            std::fputs(i18n::translate("内存不足，程序中止：这台计算机的内存不够完成这项工作；正在写的文件保持原样。\n"), stderr);
        } catch (...) {
        }
        std::abort();
    });
}

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
