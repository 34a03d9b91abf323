// The transform and the polar routines on arbitrary floats: NaNs,
// infinities, denormals and the largest values included. Nothing may crash
// or write outside its vectors, and a finite input of moderate size must come
// back from a forward and inverse transform.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "dsp/VCFmath.h"
#include "dsp/VecLib.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setVecLibReporter([](const char*, bool) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const uint32_t n = 1u << (data[0] % 14);  // 1 .. 8192
    std::vector<ComplexF> x(n), y(n), back(n);
    const size_t bytes = size - 1 < n * sizeof(ComplexF) ? size - 1 : n * sizeof(ComplexF);
    std::memcpy(x.data(), data + 1, bytes);

    cfpFFT(y.data(), x.data(), n, 1);
    cfpFFT(back.data(), y.data(), n, -1);
    bool moderate = true;
    double energy = 0.0;
    for (const ComplexF& v : x) {
        moderate = moderate && std::fabs(v.re) < 1e15f && std::fabs(v.im) < 1e15f;
        energy += static_cast<double>(v.re) * v.re + static_cast<double>(v.im) * v.im;
    }
    if (moderate) {
        double error = 0.0;
        for (uint32_t i = 0; i < n; ++i) {
            const double dr = static_cast<double>(back[i].re) - x[i].re;
            const double di = static_cast<double>(back[i].im) - x[i].im;
            error += dr * dr + di * di;
        }
        if (error > 1e-8 * energy + 1e-60) std::abort();
    }

    std::vector<float> magnitude(n), phase(n), abs(n);
    fc2pol(magnitude.data(), phase.data(), x.data(), n);
    fpol2c(y.data(), magnitude.data(), phase.data(), n);
    cfabs(abs.data(), x.data(), n);
    for (uint32_t i = 0; i < n; ++i)
        if (!(phase[i] >= -3.1416f && phase[i] <= 3.1416f) && !std::isnan(phase[i])) std::abort();
    return 0;
}
