#include "i18n/MessageCatalogue.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

namespace morvalen::i18n {
namespace {

// The header of a .mo file: magic number, revision, number of strings, offsets of the table of original strings and
// of the table of translations; each table entry is a length and an offset, 32-bit words in the writer's byte order.
constexpr std::uint32_t magic = 0x950412de;
constexpr std::uint32_t swappedMagic = 0xde120495;

std::uint32_t swapped(std::uint32_t value) {
    return (value >> 24) | ((value >> 8) & 0xff00) | ((value << 8) & 0xff0000) | (value << 24);
}

}  // namespace

std::optional<MessageCatalogue> MessageCatalogue::read(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return fromBytes(std::move(bytes).str());
}

std::optional<MessageCatalogue> MessageCatalogue::fromBytes(std::string bytes) {
    MessageCatalogue catalogue(std::move(bytes));
    if (catalogue.bytes_.size() < 20) return std::nullopt;
    const std::uint32_t first = catalogue.word(0);
    if (first != magic && first != swappedMagic) return std::nullopt;
    catalogue.swapped_ = first == swappedMagic;
    catalogue.count_ = catalogue.word(8);
    catalogue.originals_ = catalogue.word(12);
    catalogue.translations_ = catalogue.word(16);
    const std::uint64_t tableBytes = std::uint64_t{catalogue.count_} * 8;
    const std::size_t size = catalogue.bytes_.size();
    if (catalogue.originals_ + tableBytes > size || catalogue.translations_ + tableBytes > size) return std::nullopt;
    return catalogue;
}

std::uint32_t MessageCatalogue::word(std::size_t offset) const {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes_.data() + offset, sizeof value);
    return swapped_ ? swapped(value) : value;
}

std::optional<std::string_view> MessageCatalogue::entry(std::uint32_t table, std::uint32_t index) const {
    const std::uint32_t length = word(table + std::size_t{index} * 8);
    const std::uint32_t offset = word(table + std::size_t{index} * 8 + 4);
    if (std::uint64_t{offset} + length >= bytes_.size()) return std::nullopt;
    return std::string_view(bytes_.data() + offset, length);
}

const char* MessageCatalogue::find(const char* key) const {
    // msgfmt sorts the original strings bytewise: a binary search. An original with a plural form holds both
    // forms separated by NUL; the key is compared with the first.
    const std::string_view wanted(key);
    std::uint32_t low = 0;
    std::uint32_t high = count_;
    while (low < high) {
        const std::uint32_t middle = low + (high - low) / 2;
        const std::optional<std::string_view> original = entry(originals_, middle);
        if (!original) return nullptr;
        const std::string_view singular = original->substr(0, original->find('\0'));
        const int order = singular.compare(wanted);
        if (order == 0) {
            const std::optional<std::string_view> translation = entry(translations_, middle);
            return translation && !translation->empty() ? translation->data() : nullptr;
        }
        if (order < 0) low = middle + 1;
        else high = middle;
    }
    return nullptr;
}

}  // namespace morvalen::i18n
