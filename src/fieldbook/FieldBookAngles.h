// The eight angles of a computation given by a field book.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "entry/Observations.h"
#include "fieldbook/DirectionReduction.h"

namespace morvalen::fieldbook {

// Holds the pointings of a field book that reduces. When b(1) is asked, the book is reduced again with the four
// station names typed by then (A, P1, P2 and the fourth station: B, or P3 in the azimuth case), so that b(1)..b(8)
// follow the names as typed, whatever order the book lists its stations in.
class FieldBookAngles {
public:
    // Throws FieldBookError when the pointings do not reduce (in the order the book names its stations).
    explicit FieldBookAngles(std::vector<Pointing> pointings, const analysis::DirectionMethodLimits& limits);

    // b(k + 1), dd.mmss. Throws RunStopped when the names typed are not the book's stations, clockwise.
    std::string angle(const Observations& typed, std::size_t k);

    // The reduction whose angles were given, once b(1) has been asked in the current run.
    const std::optional<FieldBookReduction>& used() const { return used_; }
    // The reduction in the order the book names its stations, as it is shown before a run.
    const FieldBookReduction& reduction() const { return reduction_; }

private:
    std::vector<Pointing> pointings_;
    const analysis::DirectionMethodLimits* limits_;
    FieldBookReduction reduction_;
    std::optional<FieldBookReduction> used_;
};

}  // namespace morvalen::fieldbook
