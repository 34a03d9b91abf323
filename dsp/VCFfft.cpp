// The complex FFT of VCFmath.
//
// Mathematics. The transform is a decimation in time of length n = 2^L:
// the input is read in bit-reversed order, and blocks of growing length are
// merged until one block of length n remains. Merging four neighbouring
// blocks of length s, which hold the transforms E0, E2, E1, E3 of the four
// sub-sequences x[4r], x[4r + 2], x[4r + 1], x[4r + 3] (bit-reversed order),
// gives for j < s, with W = e^(i sigma 2 pi / 4s) and t_q = W^(q j) E_q[j]:
//
//   Y[j]      = E0 + t2 + (t1 + t3)          Y[j + 2s] = E0 + t2 - (t1 + t3)
//   Y[j + s]  = E0 - t2 + sigma i (t1 - t3)  Y[j + 3s] = E0 - t2 - sigma i (t1 - t3)
//
// (radix 4: two radix-2 levels at once, three twiddle products instead of
// four). The first pass builds blocks of 4 (L even) or 8 (L odd) straight
// from the input, gathering it in bit-reversed order, so that every later
// pass has s >= 4 and works on whole vector registers. Out of place and for
// even L it builds blocks of 16 instead (4 x 4), one pass fewer. The 1/n
// scaling of the inverse is a power of two, exact, and is applied in the
// first pass.
//
// Twiddles are computed in double precision from their exact angles once per
// size and stored rounded to single precision, in the layout the butterfly
// loads (see makePlan). The inverse uses the same tables with the imaginary
// parts negated (a subtraction instead of an addition).
//
// Error: each radix-2 level adds at most about (u + gamma4 (sqrt 2 + u)) of
// relative error in the 2-norm (u = 2^-24, gamma4 = 4u / (1 - 4u)); the tests
// hold the transform to L times that bound against a double-precision DFT.
//
// Plans (tables) are made once per size for the whole process, under a lock,
// and then only read: any number of threads may transform at once.
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>

#include "dsp/VCFmath.h"
#include "dsp/VecLibInternal.h"
#include "dsp/VectorCode.h"
#include "dsp/fft_passes.h"

namespace {

constexpr uint32_t kMaxLog2 = 24;  // sizes up to 2^24
constexpr double kPi = 3.14159265358979323846;

struct Plan {
    uint32_t n;
    uint32_t log2n;
    uint32_t firstRadix;     // 4 or 8
    uint32_t span;           // length of the blocks after the first pass: 4, 8 or 16
    const uint32_t* gather;  // bit-reversal of m in L - log2(firstRadix) bits
    const uint32_t* swaps;   // pairs (i, rev i), i < rev i, for in-place work
    uint32_t swapPairs;
    const float* twiddles;    // per pass s = span, 4 span, .. n/4
    const FftPasses* passes;  // the set the twiddles are laid out for
    void* memory;
};

// The code of the passes for size 2^log2n: the widest that the build and
// the processor allow, up to code, whose registers the first pass fills
// (n / firstRadix >= lanes).
VectorCode passesCode(uint32_t log2n, VectorCode code) {
    code = usableVectorCode(code);
    if (code == VectorCode::Avx512 && log2n < 7) code = VectorCode::Avx2;
    if (code == VectorCode::Avx2 && log2n < 4) code = VectorCode::Sse2;
    return code;
}

const FftPasses& passesFor(uint32_t log2n, VectorCode code) {
    switch (passesCode(log2n, code)) {
#if ZINDRA_WIDE_VECTORS
        case VectorCode::Avx512: return fftPassesAvx512();
        case VectorCode::Avx2: return fftPassesAvx2();
#endif
        default: return fftPassesSse2();
    }
}

// Per vector code (the code of the passes) and size. The process transforms
// with one code; tests and benchmarks may ask for the others.
constexpr int kCodes = 3;
std::atomic<Plan*> plans[kCodes][kMaxLog2 + 1];
std::mutex planLock;

// Releases the plans when the library is unloaded.
struct PlanOwner {
    ~PlanOwner() {
        for (auto& code : plans) {
            for (auto& slot : code) {
                Plan* plan = slot.exchange(nullptr);
                if (plan) {
                    std::free(plan->memory);
                    delete plan;
                }
            }
        }
    }
} planOwner;

Plan* makePlan(uint32_t log2n, const FftPasses& passes) {
    const uint32_t n = 1u << log2n;
    const uint32_t firstRadix = (log2n % 2 == 0) ? 4 : 8;
    const uint32_t firstBits = firstRadix == 4 ? 2 : 3;
    // Blocks of 16 at once save the pass s = 4.
    const uint32_t span = firstRadix == 4 && n >= 64 ? 16 : firstRadix;
    const size_t gatherCount = n / firstRadix;
    const size_t lanes = passes.lanes;
    size_t twiddleFloats = 0;
    for (size_t s = span; 4 * s <= n; s *= 4) twiddleFloats += kTwiddleFloatsPerOffset * s;
    size_t swapPairs = 0;
    for (uint32_t i = 0; i < n; ++i)
        if (i < reverseBits(i, log2n)) ++swapPairs;

    const size_t bytes =
        64 + twiddleFloats * sizeof(float) + (gatherCount + 2 * swapPairs) * sizeof(uint32_t);
    void* memory = std::malloc(bytes);
    Plan* plan = memory ? new (std::nothrow) Plan : nullptr;
    if (!plan) {
        std::free(memory);
        return nullptr;
    }
    char* cursor = static_cast<char*>(memory);
    cursor += 64 - reinterpret_cast<uintptr_t>(cursor) % 64;
    float* twiddles = reinterpret_cast<float*>(cursor);
    uint32_t* gather = reinterpret_cast<uint32_t*>(twiddles + twiddleFloats);
    uint32_t* swaps = gather + gatherCount;

    // The layout of fft_passes_body.h: per `lanes` offsets j and for q = 1,
    // 2, 3, the real parts of W^(q j), each twice, then the imaginary parts
    // as (-Im, Im). Every pass's table starts on a multiple of 64 bytes (12
    // floats times s, s a multiple of 4).
    float* w = twiddles;
    for (size_t s = span; 4 * s <= n; s *= 4) {
        for (size_t j = 0; j < s; j += lanes) {
            for (size_t q = 1; q <= 3; ++q, w += 4 * lanes) {
                for (size_t lane = 0; lane < lanes; ++lane) {
                    const double angle = 2.0 * kPi * static_cast<double>(q * (j + lane)) /
                                         static_cast<double>(4 * s);
                    const auto c = static_cast<float>(std::cos(angle));
                    const auto sn = static_cast<float>(std::sin(angle));
                    w[2 * lane] = c;
                    w[2 * lane + 1] = c;
                    w[2 * lanes + 2 * lane] = -sn;
                    w[2 * lanes + 2 * lane + 1] = sn;
                }
            }
        }
    }
    for (uint32_t m = 0; m < gatherCount; ++m) gather[m] = reverseBits(m, log2n - firstBits);
    size_t pair = 0;
    for (uint32_t i = 0; i < n; ++i) {
        const uint32_t r = reverseBits(i, log2n);
        if (i < r) {
            swaps[2 * pair] = i;
            swaps[2 * pair + 1] = r;
            ++pair;
        }
    }
    *plan =
        Plan{n,        log2n,   firstRadix, span, gather, swaps, static_cast<uint32_t>(swapPairs),
             twiddles, &passes, memory};
    return plan;
}

// The plan of size 2^log2n for the passes of code, made on first use.
Plan* planFor(uint32_t log2n, VectorCode code) {
    std::atomic<Plan*>& slot = plans[static_cast<int>(code)][log2n];
    Plan* plan = slot.load(std::memory_order_acquire);
    if (plan) return plan;
    std::lock_guard<std::mutex> lock(planLock);
    plan = slot.load(std::memory_order_relaxed);
    if (!plan) {
        plan = makePlan(log2n, passesFor(log2n, code));
        if (plan) slot.store(plan, std::memory_order_release);
    }
    return plan;
}

// The code this process transforms with: asked when the first plan is made,
// not at static initialisation, so that a transform from another unit's
// initialiser still sees the answer.
Plan* planFor(uint32_t log2n) { return planFor(log2n, vectorCode()); }

// --- the small sizes 1, 2, 4 and 8: a direct DFT in double precision ---

void smallTransform(ComplexF* Y, const ComplexF* X, uint32_t n, int direction, double scale) {
    const double sigma = direction >= 0 ? 1.0 : -1.0;
    double c[8], s[8];
    const double h = std::sqrt(0.5);
    const double unitCos[8] = {1, h, 0, -h, -1, -h, 0, h};  // e^(2 pi i k / 8)
    const double unitSin[8] = {0, h, 1, h, 0, -h, -1, -h};
    for (uint32_t k = 0; k < n; ++k) {
        c[k] = unitCos[k * (8 / n)];
        s[k] = sigma * unitSin[k * (8 / n)];
    }
    ComplexF result[8];
    for (uint32_t k = 0; k < n; ++k) {
        double re = 0.0, im = 0.0;
        for (uint32_t m = 0; m < n; ++m) {
            const uint32_t e = (k * m) % n;
            re += X[m].re * c[e] - X[m].im * s[e];
            im += X[m].re * s[e] + X[m].im * c[e];
        }
        result[k] = ComplexF{static_cast<float>(re * scale), static_cast<float>(im * scale)};
    }
    std::memcpy(Y, result, n * sizeof(ComplexF));
}

// --- the passes: out of place and radix 4 in fft_passes_body.h, built once
// per set (fft_passes_sse2.cpp, fft_passes_avx2.cpp, fft_passes_avx512.cpp);
// in place, the first in SSE2 for every plan ---

template <bool Inverse>
void transform(ComplexF* Y, const ComplexF* X, const Plan& plan, float scale) {
    const FftPasses& passes = *plan.passes;
    float* y = &Y->re;
    const float* x = &X->re;
    if (Y == X) {
        for (uint32_t p = 0; p < plan.swapPairs; ++p) {
            const ComplexF t = Y[plan.swaps[2 * p]];
            Y[plan.swaps[2 * p]] = Y[plan.swaps[2 * p + 1]];
            Y[plan.swaps[2 * p + 1]] = t;
        }
        fftInPlaceFirstPass(y, plan.n, plan.span, scale, Inverse);
    } else {
        passes.firstPass(y, x, plan.n, plan.span, plan.gather, scale, Inverse);
    }
    passes.passes(y, plan.n, plan.span, plan.twiddles, Inverse);
}

bool isPowerOfTwo(uint32_t n) { return n != 0 && (n & (n - 1)) == 0; }

uint32_t log2Of(uint32_t n) {
    uint32_t l = 0;
    while ((1u << l) < n) ++l;
    return l;
}

}  // namespace

namespace {

// cfpFFT with the passes of code.
void fftWith(ComplexF* Y, const ComplexF* X, uint32_t n, int direction, VectorCode code) {
    if (!isPowerOfTwo(n)) {
        vecLibReportSizeError(n < 8 ? "VCFs_FFT" : "VCFb_FFT");
        return;
    }
    const bool scaled = direction < 0 && direction % 2 != 0;
    const double scale = scaled ? 1.0 / static_cast<double>(n) : 1.0;
    if (n <= 8) {
        smallTransform(Y, X, n, direction, scale);
        return;
    }
    const uint32_t log2n = log2Of(n);
    const Plan* plan = log2n <= kMaxLog2 ? planFor(log2n, code) : nullptr;
    if (!plan) {
        vecLibReportNotEnoughMemory(true);
        return;
    }
    if (direction >= 0)
        transform<false>(Y, X, *plan, static_cast<float>(scale));
    else
        transform<true>(Y, X, *plan, static_cast<float>(scale));
}

// The code of the passes that transform size n when code is wanted.
VectorCode cfpFFTVectorCodeOf(uint32_t n, VectorCode code) {
    if (!isPowerOfTwo(n) || n <= 8) return VectorCode::Sse2;
    return passesCode(log2Of(n), code);
}

}  // namespace

void cfpFFT(ComplexF* Y, const ComplexF* X, uint32_t n, int direction) {
    fftWith(Y, X, n, direction, vectorCode());
}

bool cfpFFTPrepare(uint32_t n) {
    if (!isPowerOfTwo(n)) return false;
    if (n <= 8) return true;
    const uint32_t log2n = log2Of(n);
    if (log2n <= kMaxLog2 && planFor(log2n)) return true;
    vecLibReportNotEnoughMemory(false);
    return false;
}

VectorCode cfpFFTVectorCode(uint32_t n) { return cfpFFTVectorCodeOf(n, vectorCode()); }

VectorCode cfpFFTUsing(VectorCode code, ComplexF* Y, const ComplexF* X, uint32_t n, int direction) {
    const VectorCode allowed = usableVectorCode(code);
    fftWith(Y, X, n, direction, allowed);
    return cfpFFTVectorCodeOf(n, allowed);
}
