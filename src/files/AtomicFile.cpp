#include "files/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <random>
#include <system_error>
#ifdef _WIN32
#include <io.h>
#else
#include <sys/file.h>
#include <unistd.h>
#endif

#include "i18n/Language.h"

namespace morvalen::files {
namespace fs = std::filesystem;
namespace {

#ifdef _WIN32
int openExclusive(const fs::path& path) {
    return _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
int openExisting(const fs::path& path) { return _wopen(path.c_str(), _O_RDWR | _O_BINARY); }
int openInPlace(const fs::path& path) { return _wopen(path.c_str(), _O_WRONLY | _O_BINARY); }
int standardOutputDescriptor() {
    const int descriptor = _fileno(stdout);
    _setmode(descriptor, _O_BINARY);
    return descriptor;
}
long writeSome(int descriptor, const char* bytes, std::size_t count) {
    return _write(descriptor, bytes, static_cast<unsigned>(std::min<std::size_t>(count, 1u << 30)));
}
int flushToDisk(int descriptor) { return _commit(descriptor); }
int closeFile(int descriptor) { return _close(descriptor); }
bool userMayWrite(const fs::path& path) { return _waccess(path.c_str(), 2) == 0; }
#else
int openExclusive(const fs::path& path) { return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666); }
int openExisting(const fs::path& path) { return ::open(path.c_str(), O_RDWR | O_CLOEXEC); }
int openInPlace(const fs::path& path) { return ::open(path.c_str(), O_WRONLY | O_CLOEXEC); }
int standardOutputDescriptor() { return STDOUT_FILENO; }
long writeSome(int descriptor, const char* bytes, std::size_t count) { return ::write(descriptor, bytes, count); }
int flushToDisk(int descriptor) { return ::fsync(descriptor); }
int closeFile(int descriptor) { return ::close(descriptor); }
bool userMayWrite(const fs::path& path) { return ::access(path.c_str(), W_OK) == 0; }
#endif

// The folder a file is written in: its temporary file is made there, then renamed over it.
fs::path folderOf(const fs::path& written) { return written.parent_path().empty() ? fs::path(".") : written.parent_path(); }

// Why no file can be made in `folder` (no permission, a read-only disk), naming the folder; empty when one can.
std::string folderRefusal(const fs::path& folder) {
    if (userMayWrite(folder)) return {};
    const int errorNumber = errno;
    return i18n::withArguments(i18n::translate("不能在文件夹 %1 中创建文件（%2）"), {shownPath(folder), writeReason(errorNumber)});
}

// The temporary files being written, removed when a signal ends the program (Ctrl+C, a terminal closed, kill, a
// closed pipe, a timer, a fault, any signal whose default is to end it), so that an interrupted batch leaves no
// temporary file beside its results; so is a program that aborts (its memory ran out). A program killed outright
// (SIGKILL) cannot remove anything; its old results are kept all the same. A file-size limit (ulimit -f) is no
// signal here: the write fails, and the message says the file is too large.
constexpr std::size_t slotCount = 4, slotSize = 4096;
char pendingTemporaries[slotCount][slotSize];
volatile std::sig_atomic_t pendingInSlot[slotCount];

extern "C" void removePendingAndEnd(int signalNumber) {
    for (std::size_t slot = 0; slot < slotCount; ++slot) {
        if (pendingInSlot[slot]) std::remove(pendingTemporaries[slot]);
    }
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

// The signals whose default action ends the program, but SIGKILL, which cannot be caught, and SIGXFSZ.
std::vector<int> endingSignals() {
    std::vector<int> signals = {SIGINT, SIGTERM, SIGABRT, SIGSEGV, SIGFPE, SIGILL};
#ifndef _WIN32
    for (const int signalNumber : {SIGHUP, SIGQUIT, SIGTRAP, SIGBUS, SIGUSR1, SIGUSR2, SIGPIPE, SIGALRM, SIGXCPU,
                                   SIGVTALRM, SIGPROF, SIGSYS}) {
        signals.push_back(signalNumber);
    }
#endif
#ifdef SIGPOLL
    signals.push_back(SIGPOLL);
#endif
#ifdef SIGPWR
    signals.push_back(SIGPWR);
#endif
#ifdef SIGSTKFLT
    signals.push_back(SIGSTKFLT);
#endif
    return signals;
}

// The slot that holds the temporary file; slotCount when the name is too long to be kept or every slot is taken.
std::size_t rememberPending(const fs::path& temporary) {
    static const bool installed = [] {
        for (const int signalNumber : endingSignals()) std::signal(signalNumber, removePendingAndEnd);
#ifdef SIGXFSZ
        std::signal(SIGXFSZ, SIG_IGN);
#endif
        return true;
    }();
    (void)installed;
    const std::string name = temporary.string();
    for (std::size_t slot = 0; slot < slotCount; ++slot) {
        if (pendingInSlot[slot] || name.size() >= slotSize) continue;
        name.copy(pendingTemporaries[slot], name.size());
        pendingTemporaries[slot][name.size()] = '\0';
        pendingInSlot[slot] = 1;
        return slot;
    }
    return slotCount;
}

void forgetPending(std::size_t slot) {
    if (slot < slotCount) pendingInSlot[slot] = 0;
}

std::string commonReason(int errorNumber) {
    switch (errorNumber) {
    case ENOENT: return i18n::translate("文件或文件夹不存在");
    case EISDIR: return i18n::translate("这是一个文件夹");
    case ENOTDIR: return i18n::translate("路径中有一段不是文件夹");
    case ENOSPC: return i18n::translate("磁盘已满");
#ifdef EDQUOT
    case EDQUOT: return i18n::translate("超出了磁盘配额");
#endif
    case EROFS: return i18n::translate("磁盘是只读的");
    case ENAMETOOLONG: return i18n::translate("文件名太长");
    case EMFILE:
    case ENFILE: return i18n::translate("打开的文件太多");
    case EIO: return i18n::translate("磁盘读写出错");
#ifdef ELOOP
    case ELOOP: return i18n::translate("符号链接太多层或成环");
#endif
    case EFBIG: return i18n::translate("文件太大，超出了文件大小的限制（ulimit -f）");
    case EBUSY: return i18n::translate("文件正被占用");
    case EPIPE: return i18n::translate("管道的另一端已关闭");
    case EBADF: return i18n::translate("输出已关闭");
    default: return i18n::withArguments(i18n::translate("系统错误 %1"), {std::to_string(errorNumber)});
    }
}

// An existing target that is not a regular file: a device, a FIFO, a shell's pipe. The system follows the links.
bool isDeviceOrPipe(const fs::path& path) {
    std::error_code status;
    const fs::file_status found = fs::status(path, status);
    return !status && fs::exists(found) && !fs::is_regular_file(found) && !fs::is_directory(found);
}

// A new file beside `beside`'s name in `folder`, opened for writing, under a hidden name no other file has.
int openTemporary(const fs::path& folder, const fs::path& beside, fs::path& temporary) {
    std::random_device random;
    int descriptor = -1;
    for (int attempt = 0; attempt < 100 && descriptor < 0; ++attempt) {
        temporary = folder / ("." + shownPath(beside.filename()) + "." + std::to_string(random() % 1000000) + ".tmp");
        descriptor = openExclusive(temporary);
        if (descriptor < 0 && errno != EEXIST) return -1;
    }
    if (descriptor < 0) errno = EEXIST;
    return descriptor;
}

}  // namespace

bool isStandardOutput(const fs::path& path) { return path == "-" || path == "/dev/stdout"; }

bool isWrittenInPlace(const fs::path& path) { return isStandardOutput(path) || isDeviceOrPipe(path); }

std::string readReason(int errorNumber) {
    if (errorNumber == EACCES || errorNumber == EPERM) return i18n::translate("没有读取权限");
    if (errorNumber == ENOENT) return i18n::translate("文件不存在");
    return commonReason(errorNumber);
}

std::string writeReason(int errorNumber) {
    if (errorNumber == EACCES || errorNumber == EPERM) return i18n::translate("没有写入权限");
    if (errorNumber == ENOENT) return i18n::translate("文件夹不存在");
    return commonReason(errorNumber);
}

std::string shownPath(const fs::path& path) {
    const auto text = path.u8string();
    return std::string(text.begin(), text.end());
}

fs::path pathOf(std::string_view utf8) {
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

fs::path writtenPath(const fs::path& path) {
    fs::path resolved = path;
    std::error_code status;
    // 40 links, as the system itself follows them before it gives up.
    for (int hop = 0; hop < 40 && fs::is_symlink(fs::symlink_status(resolved, status)); ++hop) {
        const fs::path link = fs::read_symlink(resolved, status);
        if (status) break;
        resolved = link.is_absolute() ? link : resolved.parent_path() / link;
    }
    return resolved;
}

void checkOutputPath(const fs::path& path, const std::vector<fs::path>& inputs) {
    const auto refused = [&](const std::string& reason) {
        throw FileNotWritten(i18n::withArguments(i18n::translate("无法写出文件 %1：%2"), {shownPath(path), reason}));
    };
    if (path.empty()) throw FileNotWritten(i18n::translate("无法写出文件：文件名是空的"));
    if (isStandardOutput(path)) return;
    if (isDeviceOrPipe(path)) {
        if (!userMayWrite(path)) refused(i18n::translate("没有写入权限"));
        return;
    }
    const fs::path written = writtenPath(path);
    std::error_code status;
    const fs::file_status found = fs::status(written, status);
    if (fs::is_directory(found)) refused(i18n::translate("这是一个文件夹"));
    const fs::path folder = folderOf(written);
    std::error_code unknown;
    const fs::file_status folderFound = fs::status(folder, unknown);
    if (!fs::exists(folderFound)) refused(writeReason(ENOENT));
    if (!fs::is_directory(folderFound)) refused(writeReason(ENOTDIR));
    for (const fs::path& input : inputs) {
        std::error_code compared;
        if (!input.empty() && fs::equivalent(written, input, compared)) {
            refused(i18n::withArguments(i18n::translate("这是输入文件 %1 本身，写出会毁掉它"), {shownPath(input)}));
        }
    }
    if (fs::exists(found) && !userMayWrite(written)) refused(i18n::translate("没有写入权限，文件保持原样"));
    if (const std::string problem = folderRefusal(folder); !problem.empty()) refused(problem);
}

OutputFile::OutputFile(const fs::path& path) : target_(path), written_(writtenPath(path)) {
    if (path.empty()) throw FileNotWritten(i18n::translate("无法写出文件：文件名是空的"));
    if (isStandardOutput(path)) {
        std::fflush(stdout);  // what the program printed before comes first
        descriptor_ = standardOutputDescriptor();
        inPlace_ = true;
        return;
    }
    if (isDeviceOrPipe(path)) {
        descriptor_ = openInPlace(path);
        if (descriptor_ < 0) fail(errno);
        inPlace_ = true;
        return;
    }
    std::error_code status;
    if (fs::is_directory(written_, status)) fail(EISDIR);
    if (fs::exists(written_, status) && !userMayWrite(written_)) fail(EACCES);
    // A hidden name beside the file: the rename then stays within one file system, and is atomic.
    descriptor_ = openTemporary(written_.parent_path(), written_, temporary_);
    if (descriptor_ < 0 && (errno == EACCES || errno == EPERM || errno == EROFS)) {
        if (const std::string problem = folderRefusal(folderOf(written_)); !problem.empty()) {
            throw FileNotWritten(i18n::withArguments(i18n::translate("无法写出文件 %1：%2"), {shownPath(target_), problem}),
                                 problem);
        }
    }
    if (descriptor_ < 0) fail(errno);
    pendingSlot_ = rememberPending(temporary_);
}

OutputFile::~OutputFile() {
    closeDescriptor();
    if (!temporary_.empty() && !(committed_ && !inPlace_)) {
        std::error_code ignored;
        fs::remove(temporary_, ignored);
    }
    forgetPending(pendingSlot_);
}

void OutputFile::closeDescriptor() {
    if (descriptor_ >= 0 && !isStandardOutput(target_)) closeFile(descriptor_);
    descriptor_ = -1;
}

void OutputFile::fail(int errorNumber) const {
    const std::string reason = writeReason(errorNumber);
    const std::string name = isStandardOutput(target_) ? std::string(i18n::translate("标准输出")) : shownPath(target_);
    throw FileNotWritten(i18n::withArguments(i18n::translate("无法写出文件 %1：%2"), {name, reason}), reason);
}

void OutputFile::failed(const std::string& detail) const {
    if (detail.find(shownPath(target_)) != std::string::npos) throw FileNotWritten(detail);
    std::error_code status;
    const fs::space_info space = fs::space(temporary_.parent_path().empty() ? "." : temporary_.parent_path(), status);
    if (!status && space.available == 0) fail(ENOSPC);
    throw FileNotWritten(i18n::withArguments(i18n::translate("无法写出文件 %1：%2"), {shownPath(target_), detail}));
}

void OutputFile::write(std::string_view bytes) { writeDescriptor(bytes); }

void OutputFile::writeDescriptor(std::string_view bytes) {
    while (!bytes.empty()) {
        const long written = writeSome(descriptor_, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) fail(written < 0 ? errno : ENOSPC);
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void OutputFile::commitInPlace() {
    if (!temporary_.empty()) {
        // What a library wrote under the temporary name goes to the device or pipe as it is.
        std::ifstream written(temporary_, std::ios::binary);
        if (!written) fail(errno);
        std::vector<char> piece(1 << 16);
        while (written.read(piece.data(), static_cast<std::streamsize>(piece.size())) || written.gcount() > 0) {
            writeDescriptor(std::string_view(piece.data(), static_cast<std::size_t>(written.gcount())));
        }
        if (written.bad()) fail(EIO);
    }
    const int descriptor = descriptor_;
    descriptor_ = -1;
    if (!isStandardOutput(target_) && closeFile(descriptor) != 0) fail(errno);
    committed_ = true;
}

void OutputFile::commit() {
    if (inPlace_) {
        commitInPlace();
        return;
    }
    if (descriptor_ < 0) {
        // A library wrote the temporary file by its name: open it again to flush it.
        descriptor_ = openExisting(temporary_);
        if (descriptor_ < 0) fail(errno);
    }
    if (flushToDisk(descriptor_) != 0) fail(errno);
    const int descriptor = descriptor_;
    descriptor_ = -1;
    if (closeFile(descriptor) != 0) fail(errno);
    std::error_code status;
    const fs::file_status replaced = fs::status(written_, status);
    if (fs::exists(replaced)) {
        fs::permissions(temporary_, replaced.permissions(), status);
        if (status) fail(status.value());
    }
    fs::rename(temporary_, written_, status);
    if (status) fail(status.value());
    committed_ = true;
    forgetPending(pendingSlot_);
}

const fs::path& OutputFile::handedOver() {
    if (!inPlace_) {
        closeDescriptor();
        return temporary_;
    }
    // A device or a pipe has no folder to write beside it in: the library writes in the system's temporary folder.
    if (temporary_.empty()) {
        std::error_code status;
        const fs::path folder = fs::temp_directory_path(status);
        const int descriptor = openTemporary(status ? fs::path(".") : folder, "morvalen", temporary_);
        if (descriptor < 0) fail(errno);
        closeFile(descriptor);
        pendingSlot_ = rememberPending(temporary_);
    }
    return temporary_;
}

void writeThroughTemporary(const fs::path& path, const std::function<void(const fs::path& temporary)>& write) {
    OutputFile file(path);
    try {
        write(file.handedOver());
    } catch (const FileNotWritten& failure) {
        file.failed(failure.what());
    }
    file.commit();
}

void writeBytes(const fs::path& path, std::string_view bytes) {
    OutputFile file(path);
    file.write(bytes);
    file.commit();
}

UpdateLock::UpdateLock([[maybe_unused]] const fs::path& path) {
#ifndef _WIN32
    if (isWrittenInPlace(path)) return;
    const fs::path written = writtenPath(path);
    const fs::path folder = written.parent_path().empty() ? fs::path(".") : written.parent_path();
    descriptor_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor_ < 0) return;
    while (::flock(descriptor_, LOCK_EX) != 0 && errno == EINTR) {
    }
#endif
}

UpdateLock::~UpdateLock() {
    if (descriptor_ >= 0) closeFile(descriptor_);
}

}  // namespace morvalen::files
