#include "files/TextCodec.h"

#include <iconv.h>

#include <cerrno>

namespace morvalen::files {
namespace {

const char* iconvName(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::utf8:
    case TextEncoding::utf8WithByteOrderMark: return "UTF-8";
    case TextEncoding::gb18030: return "GB18030";
    case TextEncoding::utf16LittleEndian: return "UTF-16LE";
    case TextEncoding::utf16BigEndian: return "UTF-16BE";
    }
    return "UTF-8";
}

iconv_t handle(void* converter) { return static_cast<iconv_t>(converter); }

}  // namespace

std::string encodingName(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::utf8:
    case TextEncoding::utf8WithByteOrderMark: return "UTF-8";
    case TextEncoding::gb18030: return "GB 18030";
    case TextEncoding::utf16LittleEndian:
    case TextEncoding::utf16BigEndian: return "UTF-16";
    }
    return "UTF-8";
}

std::string_view byteOrderMark(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::utf8WithByteOrderMark: return "\xEF\xBB\xBF";
    case TextEncoding::utf16LittleEndian: return "\xFF\xFE";
    case TextEncoding::utf16BigEndian: return "\xFE\xFF";
    default: return {};
    }
}

TextConverter::TextConverter(TextEncoding encoding, bool toUtf8)
    : converter_(toUtf8 ? iconv_open("UTF-8", iconvName(encoding)) : iconv_open(iconvName(encoding), "UTF-8")) {
    if (converter_ == reinterpret_cast<void*>(-1)) {
        throw std::runtime_error("本机的 iconv 不能转换 " + encodingName(encoding) + " 编码");
    }
}

TextConverter::~TextConverter() { iconv_close(handle(converter_)); }

std::string TextConverter::convert(std::string_view piece) {
    kept_.append(piece);
    std::string converted;
    char* from = kept_.data();
    std::size_t fromLeft = kept_.size();
    char buffer[4096];
    while (fromLeft > 0) {
        char* to = buffer;
        std::size_t toLeft = sizeof buffer;
        const std::size_t result = iconv(handle(converter_), &from, &fromLeft, &to, &toLeft);
        converted.append(buffer, static_cast<std::size_t>(to - buffer));
        if (result != static_cast<std::size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        if (errno == EINVAL) break;  // a character cut at the end of the piece
        const std::size_t offset = offset_ + static_cast<std::size_t>(from - kept_.data());
        throw InvalidText(errno == EILSEQ ? "字节不是文字" : "无法转换", offset);
    }
    const std::size_t used = kept_.size() - fromLeft;
    offset_ += used;
    kept_.erase(0, used);
    return converted;
}

void TextConverter::finish() const {
    if (!kept_.empty()) throw InvalidText("文件在一个字符的中间结束", offset_);
}

std::string encodedText(std::string_view utf8, TextEncoding encoding) {
    TextConverter converter(encoding, false);
    std::string text = converter.convert(utf8);
    converter.finish();
    return text;
}

}  // namespace morvalen::files
