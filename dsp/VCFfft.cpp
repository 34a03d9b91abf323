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
// pass has s >= 4 and works on whole vector registers; with 256-bit registers
// (VCFfftWide.cpp) it builds blocks of 16 for even L, one pass fewer. The 1/n
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
#include <emmintrin.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>

#include "dsp/VCFfftWide.h"
#include "dsp/VCFmath.h"
#include "dsp/VecLibInternal.h"

namespace {

constexpr uint32_t kMaxLog2 = 24;  // sizes up to 2^24
constexpr double kPi = 3.14159265358979323846;

struct Plan {
    uint32_t n;
    uint32_t log2n;
    uint32_t firstRadix;     // 4 or 8
    const uint32_t* gather;  // bit-reversal of m in L - log2(firstRadix) bits
    const uint32_t* swaps;   // pairs (i, rev i), i < rev i, for in-place work
    uint32_t swapPairs;
    const float* twiddles;  // per pass s = firstRadix, 4 firstRadix, .. n/4
    bool wide;              // passes in 256-bit registers (tables for four lanes)
    void* memory;
};

// Asked once, when the first plan is made (not at static initialisation, so
// that a transform from another unit's initialiser still sees the answer).
bool wideWanted() {
    static const bool available = fftWidePassesAvailable();
    return available;
}
// Floats of twiddle table per offset j of a pass.
size_t twiddleFloatsPerOffset(bool wide) { return wide ? 6 : 12; }

std::atomic<Plan*> plans[kMaxLog2 + 1];
std::mutex planLock;

// Releases the plans when the library is unloaded.
struct PlanOwner {
    ~PlanOwner() {
        for (auto& slot : plans) {
            Plan* plan = slot.exchange(nullptr);
            if (plan) {
                std::free(plan->memory);
                delete plan;
            }
        }
    }
} planOwner;

uint32_t reverseBits(uint32_t value, uint32_t bits) {
    uint32_t result = 0;
    for (uint32_t b = 0; b < bits; ++b) {
        result = (result << 1) | (value & 1u);
        value >>= 1;
    }
    return result;
}

Plan* makePlan(uint32_t log2n) {
    const uint32_t n = 1u << log2n;
    const uint32_t firstRadix = (log2n % 2 == 0) ? 4 : 8;
    const uint32_t firstBits = firstRadix == 4 ? 2 : 3;
    const size_t gatherCount = n / firstRadix;
    size_t twiddleFloats = 0;
    const bool wide = wideWanted();
    for (size_t s = firstRadix; 4 * s <= n; s *= 4)
        twiddleFloats += twiddleFloatsPerOffset(wide) * s;
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

    // SSE2 passes: per pair of offsets j, for q = 1, 2, 3, the real parts of
    // W^(q j), each twice, then the imaginary parts as (-Im, Im). Wide passes:
    // per four offsets j, for q = 1, 2, 3, the four W^(q j) as (Re, Im).
    float* w = twiddles;
    const size_t lanes = wide ? 4 : 2;
    for (size_t s = firstRadix; 4 * s <= n; s *= 4) {
        for (size_t j = 0; j < s; j += lanes) {
            for (size_t q = 1; q <= 3; ++q) {
                for (size_t lane = 0; lane < lanes; ++lane) {
                    const double angle = 2.0 * kPi * static_cast<double>(q * (j + lane)) /
                                         static_cast<double>(4 * s);
                    const auto c = static_cast<float>(std::cos(angle));
                    const auto sn = static_cast<float>(std::sin(angle));
                    if (wide) {
                        w[2 * lane] = c;
                        w[2 * lane + 1] = sn;
                    } else {
                        w[2 * lane] = c;
                        w[2 * lane + 1] = c;
                        w[2 * lanes + 2 * lane] = -sn;
                        w[2 * lanes + 2 * lane + 1] = sn;
                    }
                }
                w += (wide ? 2 : 4) * lanes;
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
    *plan = Plan{n,        log2n, firstRadix, gather, swaps, static_cast<uint32_t>(swapPairs),
                 twiddles, wide,  memory};
    return plan;
}

Plan* planFor(uint32_t log2n) {
    Plan* plan = plans[log2n].load(std::memory_order_acquire);
    if (plan) return plan;
    std::lock_guard<std::mutex> lock(planLock);
    plan = plans[log2n].load(std::memory_order_relaxed);
    if (!plan) {
        plan = makePlan(log2n);
        if (plan) plans[log2n].store(plan, std::memory_order_release);
    }
    return plan;
}

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

// --- SSE2 kernels. A register holds two complex values (re, im, re, im). ---

inline __m128 swapParts(__m128 z) { return _mm_shuffle_ps(z, z, _MM_SHUFFLE(2, 3, 0, 1)); }

// sigma i z: (-im, re) for the forward direction, (im, -re) for the inverse.
template <bool Inverse>
inline __m128 timesSigmaI(__m128 z) {
    const __m128 negateRe = _mm_castsi128_ps(_mm_set_epi32(0, INT32_MIN, 0, INT32_MIN));
    const __m128 negateIm = _mm_castsi128_ps(_mm_set_epi32(INT32_MIN, 0, INT32_MIN, 0));
    return _mm_xor_ps(swapParts(z), Inverse ? negateIm : negateRe);
}

// z w, or z conj(w) for the inverse, with w in the table layout.
template <bool Inverse>
inline __m128 twiddle(__m128 z, const float* w) {
    const __m128 product = _mm_mul_ps(z, _mm_load_ps(w));
    const __m128 cross = _mm_mul_ps(swapParts(z), _mm_load_ps(w + 4));
    return Inverse ? _mm_sub_ps(product, cross) : _mm_add_ps(product, cross);
}

inline __m128 loadPair(const float* a, const float* b) {
    const __m128 low = _mm_loadl_pi(_mm_setzero_ps(), reinterpret_cast<const __m64*>(a));
    return _mm_loadh_pi(low, reinterpret_cast<const __m64*>(b));
}

// The first pass makes blocks of R = 4 or 8 transformed values from
// R inputs each, two blocks (register lanes 0 and 1) per step.
//
// Out of place it walks the input in order: for r, r + 1 the inputs
// x[r + p n/R] (p < R) of two blocks lie side by side, one 16-byte load per
// p, and the blocks go to their bit-reversed places, rev r and rev (r + 1),
// each a whole cache line or half of one. In place the bit-reversal swaps
// come first; then blocks m, m + 1 read their own entries, whose order is the
// bit-reversal of p.
template <size_t R, bool InPlace>
struct FirstPassWalk {
    FirstPassWalk(float* y, const float* x, const Plan& plan) : y_(y), x_(x), plan_(plan) {
        const size_t n = plan.n;
        for (size_t p = 0; p < R; ++p) {
            const size_t reversed =
                R == 4 ? ((p & 1) << 1) | (p >> 1) : ((p & 1) << 2) | (p & 2) | (p >> 2);
            offset_[p] = InPlace ? 2 * reversed : 2 * p * (n / R);
        }
    }
    size_t steps() const { return plan_.n / R; }
    // Inputs p of the two blocks of step i (i even).
    __m128 load(size_t i, size_t p) const {
        if (InPlace)
            return loadPair(y_ + 2 * R * i + offset_[p], y_ + 2 * R * (i + 1) + offset_[p]);
        return _mm_loadu_ps(x_ + 2 * i + offset_[p]);
    }
    float* block0(size_t i) const { return y_ + 2 * R * (InPlace ? i : size_t{plan_.gather[i]}); }
    float* block1(size_t i) const {
        return y_ + 2 * R * (InPlace ? i + 1 : size_t{plan_.gather[i + 1]});
    }

    float* y_;
    const float* x_;
    const Plan& plan_;
    size_t offset_[R];
};

// Writes values q[0..count) of lane 0 to b0 and of lane 1 to b1.
inline void storeLanes(float* b0, float* b1, const __m128* q, size_t count) {
    for (size_t p = 0; p < count; p += 2) {
        _mm_storeu_ps(b0 + 2 * p, _mm_movelh_ps(q[p], q[p + 1]));
        _mm_storeu_ps(b1 + 2 * p, _mm_movehl_ps(q[p + 1], q[p]));
    }
}

// First pass for even L: length-4 DFTs of x[r + p n/4], p = 0..3.
template <bool Inverse, bool InPlace>
void firstPass4(float* y, const float* x, const Plan& plan, float scale) {
    const FirstPassWalk<4, InPlace> walk(y, x, plan);
    const __m128 k = _mm_set1_ps(scale);
    for (size_t i = 0; i < walk.steps(); i += 2) {
        const __m128 a0 = _mm_mul_ps(walk.load(i, 0), k);
        const __m128 a1 = _mm_mul_ps(walk.load(i, 1), k);
        const __m128 a2 = _mm_mul_ps(walk.load(i, 2), k);
        const __m128 a3 = _mm_mul_ps(walk.load(i, 3), k);
        const __m128 u0 = _mm_add_ps(a0, a2), u1 = _mm_sub_ps(a0, a2);
        const __m128 v0 = _mm_add_ps(a1, a3), v1 = timesSigmaI<Inverse>(_mm_sub_ps(a1, a3));
        const __m128 q[4] = {_mm_add_ps(u0, v0), _mm_add_ps(u1, v1), _mm_sub_ps(u0, v0),
                             _mm_sub_ps(u1, v1)};
        storeLanes(walk.block0(i), walk.block1(i), q, 4);
    }
}

// First pass for odd L: length-8 DFTs of x[r + p n/8], p = 0..7, as a
// radix-2 merge of the length-4 DFTs of the even and the odd p.
template <bool Inverse, bool InPlace>
void firstPass8(float* y, const float* x, const Plan& plan, float scale) {
    const FirstPassWalk<8, InPlace> walk(y, x, plan);
    const __m128 k = _mm_set1_ps(scale);
    const __m128 h = _mm_set1_ps(0.70710678118654752f);
    for (size_t i = 0; i < walk.steps(); i += 2) {
        __m128 a[8];
        for (size_t p = 0; p < 8; ++p) a[p] = _mm_mul_ps(walk.load(i, p), k);
        const __m128 eu0 = _mm_add_ps(a[0], a[4]), eu1 = _mm_sub_ps(a[0], a[4]);
        const __m128 ev0 = _mm_add_ps(a[2], a[6]),
                     ev1 = timesSigmaI<Inverse>(_mm_sub_ps(a[2], a[6]));
        const __m128 ou0 = _mm_add_ps(a[1], a[5]), ou1 = _mm_sub_ps(a[1], a[5]);
        const __m128 ov0 = _mm_add_ps(a[3], a[7]),
                     ov1 = timesSigmaI<Inverse>(_mm_sub_ps(a[3], a[7]));
        const __m128 e0 = _mm_add_ps(eu0, ev0), e2 = _mm_sub_ps(eu0, ev0);
        const __m128 e1 = _mm_add_ps(eu1, ev1), e3 = _mm_sub_ps(eu1, ev1);
        const __m128 o0 = _mm_add_ps(ou0, ov0), o2 = _mm_sub_ps(ou0, ov0);
        const __m128 o1 = _mm_add_ps(ou1, ov1), o3 = _mm_sub_ps(ou1, ov1);
        // The odd half times w^q, w = e^(i sigma pi / 4).
        const __m128 t1 = _mm_mul_ps(_mm_add_ps(o1, timesSigmaI<Inverse>(o1)), h);
        const __m128 t2 = timesSigmaI<Inverse>(o2);
        const __m128 t3 = _mm_mul_ps(_mm_sub_ps(timesSigmaI<Inverse>(o3), o3), h);
        const __m128 q[8] = {_mm_add_ps(e0, o0), _mm_add_ps(e1, t1), _mm_add_ps(e2, t2),
                             _mm_add_ps(e3, t3), _mm_sub_ps(e0, o0), _mm_sub_ps(e1, t1),
                             _mm_sub_ps(e2, t2), _mm_sub_ps(e3, t3)};
        storeLanes(walk.block0(i), walk.block1(i), q, 8);
    }
}

// One radix-4 pass merging blocks of length s into blocks of length 4s.
template <bool Inverse>
void radix4Pass(float* y, size_t n, size_t s, const float* tw) {
    const size_t stride = 2 * s;  // floats per block of length s
    for (size_t k = 0; k < n; k += 4 * s) {
        float* p0 = y + 2 * k;
        float* p1 = p0 + stride;
        float* p2 = p1 + stride;
        float* p3 = p2 + stride;
        const float* w = tw;
        for (size_t j = 0; j < stride; j += 4, w += 24) {
            const __m128 e0 = _mm_loadu_ps(p0 + j);
            const __m128 t2 = twiddle<Inverse>(_mm_loadu_ps(p1 + j), w + 8);
            const __m128 t1 = twiddle<Inverse>(_mm_loadu_ps(p2 + j), w);
            const __m128 t3 = twiddle<Inverse>(_mm_loadu_ps(p3 + j), w + 16);
            const __m128 u0 = _mm_add_ps(e0, t2), u1 = _mm_sub_ps(e0, t2);
            const __m128 v0 = _mm_add_ps(t1, t3), v1 = timesSigmaI<Inverse>(_mm_sub_ps(t1, t3));
            _mm_storeu_ps(p0 + j, _mm_add_ps(u0, v0));
            _mm_storeu_ps(p2 + j, _mm_sub_ps(u0, v0));
            _mm_storeu_ps(p1 + j, _mm_add_ps(u1, v1));
            _mm_storeu_ps(p3 + j, _mm_sub_ps(u1, v1));
        }
    }
}

template <bool Inverse>
void transform(ComplexF* Y, const ComplexF* X, const Plan& plan, float scale) {
    float* y = &Y->re;
    const float* x = &X->re;
    uint32_t span = plan.firstRadix;  // length of the blocks after the first pass
    const float* tw = plan.twiddles;
    if (Y == X) {
        for (uint32_t p = 0; p < plan.swapPairs; ++p) {
            const ComplexF t = Y[plan.swaps[2 * p]];
            Y[plan.swaps[2 * p]] = Y[plan.swaps[2 * p + 1]];
            Y[plan.swaps[2 * p + 1]] = t;
        }
        if (plan.firstRadix == 4)
            firstPass4<Inverse, true>(y, x, plan, scale);
        else
            firstPass8<Inverse, true>(y, x, plan, scale);
    } else if (plan.wide) {
        // Blocks of 16 at once save the pass s = 4 where there are enough.
        if (plan.firstRadix == 4 && plan.n >= 64) {
            tw += twiddleFloatsPerOffset(true) * 4;
            span = 16;
        }
        fftWideFirstPass(y, x, plan.n, span, plan.gather, scale, Inverse);
    } else {
        if (plan.firstRadix == 4)
            firstPass4<Inverse, false>(y, x, plan, scale);
        else
            firstPass8<Inverse, false>(y, x, plan, scale);
    }
    if (plan.wide) {
        fftWidePasses(y, plan.n, span, tw, Inverse);
        return;
    }
    for (size_t s = span; 4 * s <= plan.n; s *= 4) {
        radix4Pass<Inverse>(y, plan.n, s, tw);
        tw += 12 * s;
    }
}

bool isPowerOfTwo(uint32_t n) { return n != 0 && (n & (n - 1)) == 0; }

uint32_t log2Of(uint32_t n) {
    uint32_t l = 0;
    while ((1u << l) < n) ++l;
    return l;
}

}  // namespace

void cfpFFT(ComplexF* Y, const ComplexF* X, uint32_t n, int direction) {
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
    const Plan* plan = log2n <= kMaxLog2 ? planFor(log2n) : nullptr;
    if (!plan) {
        vecLibReportNotEnoughMemory(true);
        return;
    }
    if (direction >= 0)
        transform<false>(Y, X, *plan, static_cast<float>(scale));
    else
        transform<true>(Y, X, *plan, static_cast<float>(scale));
}

bool cfpFFTPrepare(uint32_t n) {
    if (!isPowerOfTwo(n)) return false;
    if (n <= 8) return true;
    const uint32_t log2n = log2Of(n);
    if (log2n <= kMaxLog2 && planFor(log2n)) return true;
    vecLibReportNotEnoughMemory(false);
    return false;
}
