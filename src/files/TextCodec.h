// Conversion between the encodings of the files surveyors have and UTF-8, the program's own, through the C
// library's iconv; on Windows, which has none, through the system's own conversions (code page 54936 is GB 18030).
// Where the C library reads GB 18030 but cannot write it (the browser's), the program writes it from its own table.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace morvalen::files {

// The encodings a text file is read in: UTF-8 (with or without a byte-order mark), GB 18030 (which holds GBK and
// code page 936, the CSV of Excel on a Chinese Windows) and UTF-16 with its byte-order mark. The euro sign is written
// and read as code page 936 has it, the one byte 0x80, which Excel writes and CASS reads; GB 18030 would give A2 E3.
enum class TextEncoding { utf8, utf8WithByteOrderMark, gb18030, utf16LittleEndian, utf16BigEndian };

// The encoding's name for a message: "UTF-8", "GB 18030", "UTF-16".
std::string encodingName(TextEncoding encoding);

// The byte-order mark a file of the encoding begins with; empty for UTF-8 without one and for GB 18030.
std::string_view byteOrderMark(TextEncoding encoding);

// Bytes that are not text in the encoding they are read or written in. `offset` counts the bytes before them in
// everything the converter was given.
class InvalidText : public std::runtime_error {
public:
    InvalidText(const std::string& message, std::size_t offset) : std::runtime_error(message), offset(offset) {}
    std::size_t offset;
};

// One direction of conversion, for a text that may arrive in pieces cut anywhere, even inside a character.
class TextConverter {
public:
    // From `encoding` to UTF-8 when `toUtf8`, from UTF-8 to it otherwise. The byte-order mark is not converted.
    TextConverter(TextEncoding encoding, bool toUtf8);
    ~TextConverter();
    TextConverter(const TextConverter&) = delete;
    TextConverter& operator=(const TextConverter&) = delete;

    // The converted text of the piece; a character cut at its end is kept for the next piece. Throws InvalidText
    // for bytes that are no character of the source encoding, or a character the target encoding cannot hold.
    std::string convert(std::string_view piece);
    // Throws InvalidText when the text ended inside a character.
    void finish() const;

private:
    // The conversion itself; convert() adds the euro sign of code page 936 around it.
    std::string convertPiece(std::string_view piece);

    TextEncoding encoding_;
    bool toUtf8_;
    void* converter_ = nullptr;  // iconv_t; null where GB 18030 is written from the program's table, and on Windows
    std::string kept_;
    std::size_t offset_ = 0;
};

// A whole text converted at once from UTF-8 to `encoding` (without a byte-order mark). Throws InvalidText.
std::string encodedText(std::string_view utf8, TextEncoding encoding);

}  // namespace morvalen::files
