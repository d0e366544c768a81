#include "files/TextCodec.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <iconv.h>
#endif

#include <cerrno>

#include "files/Gb18030.h"
#include "i18n/Language.h"

namespace morvalen::files {
namespace {

#ifndef _WIN32
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

#endif

constexpr std::string_view euroInUtf8 = "\xE2\x82\xAC";

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

#ifdef _WIN32
namespace {

bool isUtf16(TextEncoding encoding) {
    return encoding == TextEncoding::utf16LittleEndian || encoding == TextEncoding::utf16BigEndian;
}

// The length of the longest start of `bytes` that holds whole characters of `encoding`; bytes that are no
// character at all count as whole, so that the conversion refuses them.
std::size_t wholeCharacters(std::string_view bytes, TextEncoding encoding) {
    if (isUtf16(encoding)) {
        std::size_t length = bytes.size() - bytes.size() % 2;
        if (length >= 2) {
            const std::size_t high = encoding == TextEncoding::utf16LittleEndian ? length - 1 : length - 2;
            const auto unit = static_cast<unsigned char>(bytes[high]);
            if (unit >= 0xD8 && unit <= 0xDB) length -= 2;  // a high surrogate waits for its pair
        }
        return length;
    }
    std::size_t at = 0;
    while (at < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        std::size_t length = 1;
        if (encoding == TextEncoding::gb18030) {
            if (lead >= 0x81 && lead <= 0xFE) {
                if (at + 1 >= bytes.size()) break;
                const auto second = static_cast<unsigned char>(bytes[at + 1]);
                length = second >= 0x30 && second <= 0x39 ? 4 : 2;
            }
        } else {
            length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 1;
            if (lead >= 0xF5) length = 1;
        }
        if (at + length > bytes.size()) break;
        at += length;
    }
    return at;
}

// GB 18030 is code page 54936 on Windows. Where a system lacks it (wine 8), code page 936 (GBK) reads and writes
// the two-byte characters of GB 18030, which hold every character of a Chinese name; a four-byte one is refused.
UINT codePage(TextEncoding encoding) {
    if (encoding != TextEncoding::gb18030) return CP_UTF8;
    static const UINT gb18030 = IsValidCodePage(54936) ? 54936 : 936;
    return gb18030;
}

std::wstring wideText(std::string_view bytes, TextEncoding encoding, std::size_t offset) {
    std::wstring wide;
    if (isUtf16(encoding)) {
        const bool little = encoding == TextEncoding::utf16LittleEndian;
        for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
            const auto first = static_cast<unsigned char>(bytes[at]), second = static_cast<unsigned char>(bytes[at + 1]);
            wide.push_back(static_cast<wchar_t>(little ? first | second << 8 : first << 8 | second));
        }
        return wide;
    }
    if (bytes.empty()) return wide;
    if (encoding == TextEncoding::gb18030) {
        // Code page 936's euro sign: the byte 0x80 where a character begins, which GB 18030 has no character for.
        std::size_t segment = 0;
        for (std::size_t at = 0; at < bytes.size();) {
            const auto lead = static_cast<unsigned char>(bytes[at]);
            if (lead == 0x80) {
                wide += wideText(bytes.substr(segment, at - segment), encoding, offset + segment);
                wide.push_back(static_cast<wchar_t>(0x20AC));
                segment = ++at;
                continue;
            }
            const bool fourBytes = at + 1 < bytes.size() && bytes[at + 1] >= 0x30 && bytes[at + 1] <= 0x39;
            at += lead >= 0x81 && lead <= 0xFE ? (fourBytes ? 4 : 2) : 1;
        }
        if (segment > 0) return wide + wideText(bytes.substr(segment), encoding, offset + segment);
    }
    const int units = MultiByteToWideChar(codePage(encoding), MB_ERR_INVALID_CHARS, bytes.data(),
                                          static_cast<int>(bytes.size()), nullptr, 0);
    if (units <= 0) throw InvalidText(i18n::translate("字节不是文字"), offset);
    wide.resize(static_cast<std::size_t>(units));
    MultiByteToWideChar(codePage(encoding), MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                        wide.data(), units);
    return wide;
}

std::string encodedWide(const std::wstring& wide, TextEncoding encoding, std::size_t offset) {
    std::string bytes;
    if (isUtf16(encoding)) {
        const bool little = encoding == TextEncoding::utf16LittleEndian;
        for (const wchar_t unit : wide) {
            const auto low = static_cast<char>(unit & 0xFF), high = static_cast<char>((unit >> 8) & 0xFF);
            bytes += little ? std::string{low, high} : std::string{high, low};
        }
        return bytes;
    }
    if (wide.empty()) return bytes;
    // An unpaired surrogate is no character. It is looked for here rather than with WC_ERR_INVALID_CHARS, which
    // code page 936 does not take.
    for (std::size_t at = 0; at < wide.size(); ++at) {
        const bool high = wide[at] >= 0xD800 && wide[at] <= 0xDBFF, low = wide[at] >= 0xDC00 && wide[at] <= 0xDFFF;
        const bool paired = at + 1 < wide.size() && wide[at + 1] >= 0xDC00 && wide[at + 1] <= 0xDFFF;
        if (low || (high && !paired)) throw InvalidText(i18n::translate("无法转换"), offset);
        if (high) ++at;
    }
    // Code page 936 puts a default character where it has none, and says so; 54936 has every character.
    const UINT page = codePage(encoding);
    const DWORD flags = page == 936 ? WC_NO_BEST_FIT_CHARS : 0;
    BOOL defaulted = FALSE;
    const int length = WideCharToMultiByte(page, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                           nullptr, page == 936 ? &defaulted : nullptr);
    if (length <= 0 || defaulted) throw InvalidText(i18n::translate("无法转换"), offset);
    bytes.resize(static_cast<std::size_t>(length));
    WideCharToMultiByte(page, flags, wide.data(), static_cast<int>(wide.size()), bytes.data(), length, nullptr,
                        nullptr);
    return bytes;
}

}  // namespace

TextConverter::TextConverter(TextEncoding encoding, bool toUtf8) : encoding_(encoding), toUtf8_(toUtf8) {}

TextConverter::~TextConverter() = default;

std::string TextConverter::convertPiece(std::string_view piece) {
    kept_.append(piece);
    const TextEncoding source = toUtf8_ ? encoding_ : TextEncoding::utf8;
    const TextEncoding target = toUtf8_ ? TextEncoding::utf8 : encoding_;
    const std::size_t whole = wholeCharacters(kept_, source);
    const std::string converted =
        encodedWide(wideText(std::string_view(kept_).substr(0, whole), source, offset_), target, offset_);
    offset_ += whole;
    kept_.erase(0, whole);
    return converted;
}

#else
TextConverter::TextConverter(TextEncoding encoding, bool toUtf8) : encoding_(encoding), toUtf8_(toUtf8) {
    converter_ = toUtf8_ ? iconv_open("UTF-8", iconvName(encoding_)) : iconv_open(iconvName(encoding_), "UTF-8");
    if (converter_ == reinterpret_cast<void*>(-1)) {
        converter_ = nullptr;
        // A C library that reads GB 18030 but cannot write it (the browser's): the program's own table writes it.
        if (encoding_ == TextEncoding::gb18030 && !toUtf8_) return;
        throw std::runtime_error(i18n::withArguments(i18n::translate("本机的 iconv 不能转换 %1 编码"), {encodingName(encoding)}));
    }
}

TextConverter::~TextConverter() {
    if (converter_) iconv_close(handle(converter_));
}

std::string TextConverter::convertPiece(std::string_view piece) {
    kept_.append(piece);
    if (!converter_) {
        const Gb18030Piece converted = gb18030FromUtf8(kept_, offset_);
        offset_ += converted.used;
        kept_.erase(0, converted.used);
        return converted.bytes;
    }
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
        if (errno == EILSEQ && toUtf8_ && encoding_ == TextEncoding::gb18030 && static_cast<unsigned char>(*from) == 0x80) {
            converted += euroInUtf8;  // code page 936's euro sign, a byte GB 18030 has no character for
            ++from;
            --fromLeft;
            continue;
        }
        const std::size_t offset = offset_ + static_cast<std::size_t>(from - kept_.data());
        throw InvalidText(errno == EILSEQ ? i18n::translate("字节不是文字") : i18n::translate("无法转换"), offset);
    }
    const std::size_t used = kept_.size() - fromLeft;
    offset_ += used;
    kept_.erase(0, used);
    return converted;
}

#endif

std::string TextConverter::convert(std::string_view piece) {
    if (encoding_ != TextEncoding::gb18030 || toUtf8_) return convertPiece(piece);
    // Into code page 936: each euro sign as its byte 0x80, the text between converted as it is.
    std::string converted;
    for (std::size_t euro = piece.find(euroInUtf8); euro != std::string_view::npos; euro = piece.find(euroInUtf8)) {
        converted += convertPiece(piece.substr(0, euro));
        converted += '\x80';
        offset_ += euroInUtf8.size();
        piece.remove_prefix(euro + euroInUtf8.size());
    }
    return converted + convertPiece(piece);
}

void TextConverter::finish() const {
    if (!kept_.empty()) throw InvalidText(i18n::translate("文件在一个字符的中间结束"), offset_);
}

std::string encodedText(std::string_view utf8, TextEncoding encoding) {
    TextConverter converter(encoding, false);
    std::string text = converter.convert(utf8);
    converter.finish();
    return text;
}

}  // namespace morvalen::files
