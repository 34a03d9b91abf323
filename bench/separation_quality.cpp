// Separation quality: what Zindra and Zindra Deep leave of each stem of mixes
// made from known stems, for every program and a sweep of the main controls.
//
//   bench_separation [--all] [--seconds S] [--only Zindra|Deep] [--mix NAME]
//
// Per configuration and stem: the least-squares gain of the stem in the
// output and the energy of the stem left (see separation/StemAnalysis.h);
// the SI-SDR against the instruments (removal) or the voice (isolation); the
// output's stereo correlation; the time per second of audio. --all prints
// every configuration of the sweeps, not only the programs. Then the
// frontier: for each voice depth, the least loss of the worst side
// instrument and of the worst of bass and kick that each effect reaches
// while taking the voice at least that far down; and the best isolation.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "bench/separation/IdealMask.h"
#include "bench/separation/StemAnalysis.h"
#include "bench/separation/Stems.h"
#include "core/FixedRateHooks.h"
#include "core/ZindraEffect.h"
#include "core/deep/DeepEffect.h"

using namespace separation;

namespace {

constexpr int kBlock = 512;

struct Configuration {
    std::string effect;  // "Zindra" or "Deep"
    std::string name;
    bool isolation;
    bool program;  // a factory program as it ships
    // Sets the effect up (already built at the mix's rate).
    std::function<void(core::ZindraEffect*, deep::DeepEffect*)> setUp;
    double floorDb = 0.0;  // the ideal mask's
};

// Runs the effect over the mix and returns its output moved back by its
// latency, so that it lines up with the stems; and the seconds it took.
template <typename Effect>
StereoSignal render(Effect& effect, int32_t latency, const StereoSignal& mix, double& seconds) {
    const size_t n = mix.size() + static_cast<size_t>(latency);
    std::vector<float> inL(n, 0.0f), inR(n, 0.0f), outL(n), outR(n);
    std::copy(mix.left.begin(), mix.left.end(), inL.begin());
    std::copy(mix.right.begin(), mix.right.end(), inR.begin());
    const auto start = std::chrono::steady_clock::now();
    for (size_t at = 0; at < n; at += kBlock) {
        const auto count = static_cast<int32_t>(std::min<size_t>(kBlock, n - at));
        float* in[2] = {inL.data() + at, inR.data() + at};
        float* out[2] = {outL.data() + at, outR.data() + at};
        effect.process(in, out, count, true);
    }
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    StereoSignal aligned;
    aligned.left.assign(outL.begin() + latency, outL.end());
    aligned.right.assign(outR.begin() + latency, outR.end());
    return aligned;
}

StereoSignal run(const Configuration& c, const TestMix& mix, double& seconds) {
    core::FixedRateHooks hooks(static_cast<float>(kRate));
    if (c.effect == "Ideal") {
        seconds = 0.0;
        return idealMask(mix, c.floorDb, c.isolation);
    }
    if (c.effect == "Zindra") {
        core::ZindraEffect effect(hooks);
        c.setUp(&effect, nullptr);
        return render(effect, core::ZindraEffect::kLatencySamples, mix.mix, seconds);
    }
    deep::DeepEffect effect(hooks);
    c.setUp(nullptr, &effect);
    return render(effect, deep::DeepEffect::kLatencySamples, mix.mix, seconds);
}

std::vector<Configuration> configurations() {
    std::vector<Configuration> list;
    using core::ZindraEffect;
    using deep::DeepEffect;
    char name[64];
    for (int32_t p = 0; p < ZindraEffect::kNumPrograms; ++p) {
        core::FixedRateHooks hooks;
        ZindraEffect probe(hooks);
        probe.programName(p, name, sizeof name - 1);
        const bool isolation = probe.programBank().program(p).fpar[zindra::kIsolate].load() > 0.5f;
        list.push_back({"Zindra", name, isolation, true,
                        [p](ZindraEffect* z, DeepEffect*) { z->setProgram(p); }});
    }
    // Mode 2 over a range of spreads, with and without Hi-Res; Mode 1 over
    // band floors and mixes.
    for (const int32_t p : {1, 6})
        for (const float spread : {0.05f, 0.15f, 0.2f, 0.25f, 0.3f, 0.4f, 0.5f, 0.6f, 0.8f}) {
            std::snprintf(name, sizeof name, "program %d, Spread %.2f", p, spread);
            list.push_back(
                {"Zindra", name, false, false, [p, spread](ZindraEffect* z, DeepEffect*) {
                     z->setProgram(p);
                     z->setParameter(zindra::kSpread, spread);
                 }});
        }
    for (const int32_t p : {0, 2})
        for (const float mix : {0.5f, 1.0f})
            for (const float center : {0.1f, 0.215f, 0.3f, 0.515f}) {
                std::snprintf(name, sizeof name, "program %d, Center %.3f, Mix %.1f", p, center,
                              mix);
                list.push_back(
                    {"Zindra", name, false, false, [p, mix, center](ZindraEffect* z, DeepEffect*) {
                         z->setProgram(p);
                         z->setParameter(zindra::kCenter, center);
                         z->setParameter(zindra::kMix, mix);
                     }});
            }

    for (int32_t p = 0; p < DeepEffect::kNumPrograms; ++p) {
        core::FixedRateHooks hooks;
        DeepEffect probe(hooks);
        probe.programName(p, name, sizeof name - 1);
        probe.setProgram(p);
        const bool isolation = probe.parameter(deep::kIsolate) > 0.5f;
        list.push_back({"Deep", name, isolation, true,
                        [p](ZindraEffect*, DeepEffect* d) { d->setProgram(p); }});
    }
    for (const float depth : {10.0f, 15.0f, 20.0f, 25.0f, 30.0f, 40.0f, 60.0f})
        for (const float width : {10.0f, 15.0f, 20.0f, 25.0f, 35.0f, 50.0f, 70.0f, 100.0f})
            for (const float smoothing : {20.0f, 60.0f, 150.0f})
                for (const float tail : {0.0f, 600.0f, 1500.0f}) {
                    std::snprintf(name, sizeof name,
                                  "Depth %.0f, Width %.0f, Smooth %.0f, Tail %.0f", depth, width,
                                  smoothing, tail);
                    list.push_back(
                        {"Deep", name, false, false, [=](ZindraEffect*, DeepEffect* d) {
                             d->setProgram(0);
                             d->setParameter(deep::kTail, deep::normalised(deep::kTail, tail));
                             d->setParameter(deep::kDepth, deep::normalised(deep::kDepth, depth));
                             d->setParameter(deep::kWidth, deep::normalised(deep::kWidth, width));
                             d->setParameter(deep::kSmoothing,
                                             deep::normalised(deep::kSmoothing, smoothing));
                         }});
                }
    for (const float width : {20.0f, 35.0f, 50.0f})
        for (const float low : {0.0f, 120.0f}) {
            std::snprintf(name, sizeof name, "Depth 60, Width %.0f, Low Keep %.0f", width, low);
            list.push_back(
                {"Deep", name, false, false, [=](ZindraEffect*, DeepEffect* d) {
                     d->setProgram(0);
                     d->setParameter(deep::kDepth, 1.0f);
                     d->setParameter(deep::kWidth, deep::normalised(deep::kWidth, width));
                     d->setParameter(deep::kLowKeep, deep::normalised(deep::kLowKeep, low));
                 }});
        }
    for (const float width : {10.0f, 20.0f, 30.0f, 45.0f})
        for (const float smoothing : {0.0f, 40.0f, 100.0f}) {
            std::snprintf(name, sizeof name, "Isolate, Width %.0f %%, Smoothing %.0f ms", width,
                          smoothing);
            list.push_back(
                {"Deep", name, true, false, [=](ZindraEffect*, DeepEffect* d) {
                     d->setProgram(0);
                     d->setParameter(deep::kIsolate, deep::normalised(deep::kIsolate, 1.0f));
                     d->setParameter(deep::kWidth, deep::normalised(deep::kWidth, width));
                     d->setParameter(deep::kSmoothing,
                                     deep::normalised(deep::kSmoothing, smoothing));
                 }});
        }
    for (const double floorDb : {10.0, 15.0, 20.0, 25.0, 30.0, 40.0, 60.0})
        for (const bool isolation : {false, true}) {
            std::snprintf(name, sizeof name, "%s, floor %.0f dB",
                          isolation ? "isolation" : "removal", floorDb);
            list.push_back({"Ideal", name, isolation, false, {}, floorDb});
        }
    return list;
}

struct Outcome {
    const Configuration* configuration;
    OutputResult result;
    double realTimeShare;  // seconds of work per second of audio
};

double voiceLeft(const TestMix& mix, const OutputResult& r) {
    for (size_t s = 0; s < mix.stems.size(); ++s)
        if (mix.stems[s].role == StemRole::Voice) return r.stems[s].energyLeftDb;
    return 0.0;
}

// The largest change (dB, either way) of the energy of the stems of a role;
// 0 when there are none.
double worstChange(const TestMix& mix, const OutputResult& r, StemRole role) {
    double worst = 0.0;
    for (size_t s = 0; s < mix.stems.size(); ++s)
        if (mix.stems[s].role == role) worst = std::max(worst, std::fabs(r.stems[s].energyLeftDb));
    return worst;
}

void printHeader(const TestMix& mix) {
    std::printf("\n== %s ==\n%-46s", mix.name.c_str(), "effect, configuration");
    for (const Stem& stem : mix.stems) std::printf(" %15s", stem.name.c_str());
    std::printf(" %7s %6s %7s\n%-46s", "SI-SDR", "corr", "time/s", "");
    for (size_t s = 0; s < mix.stems.size(); ++s) std::printf(" %15s", "gain / left dB");
    std::printf("\n");
}

void printOutcome(const TestMix& mix, const Outcome& o) {
    const std::string label = o.configuration->effect + ": " + o.configuration->name;
    std::printf("%-46.46s", label.c_str());
    for (const StemResult& s : o.result.stems)
        std::printf("   %6.1f %6.1f", s.gainDb, s.energyLeftDb);
    (void)mix;
    std::printf(" %7.1f %6.2f %7.4f\n", o.result.siSdrDb, o.result.correlation, o.realTimeShare);
}

void printFrontier(const TestMix& mix, const std::vector<Outcome>& outcomes) {
    const bool hasLow = std::any_of(mix.stems.begin(), mix.stems.end(),
                                    [](const Stem& s) { return s.role == StemRole::Low; });
    std::printf(
        "\nFrontier on \"%s\": least change (dB, either way) at each voice depth, removal\n",
        mix.name.c_str());
    std::printf("%-8s %-7s %12s %12s   %s\n", "depth", "effect", "worst side", "bass, kick",
                "configuration reaching the side figure");
    for (const double depth : {-10.0, -15.0, -20.0, -25.0, -30.0}) {
        for (const char* effect : {"Zindra", "Deep", "Ideal"}) {
            const Outcome* bestSide = nullptr;
            double bestLow = 1e9;
            for (const Outcome& o : outcomes) {
                if (o.configuration->effect != effect || o.configuration->isolation) continue;
                if (voiceLeft(mix, o.result) > depth) continue;
                if (!bestSide || worstChange(mix, o.result, StemRole::Side) <
                                     worstChange(mix, bestSide->result, StemRole::Side))
                    bestSide = &o;
                bestLow = std::min(bestLow, worstChange(mix, o.result, StemRole::Low));
            }
            if (!bestSide) {
                std::printf("%-8.0f %-7s %12s %12s\n", depth, effect, "not reached", "");
                continue;
            }
            char low[32] = "";
            if (hasLow) std::snprintf(low, sizeof low, "%.1f", bestLow);
            std::printf("%-8.0f %-7s %12.1f %12s   %s\n", depth, effect,
                        worstChange(mix, bestSide->result, StemRole::Side), low,
                        bestSide->configuration->name.c_str());
        }
    }
    std::printf("Isolation: least energy left of the rest with the voice within 1 dB\n");
    for (const char* effect : {"Zindra", "Deep", "Ideal"}) {
        const Outcome* best = nullptr;
        for (const Outcome& o : outcomes) {
            if (o.configuration->effect != effect || !o.configuration->isolation) continue;
            if (voiceLeft(mix, o.result) < -1.0) continue;
            if (!best || o.result.othersLeftDb < best->result.othersLeftDb) best = &o;
        }
        if (best)
            std::printf("%-7s rest %6.1f dB, voice %5.1f dB   %s\n", effect,
                        best->result.othersLeftDb, voiceLeft(mix, best->result),
                        best->configuration->name.c_str());
        else
            std::printf("%-7s no configuration keeps the voice within 1 dB\n", effect);
    }
}

}  // namespace

int main(int argc, char** argv) {
    bool all = false;
    double seconds = 12.0;
    std::string only, onlyMix;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--all") == 0)
            all = true;
        else if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc)
            seconds = std::atof(argv[++i]);
        else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc)
            only = argv[++i];
        else if (std::strcmp(argv[i], "--mix") == 0 && i + 1 < argc)
            onlyMix = argv[++i];
        else {
            std::fprintf(stderr,
                         "usage: %s [--all] [--seconds S] [--only Zindra|Deep] [--mix NAME]\n",
                         argv[0]);
            return 2;
        }
    }
    std::vector<Configuration> list = configurations();
    if (!only.empty())
        std::erase_if(list, [&](const Configuration& c) { return c.effect != only; });
    for (const TestMix& mix : makeTestMixes(seconds)) {
        if (!onlyMix.empty() && mix.name != onlyMix) continue;
        const StemAnalysis analysis(mix, 1.0);
        std::vector<Outcome> outcomes;
        printHeader(mix);
        for (const Configuration& c : list) {
            double took = 0.0;
            const StereoSignal output = run(c, mix, took);
            outcomes.push_back({&c, analysis.analyse(output, c.isolation), took / seconds});
            if (all || c.program) printOutcome(mix, outcomes.back());
        }
        printFrontier(mix, outcomes);
        std::fflush(stdout);
    }
    return 0;
}
