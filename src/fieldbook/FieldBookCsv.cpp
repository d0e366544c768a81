#include "fieldbook/FieldBookCsv.h"

#include "analysis/ChecksText.h"
#include "files/AtomicFile.h"
#include "files/CsvText.h"
#include "files/TextCodec.h"

namespace morvalen::fieldbook {
namespace {

std::string metres(const std::optional<double>& value) { return value ? analysis::decimalText(*value, 4) : std::string(); }

std::string zenith(const std::optional<double>& seconds) { return seconds ? packedAngleText(*seconds) : std::string(); }

}  // namespace

std::string fieldBookCsv(const std::vector<Pointing>& pointings) {
    std::string text(files::byteOrderMark(files::TextEncoding::utf8WithByteOrderMark));
    text += files::csvLine({std::begin(writtenFieldBookColumns), std::end(writtenFieldBookColumns)});
    for (const Pointing& pointing : pointings) {
        const FaceMeasurement& left = pointing.faces[0];
        const FaceMeasurement& right = pointing.faces[1];
        text += files::csvLine({pointing.station, pointing.round, pointing.target, pointing.left, pointing.right,
                                pointing.distance, metres(left.slopeDistance), zenith(left.zenith),
                                metres(right.slopeDistance), zenith(right.zenith), metres(pointing.targetHeight),
                                metres(pointing.instrumentHeight)});
    }
    return text;
}

void saveFieldBook(const std::filesystem::path& path, const std::vector<Pointing>& pointings,
                   const std::filesystem::path& input) {
    files::checkOutputPath(path, {input});
    files::writeBytes(path, fieldBookCsv(pointings));
}

}  // namespace morvalen::fieldbook
