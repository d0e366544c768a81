#include "files/TextDecoding.h"

#include "entry/Utf8.h"

namespace morvalen::files {
namespace {

// The length of the text without a UTF-8 sequence cut at its end, which the next piece completes.
std::size_t withoutCutSequence(std::string_view text) {
    for (std::size_t back = 1; back <= 4 && back <= text.size(); ++back) {
        const auto byte = static_cast<unsigned char>(text[text.size() - back]);
        if ((byte & 0xC0) == 0x80) continue;  // a continuation byte: look further back for its lead
        const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return length > back ? text.size() - back : text.size();
    }
    return text.size();
}

}  // namespace

void EncodingDetector::read(std::string_view piece) {
    if (start_.size() < startSize) start_.append(piece.substr(0, startSize - start_.size()));
    if (!utf8_) return;
    carried_.append(piece);
    const std::size_t complete = withoutCutSequence(carried_);
    utf8_ = isValidUtf8(std::string_view(carried_).substr(0, complete));
    carried_.erase(0, complete);
}

TextEncoding EncodingDetector::encoding() const {
    const std::string_view start = start_;
    if (start.starts_with(byteOrderMark(TextEncoding::utf8WithByteOrderMark))) return TextEncoding::utf8WithByteOrderMark;
    if (start.starts_with(byteOrderMark(TextEncoding::utf16LittleEndian))) return TextEncoding::utf16LittleEndian;
    if (start.starts_with(byteOrderMark(TextEncoding::utf16BigEndian))) return TextEncoding::utf16BigEndian;
    return utf8_ && carried_.empty() ? TextEncoding::utf8 : TextEncoding::gb18030;
}

std::string decodedText(std::string_view bytes) {
    EncodingDetector detector;
    detector.read(bytes);
    const TextEncoding encoding = detector.encoding();
    const std::size_t mark = byteOrderMark(encoding).size();
    bytes.remove_prefix(mark);
    if (encoding == TextEncoding::utf8 || encoding == TextEncoding::utf8WithByteOrderMark) return std::string(bytes);
    TextConverter converter(encoding, true);
    try {
        std::string text = converter.convert(bytes);
        converter.finish();
        return text;
    } catch (const InvalidText& invalid) {
        throw InvalidText(invalid.what(), invalid.offset + mark);
    }
}

}  // namespace morvalen::files
