// Which encoding a text file is in, decided from its bytes, and a whole text read as UTF-8. Needs no file library:
// the replies of a run are read with it on every platform, the observation files with it where they are built.
#pragma once

#include <string>
#include <string_view>

#include "files/TextCodec.h"

namespace morvalen::files {

// Decides the encoding of a file from all of its bytes, read in pieces: a byte-order mark names it; otherwise the
// file is UTF-8 when every byte is, GB 18030 (Excel's CSV on a Chinese Windows) when not.
class EncodingDetector {
public:
    void read(std::string_view piece);
    TextEncoding encoding() const;
    // The first bytes of the file, enough to recognise a workbook or UTF-16 without its byte-order mark.
    std::string_view start() const { return start_; }

private:
    static constexpr std::size_t startSize = 8;
    std::string start_;
    std::string carried_;
    bool utf8_ = true;
};

// The bytes of a whole text file that is no table (the replies of a run) as UTF-8, its encoding decided as a CSV
// file's and its byte-order mark set aside. Throws InvalidText with the offset of the first byte that is text in
// none of the encodings read here.
std::string decodedText(std::string_view bytes);

}  // namespace morvalen::files
