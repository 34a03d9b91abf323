#include "bench/separation/StemAnalysis.h"

#include <algorithm>
#include <cmath>

#include "dsp/VCFmath.h"
#include "dsp/VFmath.h"

namespace separation {
namespace {

constexpr size_t kFrame = 1024;
constexpr size_t kHop = kFrame / 2;
constexpr size_t kBins = kFrame / 2 + 1;

using Complex = std::complex<double>;

double decibels(double powerRatio) { return 10.0 * std::log10(std::max(powerRatio, 1e-30)); }

// Solves a x = b (n x n, row-major) by elimination with partial pivoting.
std::vector<Complex> solve(std::vector<Complex> a, std::vector<Complex> b, int n) {
    for (int col = 0; col < n; ++col) {
        int pivot = col;
        for (int r = col + 1; r < n; ++r)
            if (std::abs(a[r * n + col]) > std::abs(a[pivot * n + col])) pivot = r;
        if (pivot != col) {
            for (int c = 0; c < n; ++c) std::swap(a[col * n + c], a[pivot * n + c]);
            std::swap(b[col], b[pivot]);
        }
        const Complex diagonal = a[col * n + col];
        for (int r = col + 1; r < n; ++r) {
            const Complex factor = a[r * n + col] / diagonal;
            for (int c = col; c < n; ++c) a[r * n + c] -= factor * a[col * n + c];
            b[r] -= factor * b[col];
        }
    }
    std::vector<Complex> x(n);
    for (int r = n - 1; r >= 0; --r) {
        Complex sum = b[r];
        for (int c = r + 1; c < n; ++c) sum -= a[r * n + c] * x[c];
        x[r] = sum / a[r * n + r];
    }
    return x;
}

double dot(const std::vector<float>& a, const std::vector<float>& b, size_t first) {
    double sum = 0.0;
    for (size_t i = first; i < a.size(); ++i) sum += static_cast<double>(a[i]) * b[i];
    return sum;
}

}  // namespace

StemAnalysis::Spectra StemAnalysis::spectraOf(const std::vector<float>& signal) const {
    static const std::vector<float> window = [] {
        std::vector<float> w(kFrame);
        fHanning(w.data(), kFrame);
        return w;
    }();
    Spectra out(frames * kBins);
    std::vector<ComplexF> buffer(kFrame);
    for (size_t f = 0; f < frames; ++f) {
        const size_t at = first + f * kHop;
        for (size_t i = 0; i < kFrame; ++i) buffer[i] = ComplexF{signal[at + i] * window[i], 0.0f};
        cfpFFT(buffer.data(), buffer.data(), kFrame, +1);
        for (size_t k = 0; k < kBins; ++k) out[f * kBins + k] = Complex(buffer[k].re, buffer[k].im);
    }
    return out;
}

StemAnalysis::StemAnalysis(const TestMix& testMix, double from)
    : mix(testMix),
      first(static_cast<size_t>(from * kRate)),
      frames((testMix.mix.size() - first - kFrame) / kHop + 1),
      regressors(static_cast<int>(2 * testMix.stems.size())) {
    for (const Stem& stem : mix.stems) {
        stemSpectra.push_back(spectraOf(stem.signal.left));
        stemSpectra.push_back(spectraOf(stem.signal.right));
    }
    const int m = regressors;
    gram.assign(kBins, std::vector<Complex>(static_cast<size_t>(m * m)));
    for (size_t k = 0; k < kBins; ++k)
        for (int r = 0; r < m; ++r)
            for (int c = r; c < m; ++c) {
                Complex sum = 0.0;
                for (size_t f = 0; f < frames; ++f)
                    sum += std::conj(stemSpectra[r][f * kBins + k]) * stemSpectra[c][f * kBins + k];
                gram[k][r * m + c] = sum;
                gram[k][c * m + r] = std::conj(sum);
            }
    stemEnergy.assign(mix.stems.size(), 0.0);
    for (size_t k = 0; k < kBins; ++k)
        for (int r = 0; r < m; ++r) stemEnergy[r / 2] += gram[k][r * m + r].real();
}

OutputResult StemAnalysis::analyse(const StereoSignal& output, bool isolation) const {
    const int m = regressors;
    const size_t stems = mix.stems.size();
    OutputResult result;
    std::vector<double> left(stems, 0.0);
    for (const std::vector<float>* channel : {&output.left, &output.right}) {
        const Spectra y = spectraOf(*channel);
        for (size_t k = 0; k < kBins; ++k) {
            std::vector<Complex> a = gram[k], b(m);
            double largest = 0.0;
            for (int r = 0; r < m; ++r) largest = std::max(largest, a[r * m + r].real());
            for (int r = 0; r < m; ++r) a[r * m + r] += 1e-9 * largest + 1e-30;
            for (int r = 0; r < m; ++r) {
                Complex sum = 0.0;
                for (size_t f = 0; f < frames; ++f)
                    sum += std::conj(stemSpectra[r][f * kBins + k]) * y[f * kBins + k];
                b[r] = sum;
            }
            const std::vector<Complex> h = solve(a, b, m);
            // Each stem's part: h_j^H G_jj h_j over its two regressors.
            for (size_t s = 0; s < stems; ++s) {
                const int r0 = static_cast<int>(2 * s);
                Complex energy = 0.0;
                for (int r = r0; r < r0 + 2; ++r)
                    for (int c = r0; c < r0 + 2; ++c)
                        energy += std::conj(h[r]) * gram[k][r * m + c] * h[c];
                left[s] += energy.real();
            }
        }
    }
    double othersLeft = 0.0, othersOwn = 0.0;
    for (size_t s = 0; s < stems; ++s) {
        if (mix.stems[s].role == StemRole::Voice) continue;
        othersLeft += left[s];
        othersOwn += stemEnergy[s];
    }
    result.othersLeftDb = decibels(othersLeft / othersOwn);
    for (size_t s = 0; s < stems; ++s) {
        const StereoSignal& stem = mix.stems[s].signal;
        const double own = dot(stem.left, stem.left, first) + dot(stem.right, stem.right, first);
        const double along =
            dot(output.left, stem.left, first) + dot(output.right, stem.right, first);
        result.stems.push_back(
            {decibels(along * along / (own * own)), decibels(left[s] / stemEnergy[s])});
    }
    // The target: the voice (isolation) or everything else (removal).
    StereoSignal target{std::vector<float>(output.size(), 0.0f),
                        std::vector<float>(output.size(), 0.0f)};
    for (const Stem& stem : mix.stems) {
        if ((stem.role == StemRole::Voice) != isolation) continue;
        for (size_t i = 0; i < output.size(); ++i) {
            target.left[i] += stem.signal.left[i];
            target.right[i] += stem.signal.right[i];
        }
    }
    const double targetEnergy =
        dot(target.left, target.left, first) + dot(target.right, target.right, first);
    const double scale =
        (dot(output.left, target.left, first) + dot(output.right, target.right, first)) /
        targetEnergy;
    double error = 0.0;
    for (size_t i = first; i < output.size(); ++i) {
        const double el = output.left[i] - scale * target.left[i];
        const double er = output.right[i] - scale * target.right[i];
        error += el * el + er * er;
    }
    result.siSdrDb = decibels(scale * scale * targetEnergy / error);
    const double ll = dot(output.left, output.left, first);
    const double rr = dot(output.right, output.right, first);
    result.correlation =
        ll > 0 && rr > 0 ? dot(output.left, output.right, first) / std::sqrt(ll * rr) : 0.0;
    return result;
}

}  // namespace separation
