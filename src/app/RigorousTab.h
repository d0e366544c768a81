// The tab 严密平差 of the checks window: the field book's directions and distances adjusted by least squares on the
// coordinates, beside the classical result of the same run: σ0 and the global test, the stations with their σ and
// ellipses, rigorous − classical with the sentence on it, every observation with its residual, redundancy number and
// w-test, and the plot with both sets of ellipses.
#pragma once

#include <QWidget>

#include "analysis/NetworkPrecision.h"
#include "rigorous/RigorousNetwork.h"

class QVBoxLayout;

namespace morvalen::app {

class RigorousTab : public QWidget {
    Q_OBJECT

public:
    RigorousTab(const rigorous::RigorousRun& run, const analysis::NetworkPrecision& classical, QWidget* parent);

private:
    void buildSummary(const rigorous::RigorousRun& run, QVBoxLayout* layout);
    void buildStations(const rigorous::RigorousRun& run, QVBoxLayout* layout);
    void buildDifferences(const rigorous::RigorousRun& run, QVBoxLayout* layout);
    void buildObservations(const rigorous::RigorousRun& run, QVBoxLayout* layout);
};

}  // namespace morvalen::app
