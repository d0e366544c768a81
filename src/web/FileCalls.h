// The page's files: an observation file opened, the table saved into one, the results exported. The page puts a
// file it opens into the browser's file system and offers a file written there for download.
#pragma once

#include <functional>
#include <nlohmann/json.hpp>
#include <string>

#include "entry/Observations.h"
#include "web/PageRun.h"

namespace morvalen::web {

// The rows of the observation file at `path` from `first`, at most `count` of them: {"keys": [xa, …], "rows":
// [{"id", "values": […]} or {"id", "problem"}], "total", "notes": […]}, the values of a row in the order of "keys"
// (given once, not in every row), "total" the rows of the file; or {"problem"} for a file that cannot be used. The file is read for the part from 0 and kept for the
// parts that follow, so that a large file comes in parts, each answered in a moment. `progress`, when given, is told
// the whole percentage of the file read as it grows.
inline constexpr std::size_t allRows = std::size_t(-1);
nlohmann::ordered_json openObservations(const std::string& path, std::size_t first = 0, std::size_t count = allRows,
                                        const std::function<void(int percent)>& progress = {});

// Adds the values of the table as one more row of the observation file at `path` (a new file where there is none):
// {"id"}, or {"problem"}.
nlohmann::ordered_json saveObservations(const std::string& path, const Observations& observations,
                                        const std::string& id);

// The eight angles of the field book at `path` for the table: {"observations": {…}} with b1..b8 (and the names
// of the stations where the table has none yet), or {"problem"}.
nlohmann::ordered_json openFieldBook(const std::string& path, const Observations& observations);

// Writes the results of a computation of the table to `path` in the format of its extension: {} or {"problem"}.
nlohmann::ordered_json exportResults(const std::string& path, const PageRun& run);

}  // namespace morvalen::web
