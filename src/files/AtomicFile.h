// The one way this program writes a file: under a temporary name in the target's own folder, written, flushed to
// the disk and checked, then renamed over the target. A file is never left half written, and what the user had is
// never lost: an existing file the user may not write is refused, a symbolic link keeps pointing where it pointed
// (its target is written), a replaced file keeps its mode, and a failed write leaves the old file as it was.
// An existing target that is no regular file (a device such as /dev/null, a FIFO, the pipe of a shell's >(…)) is
// written in place, never renamed over; "-" and /dev/stdout are the program's standard output.
#pragma once

#include <filesystem>
#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace morvalen::files {

// A file that could not be written, with a message that names it and says why, in the interface language, and the
// reason alone where the system gave one (磁盘已满), for a caller that words its own message.
class FileNotWritten : public std::runtime_error {
public:
    explicit FileNotWritten(const std::string& message, std::string reason = {})
        : std::runtime_error(message), reason_(std::move(reason)) {}
    const std::string& reason() const { return reason_; }

private:
    std::string reason_;
};

// The reason of a failed file operation as the interface says it: 文件不存在, 没有写入权限, 磁盘已满, 这是一个文件夹, …
// `errorNumber` is an errno value; reading and writing name a missing permission each their own way.
std::string readReason(int errorNumber);
std::string writeReason(int errorNumber);

// The name of a path for a message, as the user typed it.
std::string shownPath(const std::filesystem::path& path);

// The path of a name given in UTF-8 (a command line, a Qt string), whatever the system's own encoding of names.
std::filesystem::path pathOf(std::string_view utf8);

// The file a write to `path` puts its bytes in: the end of the chain of symbolic links that starts at `path`, or
// `path` itself when it is no link.
std::filesystem::path writtenPath(const std::filesystem::path& path);

// Whether `path` names the program's standard output: "-" or /dev/stdout.
bool isStandardOutput(const std::filesystem::path& path);

// Whether a write to `path` goes to it directly: standard output, or an existing device or FIFO.
bool isWrittenInPlace(const std::filesystem::path& path);

// Checks, before anything is asked or computed, that `path` can be written without destroying anything the user
// has: not empty, not a folder, in a folder that exists, not an existing file the user may not write, not one of
// `inputs` (compared with
// std::filesystem::equivalent, so that another spelling or a link of the same file is found too). Throws
// FileNotWritten naming the file and the reason.
void checkOutputPath(const std::filesystem::path& path, const std::vector<std::filesystem::path>& inputs = {});

// A file being written: the bytes go to a temporary file beside the target, which takes the target's place at
// commit(). Destroyed without commit() (a failure, an exception), the temporary file is removed and the target is as
// it was. Every call throws FileNotWritten naming the target and the reason (磁盘已满 for a full disk).
class OutputFile {
public:
    explicit OutputFile(const std::filesystem::path& path);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void write(std::string_view bytes);
    // Flushes the bytes to the disk, gives the file the mode of the file it replaces, and renames it over the
    // target.
    void commit();

    // The temporary file, closed, for a library that writes a file by its name; commit() flushes what it wrote.
    const std::filesystem::path& handedOver();
    // The failure of a library that wrote the temporary file by name, with the likeliest reason: a full disk when
    // the folder has no space left, otherwise `detail`.
    [[noreturn]] void failed(const std::string& detail) const;

private:
    std::filesystem::path target_;     // as given, for messages
    std::filesystem::path written_;    // the file that is replaced: the link's target for a link
    std::filesystem::path temporary_;  // empty for a target written in place until a library asks for a name
    int descriptor_ = -1;
    bool inPlace_ = false;  // a device, a FIFO or standard output: written directly, never renamed over
    bool committed_ = false;
    std::size_t pendingSlot_ = 0;  // where an interruption finds the temporary file to remove

    [[noreturn]] void fail(int errorNumber) const;
    void closeDescriptor();
    void writeDescriptor(std::string_view bytes);
    void commitInPlace();
};

// Calls `write` with the temporary path of an OutputFile for `path`, for libraries that write a file by its name
// (`write` throws FileNotWritten when the library reports a failure or its file is incomplete), then flushes the
// written file to the disk and commits. Passes on what `write` throws, with the target as it was.
void writeThroughTemporary(const std::filesystem::path& path,
                           const std::function<void(const std::filesystem::path& temporary)>& write);

// The same for bytes formed in memory.
void writeBytes(const std::filesystem::path& path, std::string_view bytes);

// Held while a file is read, changed and written again (a row added to an observation file): a second program that
// changes the same file at the same time waits until the first has written, so that both rows are kept. The lock is
// the folder's (the file itself is replaced by the write); released when destroyed. Where the system cannot lock
// the folder the change goes on unlocked.
class UpdateLock {
public:
    explicit UpdateLock(const std::filesystem::path& path);
    ~UpdateLock();
    UpdateLock(const UpdateLock&) = delete;
    UpdateLock& operator=(const UpdateLock&) = delete;

private:
    int descriptor_ = -1;
};

}  // namespace morvalen::files
