// A compiled message catalogue (GNU gettext's .mo file, as msgfmt writes it) read without libintl, for a C library
// that has none (the browser's): the same file, the same keys (a text in a context is "context\004text").
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace morvalen::i18n {

class MessageCatalogue {
public:
    // The catalogue in the file; nothing when the file cannot be read or is not a well-formed catalogue.
    static std::optional<MessageCatalogue> read(const std::filesystem::path& file);
    static std::optional<MessageCatalogue> fromBytes(std::string bytes);

    // The translation of the key; null when the catalogue has none (or only an empty one).
    const char* find(const char* key) const;

private:
    explicit MessageCatalogue(std::string bytes) : bytes_(std::move(bytes)) {}
    std::uint32_t word(std::size_t offset) const;
    // The string of entry `index` of the table at `table`: its offset and length, checked against the file's size.
    std::optional<std::string_view> entry(std::uint32_t table, std::uint32_t index) const;

    std::string bytes_;
    bool swapped_ = false;  // written on a machine of the other byte order
    std::uint32_t count_ = 0;
    std::uint32_t originals_ = 0;
    std::uint32_t translations_ = 0;
};

}  // namespace morvalen::i18n
