#include "files/CsvFile.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <memory>
#include <optional>

#include "entry/Utf8.h"
#include "files/AtomicFile.h"
#include "i18n/Language.h"

namespace morvalen::files {
namespace {

// Throws CampaignFileError naming a file that is no text at all: a workbook, UTF-16 without its byte-order mark.
void refuseOtherKinds(const EncodingDetector& detector) {
    const std::string_view start = detector.start();
    const char* kind = nullptr;
    if (start.starts_with("PK\x03\x04")) kind = i18n::translate("Excel 工作簿（.xlsx）或其他压缩文件");
    if (start.starts_with("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) kind = i18n::translate("Excel 97-2003 工作簿（.xls）");
    if (kind) {
        throw CampaignFileError(i18n::withArguments(
            i18n::translate("这是 %1，不是 CSV 文件：请在 Excel 中打开它，另存为“CSV（逗号分隔）”"), {kind}));
    }
    // A header begins with a letter: in UTF-16 one of its first two bytes is zero.
    const TextEncoding encoding = detector.encoding();
    if (encoding != TextEncoding::utf16LittleEndian && encoding != TextEncoding::utf16BigEndian &&
        start.size() >= 2 && (start[0] == '\0') != (start[1] == '\0')) {
        throw CampaignFileError(i18n::translate(
            "这是没有字节顺序标记（BOM）的 UTF-16 文件：请另存为 UTF-8，或带 BOM 的 UTF-16（Unicode 文本）"));
    }
}

// The rows of a file in a known encoding, decoded to UTF-8 piece by piece.
class CsvDecoder {
public:
    CsvDecoder(TextEncoding encoding, const HeaderReceiver& onHeader, const RowReceiver& onRow)
        : reader_(onHeader, onRow), skipped_(byteOrderMark(encoding).size()) {
        shape_.encoding = encoding;
        // UTF-8 goes to the parser as it is, with its byte-order mark, which the parser sets aside itself.
        if (encoding == TextEncoding::utf8 || encoding == TextEncoding::utf8WithByteOrderMark) skipped_ = 0;
        else converter_.emplace(encoding, true);
    }

    void read(std::string_view piece) {
        const std::size_t skip = std::min(skipped_, piece.size());
        skipped_ -= skip;
        piece.remove_prefix(skip);
        if (!converter_) {
            parse(piece);
            return;
        }
        try {
            const std::string text = converter_->convert(piece);
            parse(text);
        } catch (const InvalidText& invalid) {
            refuse(invalid.offset);
        }
    }

    CsvFileShape finish() {
        if (converter_) {
            try {
                converter_->finish();
            } catch (const InvalidText& invalid) {
                refuse(invalid.offset);
            }
        }
        reader_.finish();
        if (shape_.lineEnd.empty()) shape_.lineEnd = "\r\n";
        return shape_;
    }

private:
    CsvRowReader reader_;
    std::size_t skipped_;  // bytes of the byte-order mark still to set aside
    std::optional<TextConverter> converter_;
    CsvFileShape shape_ = {TextEncoding::utf8, "", true};

    void parse(std::string_view text) {
        if (text.empty()) return;
        if (shape_.lineEnd.empty()) {
            const std::size_t end = text.find_first_of("\r\n");
            if (end != std::string_view::npos && end + 1 < text.size()) {
                shape_.lineEnd = text.substr(end, 2) == "\r\n" ? "\r\n" : std::string(1, text[end]);
            }
        }
        shape_.endsWithLineEnd = text.back() == '\n' || text.back() == '\r';
        reader_.read(text);
    }

    [[noreturn]] void refuse(std::size_t offset) const {
        throw CampaignFileError(
            i18n::withArguments(i18n::translate("文件既不是 UTF-8 也不是 GB 18030 编码的文字（第 %1 个字节起）"),
                                {std::to_string(offset + byteOrderMark(shape_.encoding).size() + 1)}));
    }
};

constexpr std::size_t pieceSize = 1 << 16;  // bytes read at a time: a piece that stays in the cache

// Calls `use` with every piece of the file; throws FileNotRead.
void readPieces(const std::filesystem::path& path, const std::function<void(std::string_view)>& use) {
    std::error_code status;
    if (std::filesystem::is_directory(path, status)) throw FileNotRead(readReason(EISDIR));
    std::ifstream file(path, std::ios::binary);
    if (!file) throw FileNotRead(readReason(errno));
    std::vector<char> piece(pieceSize);
    while (file.read(piece.data(), static_cast<std::streamsize>(piece.size())) || file.gcount() > 0) {
        use(std::string_view(piece.data(), static_cast<std::size_t>(file.gcount())));
    }
    if (file.bad()) throw FileNotRead(readReason(EIO));
}

}  // namespace

CsvFileShape readCsvFile(const std::filesystem::path& path, const HeaderReceiver& onHeader, const RowReceiver& onRow,
                         TextEncoding* decided, const ReadProgress& progress) {
    std::error_code status;
    if (!std::filesystem::is_regular_file(path, status) && std::filesystem::exists(path, status) &&
        !std::filesystem::is_directory(path, status)) {
        // A pipe (/dev/stdin) can be read only once: its bytes are kept, then decided on and read.
        std::string bytes;
        readPieces(path, [&](std::string_view piece) { bytes.append(piece); });
        EncodingDetector detector;
        detector.read(bytes);
        refuseOtherKinds(detector);
        if (decided) *decided = detector.encoding();
        return readCsvBytes(bytes, onHeader, onRow);
    }
    EncodingDetector detector;
    readPieces(path, [&](std::string_view piece) { detector.read(piece); });
    refuseOtherKinds(detector);
    if (decided) *decided = detector.encoding();
    CsvDecoder decoder(detector.encoding(), onHeader, onRow);
    const auto size = static_cast<double>(std::filesystem::file_size(path, status));
    double read = 0;
    readPieces(path, [&](std::string_view piece) {
        decoder.read(piece);
        read += static_cast<double>(piece.size());
        if (progress && size > 0) progress(std::min(read / size, 1.0));
    });
    return decoder.finish();
}

CsvFileShape readCsvBytes(std::string_view bytes, const HeaderReceiver& onHeader, const RowReceiver& onRow) {
    EncodingDetector detector;
    detector.read(bytes);
    refuseOtherKinds(detector);
    CsvDecoder decoder(detector.encoding(), onHeader, onRow);
    decoder.read(bytes);
    return decoder.finish();
}

CsvTable readCsv(std::string_view bytes) {
    CsvTable table;
    readCsvBytes(
        bytes, [&](const std::vector<std::string>& header) { table.header = header; },
        [&](const TableRow& row) { table.rows.push_back(row); });
    return table;
}

std::string readTextFile(const std::filesystem::path& path) {
    std::string bytes;
    readPieces(path, [&](std::string_view piece) { bytes.append(piece); });
    EncodingDetector detector;
    detector.read(bytes);
    refuseOtherKinds(detector);
    try {
        return decodedText(bytes);
    } catch (const InvalidText& invalid) {
        throw CampaignFileError(
            i18n::withArguments(i18n::translate("文件既不是 UTF-8 也不是 GB 18030 编码的文字（第 %1 个字节起）"),
                                {std::to_string(invalid.offset + 1)}));
    }
}

}  // namespace morvalen::files
