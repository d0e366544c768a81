// CASS coordinate data (.dat) in GB 18030.
#include "entry/Utf8.h"
#include "files/ResultExport.h"
#include "files/ResultTable.h"
#include "files/TextCodec.h"
#include "i18n/Language.h"

namespace morvalen::files {
using i18n::translate;
using i18n::withArguments;

namespace {

// The GB 18030 bytes of one character given in UTF-8; empty when it has none.
std::string gb18030Character(std::string_view utf8) {
    try {
        return encodedText(utf8, TextEncoding::gb18030);
    } catch (const InvalidText&) {
        return {};
    }
}

// A station name in GB 18030, refused when CASS could not read it back as the same name on its line.
std::string encodedName(const std::string& name) {
    std::string bytes;
    for (std::size_t at = 0; at < name.size();) {
        const auto lead = static_cast<unsigned char>(name[at]);
        // A malformed byte is a character of its own, which GB 18030 then refuses.
        const std::size_t length = utf8CharacterAt(name, at).length;
        const std::string_view utf8(name.data() + at, length);
        const auto refuse = [&](const char* pattern) {
            throw FileNotWritten(withArguments(translate(pattern), {escapedControls(name), escapedControls(utf8)}));
        };
        if (lead < 0x20 || lead == 0x7F || lead == ',') {
            refuse(i18n::catalogued("点名 \"%1\" 中的字符 \"%2\" 会拆开 CASS 的数据行（逗号、换行与控制字符不能用在点名中）"));
        }
        const std::string encoded = gb18030Character(utf8);
        if (encoded.empty()) refuse(i18n::catalogued("点名 \"%1\" 中的字符 \"%2\" 不能用 GB 18030 编码"));
        // Four-byte sequences lie outside code page 936, which CASS reads on a Chinese Windows.
        if (encoded.size() > 2) refuse(i18n::catalogued("点名 \"%1\" 中的字符 \"%2\" 在 GBK（代码页 936）中没有，CASS 读不出来"));
        bytes += encoded;
        at += length;
    }
    return bytes;
}

}  // namespace

std::string cassCoordinateData(const SurveyState& state) {
    std::string data;
    for (const Station& station : stations(state)) {
        // The digits, the comma and the point are ASCII, which GB 18030 keeps as they are.
        data += encodedName(station.name) + ",," + station.yText + "," + station.xText + ",0.000\r\n";
    }
    return data;
}

}  // namespace morvalen::files
