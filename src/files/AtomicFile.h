// A file is never left half written: it is written under a temporary name in its own folder, then renamed.
#pragma once

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

namespace morvalen::files {

// A file that could not be written, with a message that names it and says why.
class FileNotWritten : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Calls `write` with a temporary path beside `path`, then puts the written file in the place of `path`. When
// `write` throws, or the rename fails, the temporary file is removed and `path` is as it was. Throws FileNotWritten
// for a rename that fails; passes on what `write` throws.
void writeThroughTemporary(const std::filesystem::path& path,
                           const std::function<void(const std::filesystem::path& temporary)>& write);

// The same for bytes formed in memory.
void writeBytes(const std::filesystem::path& path, const std::string& bytes);

// The name of a path for a message, as the user typed it.
std::string shownPath(const std::filesystem::path& path);

}  // namespace morvalen::files
