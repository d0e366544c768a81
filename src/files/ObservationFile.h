// Observation files: the campaign CSV of the batch, one data set a row, opened for one run and extended by a run.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "files/CsvFile.h"
#include "files/ObservationTable.h"
#include "files/TextCodec.h"

namespace morvalen::files {

// An observation file that cannot be used, with a message naming the file and the reason: a missing or unreadable
// file, a file that is no campaign, an unknown row id, a row that is not a data set.
class ObservationFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One data set of an observation file, with the columns of its header.
struct ObservationRow {
    ColumnMap columns;
    TableRow row;
    std::string id;  // the row's id, empty without an id column
};

// The header's columns and every row of an observation file, with the notes a reader should see once: the
// columns read past, an encoding other than UTF-8. Throws ObservationFileError. `progress`, when given, is told the
// share of the file read.
struct ObservationFileRows {
    ColumnMap columns;
    std::vector<TableRow> rows;
    std::vector<std::string> notes;
};
ObservationFileRows readObservationFile(const std::filesystem::path& path, const ReadProgress& progress = {});

// The row at `index` of the file read from `path`; throws ObservationFileError for a row that is not a data set.
ObservationRow observationRow(const ObservationFileRows& file, std::size_t index, const std::filesystem::path& path);

// The row with the id `id`; without an id, the only or first row. Throws ObservationFileError, also for an id that
// two rows hold (naming both). `notes` receives the notes of the file.
ObservationRow openObservationRow(const std::filesystem::path& path, const std::optional<std::string>& id,
                                  std::vector<std::string>* notes = nullptr);

// The notes of a file read: its columns read past, once, and an encoding other than UTF-8.
std::vector<std::string> readingNotes(const std::filesystem::path& path, const ColumnMap& columns,
                                      TextEncoding encoding);

// Adds the values of a run to the observation file at `path` through a temporary file: a new file with the full
// header when there is none (or it is empty), in UTF-8 with a byte-order mark so that a spreadsheet opens it right;
// otherwise one more row in the file's own column order, encoding and line ends (empty in columns of the
// surveyor's own), a value that the file's encoding cannot hold refused with its column. The row's id
// is `id` when the file does not hold it yet, otherwise the first whole number from 1 on that it does not hold.
// Returns the id given. Throws ObservationFileError for an existing file that is no campaign or lacks a column a
// value needs, FileNotWritten when the file cannot be written. With `replaceFile` the file is written afresh, as if
// there were none, and holds this one data set.
std::string saveObservations(const std::filesystem::path& path, const Observations& values,
                             const std::string& id, bool replaceFile = false);

// Sets the values given (those not empty) in the row of the observation file whose id is `id`, keeping its other
// cells, and writes the file again through a temporary file (every row as CSV, CRLF, a byte-order mark kept).
// Returns false, writing nothing, when the file or the row does not exist. Throws as saveObservations, and
// ObservationFileError for a row that is not a data set.
bool fillObservationRow(const std::filesystem::path& path, const Observations& values, const std::string& id);

}  // namespace morvalen::files
