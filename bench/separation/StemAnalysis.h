// What an effect's output holds of each stem of a test mix.
//
// Energy left: the output is explained, per frequency, as every stem's
// channels through their own short filter (1024-sample frames, half
// overlapped: the filters are a few hundred taps long); a stem's energy left
// is the energy of its filtered part over its own. A stem kept only in some
// frequencies thus counts at its true energy, where the plain gain (the
// projection of the output on the stem) overstates a band-limited removal.
// All stems are fitted together, so that one stem's chance likeness to
// another does not count as what is left of it.
#pragma once

#include <complex>
#include <vector>

#include "bench/separation/Stems.h"

namespace separation {

struct StemResult {
    double gainDb;        // least-squares gain of the stem in the output
    double energyLeftDb;  // energy of the stem left in the output
};

struct OutputResult {
    std::vector<StemResult> stems;  // in the mix's order
    double othersLeftDb;            // energy left of all but the voice together
    double siSdrDb;                 // against the target (see analyse)
    double correlation;             // of the output's two channels
};

class StemAnalysis {
public:
    // Measures from `from` seconds on; output must be aligned to the mix.
    StemAnalysis(const TestMix& mix, double from);
    // target: the instrument-only mix (removal) or the voice (isolation).
    OutputResult analyse(const StereoSignal& output, bool isolation) const;

private:
    using Spectra = std::vector<std::complex<double>>;  // frame x bin
    Spectra spectraOf(const std::vector<float>& signal) const;

    const TestMix& mix;
    size_t first;
    size_t frames;
    int regressors;  // two per stem: its left and right
    // The stems' spectra, [regressor][frame * bins + bin], and per bin the
    // Gram matrix of the regressors, [bin][row * regressors + column].
    std::vector<Spectra> stemSpectra;
    std::vector<std::vector<std::complex<double>>> gram;
    std::vector<double> stemEnergy;  // per stem, both channels, from the spectra
};

}  // namespace separation
