#include "files/AtomicFile.h"

#include <cerrno>
#include <fstream>
#include <random>
#include <system_error>

namespace morvalen::files {

std::string shownPath(const std::filesystem::path& path) {
    const auto text = path.u8string();
    return std::string(text.begin(), text.end());
}

void writeThroughTemporary(const std::filesystem::path& path,
                           const std::function<void(const std::filesystem::path& temporary)>& write) {
    std::random_device random;
    const std::string suffix = ".tmp" + std::to_string(random() % 1000000);
    std::filesystem::path temporary = path;
    temporary += suffix;
    const auto removeTemporary = [&] {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
    };
    try {
        write(temporary);
    } catch (...) {
        removeTemporary();
        throw;
    }
    std::error_code renamed;
    std::filesystem::rename(temporary, path, renamed);
    if (renamed) {
        removeTemporary();
        throw FileNotWritten("无法写出文件 " + shownPath(path) + "：" + renamed.message());
    }
}

void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
    writeThroughTemporary(path, [&](const std::filesystem::path& temporary) {
        std::ofstream file(temporary, std::ios::binary);
        if (!file) {
            throw FileNotWritten("无法写出文件 " + shownPath(path) + "：" +
                                 std::error_code(errno, std::generic_category()).message());
        }
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        file.close();
        if (!file) throw FileNotWritten("无法写出文件 " + shownPath(path) + "：写入时出错");
    });
}

}  // namespace morvalen::files
