// What an LV2 host sees of an effect's ports, in index order: stereo audio,
// one control input per parameter in the order of the effect's table (from
// which the symbols, names, ranges, defaults and switch properties come),
// the latency report. Shared by the plug-in, its UI and the bundle's
// generator.
#pragma once

#include <cmath>
#include <cstdint>

#include "lv2/PluginDescription.h"

namespace lv2 {

enum Port : uint32_t {
    kInputLeft,
    kInputRight,
    kOutputLeft,
    kOutputRight,
    kFirstControl,
};

template <typename Effect>
struct Ports {
    static constexpr int32_t kNumControls = Effect::kNumParams;
    static constexpr uint32_t kLatency = kFirstControl + static_cast<uint32_t>(kNumControls);
    static constexpr uint32_t kCount = kLatency + 1;

    static constexpr bool isControlInput(uint32_t port) {
        return port >= kFirstControl && port < kLatency;
    }

    // What one 0..1 value is in the control port's terms: the unit of the
    // row's readout for an effect whose ports carry units, else 1. A port
    // value p is the effect's value p / scale, and the effect's value v the
    // port's v * scale, both rounded once from double: with a scale of 1
    // the value passes unchanged.
    static constexpr double scale(int32_t index) {
        return DescriptionOf<Effect>::kDescription.portsInUnits
                   ? Effect::parameters()[static_cast<size_t>(index)].unitsPerValue()
                   : 1.0;
    }
    static constexpr float effectValue(int32_t index, float port) {
        return static_cast<float>(static_cast<double>(port) / scale(index));
    }
    static constexpr float portValue(int32_t index, float value) {
        return static_cast<float>(static_cast<double>(value) * scale(index));
    }

    // The port value the bundle publishes for the effect's value (a port's
    // default, a preset's value), which a new instance takes the ports to
    // hold. For ports in units: in the fewest decimal places that still give
    // the effect's value back, so that hosts show "15 %" and not "15.000001 %"
    // (places says how many; -1: none would do, and the value is exact).
    // For 0..1 ports: the effect's value itself (places -1).
    struct Published {
        float value;
        int places;
    };
    static Published published(int32_t index, float value) {
        const float exact = portValue(index, value);
        if (!DescriptionOf<Effect>::kDescription.portsInUnits) return {exact, -1};
        double factor = 1.0;
        for (int places = 0; places <= 6; ++places, factor *= 10.0) {
            const auto rounded =
                static_cast<float>(std::round(static_cast<double>(exact) * factor) / factor);
            if (effectValue(index, rounded) == value) return {rounded, places};
        }
        return {exact, -1};
    }
};

}  // namespace lv2
