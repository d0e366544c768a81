// CASS coordinate data (.dat) in GB 18030, converted with the C library's iconv; on Windows, which has no iconv,
// with its own code page 936.
#if __has_include(<iconv.h>)
#include <iconv.h>
#define MORVALEN_HAS_ICONV 1
#elif defined(_WIN32)
#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

#include <cerrno>
#include <memory>

#include "files/ResultExport.h"
#include "files/ResultTable.h"

namespace morvalen::files {
namespace {

// Bytes of the UTF-8 sequence that begins with `lead`; 1 for a byte that begins none, which iconv then refuses.
std::size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead < 0xF8) return 4;
    if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
    if (lead >= 0xC0) return 2;
    return 1;
}

#ifdef MORVALEN_HAS_ICONV
class Gb18030Encoder {
public:
    Gb18030Encoder() : converter_(iconv_open("GB18030", "UTF-8")) {
        if (converter_ == reinterpret_cast<iconv_t>(-1)) {
            throw FileNotWritten("没有写出 CASS 坐标文件：本机的 iconv 没有 GB 18030 编码");
        }
    }
    ~Gb18030Encoder() { iconv_close(converter_); }
    Gb18030Encoder(const Gb18030Encoder&) = delete;
    Gb18030Encoder& operator=(const Gb18030Encoder&) = delete;

    // The GB 18030 bytes of one character given in UTF-8; empty when it has none.
    std::string character(std::string_view utf8) {
        char in[4], out[8];
        utf8.copy(in, sizeof in);
        char* from = in;
        char* to = out;
        std::size_t fromLeft = utf8.size(), toLeft = sizeof out;
        iconv(converter_, nullptr, nullptr, nullptr, nullptr);
        if (iconv(converter_, &from, &fromLeft, &to, &toLeft) == static_cast<std::size_t>(-1) || fromLeft != 0) {
            return {};
        }
        return std::string(out, static_cast<std::size_t>(to - out));
    }

private:
    iconv_t converter_;
};
#elif defined(_WIN32)
// Windows' code page 936 (GBK), the one CASS reads: the two-byte part of GB 18030 that the refusals below keep.
class Gb18030Encoder {
public:
    // The code page 936 bytes of one character given in UTF-8; empty when the UTF-8 is broken. A character outside
    // code page 936 has a four-byte sequence in GB 18030; four bytes stand for it, which the caller refuses as such.
    std::string character(std::string_view utf8) {
        wchar_t wide[2];
        const int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                              static_cast<int>(utf8.size()), wide, 2);
        if (units <= 0) return {};
        char out[8];
        BOOL outside = FALSE;
        const int bytes = WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, wide, units, out, sizeof out, nullptr,
                                              &outside);
        if (bytes <= 0 || outside) return std::string(4, '?');
        return std::string(out, static_cast<std::size_t>(bytes));
    }
};
#endif

// A station name in GB 18030, refused when CASS could not read it back as the same name on its line.
std::string encodedName(const std::string& name, Gb18030Encoder& encoder) {
    std::string bytes;
    for (std::size_t at = 0; at < name.size();) {
        const auto lead = static_cast<unsigned char>(name[at]);
        const std::size_t length = std::min(sequenceLength(lead), name.size() - at);
        const std::string_view utf8(name.data() + at, length);
        const std::string refused = "点名 \"" + name + "\" 中的字符 \"" + std::string(utf8) + "\" ";
        if (lead < 0x20 || lead == 0x7F || lead == ',') {
            throw FileNotWritten(refused + "会拆开 CASS 的数据行（逗号、换行与控制字符不能用在点名中）");
        }
        const std::string encoded = encoder.character(utf8);
        if (encoded.empty()) throw FileNotWritten(refused + "不能用 GB 18030 编码");
        // Four-byte sequences lie outside code page 936, which CASS reads on a Chinese Windows.
        if (encoded.size() > 2) throw FileNotWritten(refused + "在 GBK（代码页 936）中没有，CASS 读不出来");
        bytes += encoded;
        at += length;
    }
    return bytes;
}

}  // namespace

std::string cassCoordinateData(const SurveyState& state) {
    Gb18030Encoder encoder;
    std::string data;
    for (const Station& station : stations(state)) {
        // The digits, the comma and the point are ASCII, which GB 18030 keeps as they are.
        data += encodedName(station.name, encoder) + ",," + station.yText + "," + station.xText + ",0.000\r\n";
    }
    return data;
}

}  // namespace morvalen::files
