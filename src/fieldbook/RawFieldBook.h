// Total-station raw files read as field books: Leica GSI-8 and GSI-16, Sokkia SDR33, and the GTS-7 style raw
// records (JOB, UNITS, STN, BS/FS/SS, HV/SD/HD) that many instruments write.
//
// Every reader turns the file into the pointings of a field book (station, round, target, face I and face II
// readings as dd.mmss to 0.1″), with each face's slope distance and zenith angle, and the heights of target and
// instrument where the file gives them. The rounds follow the book as it is observed: face I in order, then face II
// in reverse; a round ends when face I follows face II. Face II is the pointing whose zenith angle exceeds 180°; it
// belongs to the last face I pointing at the same target in the round that has no face II yet. The horizontal
// distance of a face is slope distance × sin(zenith) (a GSI block with only a horizontal distance gives it as it is);
// a pointing's `distance` is the mean over its faces, in metres to 0.1 mm.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fieldbook/DirectionReduction.h"

namespace morvalen::fieldbook {

// The units a raw file writes angles in: gon (400 to the circle), decimal degrees, packed degrees ddd.mmss, mil
// (6400 to the circle).
enum class AngleUnit { gon, degrees, packedDegrees, mil };

inline constexpr double metresPerFoot = 0.3048;  // the international foot

// Throws FieldBookError "第 N 行：reason".
[[noreturn]] void refuseLine(std::size_t line, const std::string& reason);

// The angle written as decimal text in `unit`, in seconds of arc; nullopt when the text is no number, or a packed
// angle has 60 or more minutes or seconds.
std::optional<double> angleSeconds(std::string_view text, AngleUnit unit);

// A length written as decimal text; nullopt when it is no number.
std::optional<double> lengthValue(std::string_view text);

// One face of one pointing as a raw file records it.
struct RawObservation {
    std::size_t line = 0;
    std::string target;
    double horizontal = 0;               // the horizontal circle reading, seconds of arc
    std::optional<double> zenith;        // seconds of arc
    std::optional<double> slopeDistance, horizontalDistance, targetHeight;  // metres
};

// Gathers the stations and observations of a raw file, in file order, into the pointings of a field book.
class RawBookBuilder {
public:
    // A station is set up (again): the rounds that follow are its next rounds.
    void startStation(std::size_t line, const std::string& name, std::optional<double> instrumentHeight);
    // Throws FieldBookError for an observation before any station, without a zenith angle (its face cannot be told),
    // with a zenith angle outside 0..360°, or a face II with no face I at the same target in the round.
    void observe(const RawObservation& observation);
    // Whether a station has been set up.
    bool hasStation() const { return !station_.empty(); }
    const std::string& station() const { return station_; }
    // The pointings; throws FieldBookError when the file held no observation.
    std::vector<Pointing> take();

private:
    std::vector<Pointing> pointings_;
    std::vector<std::pair<std::string, int>> lastRounds_;  // each station's last round so far
    std::string station_;
    std::optional<double> instrumentHeight_;
    int round_ = 0;
    bool onFaceTwo_ = false;
    std::size_t roundStart_ = 0;  // the first pointing of the current round
};

// The readers, each from the lines of a whole file (decoded, line ends removed); line numbers count from 1.
std::vector<Pointing> gsiFieldBook(const std::vector<std::string>& lines);
std::vector<Pointing> sdrFieldBook(const std::vector<std::string>& lines);
std::vector<Pointing> gtsRawFieldBook(const std::vector<std::string>& lines);

enum class RawFormat { gsi, sdr33, gtsRaw };

// The raw format of a file by its content (the first line that is not blank); nullopt for any other file.
std::optional<RawFormat> rawFormatOf(const std::vector<std::string>& lines);

// The pointings of the raw file at `path`; nullopt when its content is no raw format and its extension names none
// (a CSV field book). Throws FieldBookError for a file that cannot be read, a raw file refused at one of its lines,
// and a file whose extension names another format than its content (.gsi, .sdr, .raw, .csv).
std::optional<std::vector<Pointing>> readRawFieldBook(const std::filesystem::path& path);

}  // namespace morvalen::fieldbook
