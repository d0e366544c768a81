// The tab 严密平差 of the checks window: the field book's directions and distances adjusted by least squares on the
// coordinates, beside the classical result of the same run: σ0 and the global test, the stations with their σ and
// ellipses, rigorous − classical with the sentence on it, every observation with its residual, redundancy number and
// w-test, and the plot with both sets of ellipses. Above them the a priori σ of a direction and of a distance, which
// the surveyor may change and adjust again.
#pragma once

#include <QWidget>
#include <functional>

#include "analysis/NetworkPrecision.h"
#include "rigorous/RigorousNetwork.h"

class QLabel;
class QLineEdit;
class QVBoxLayout;

namespace morvalen::app {

class RigorousTab : public QWidget {
    Q_OBJECT

public:
    // The book's adjustment with other a priori σ (throws rigorous::RigorousError).
    using Readjust = std::function<rigorous::RigorousRun(const rigorous::ObservationSigmas&)>;

    RigorousTab(const rigorous::RigorousRun& run, const analysis::NetworkPrecision& classical, Readjust readjust,
                QWidget* parent);

private:
    // The σ typed, adjusted again and shown; a σ that is no number in its range is refused in the line below.
    void adjustAgain();
    void showResults(const rigorous::RigorousRun& run);
    void buildSummary(const rigorous::RigorousRun& run, QVBoxLayout* layout);
    void buildStations(const rigorous::RigorousRun& run, QVBoxLayout* layout);
    void buildDifferences(const rigorous::RigorousRun& run, QVBoxLayout* layout);
    void buildObservations(const rigorous::RigorousRun& run, QVBoxLayout* layout);

    const analysis::NetworkPrecision& classical_;
    Readjust readjust_;
    QLineEdit* directionSigma_;
    QLineEdit* distanceSigma_;
    QLabel* refusal_;
    QWidget* results_ = nullptr;
};

}  // namespace morvalen::app
