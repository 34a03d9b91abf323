// APlugin with its protected state opened to the plug-in's unit tests, a
// snapshot of everything a parameter, program or chunk operation may change,
// and an editor that counts the effect's update calls.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "vst2/AEffEditor.h"
#include "vst2/uPlugin.h"

class CountingEditor : public AEffEditor {
public:
    using AEffEditor::AEffEditor;
    void update() override { ++updates; }
    int updates = 0;
};

// Values are compared bit for bit, so that a NaN kept in a program compares
// equal to itself.
template <size_t N>
bool sameBits(const std::array<float, N>& a, const std::array<float, N>& b) {
    return std::memcmp(a.data(), b.data(), sizeof(float) * N) == 0;
}

struct ProgramState {
    std::array<float, 12> values;
    std::array<char, 51> name;
    std::array<uint8_t, 256> reserved;
    bool operator==(const ProgramState& other) const {
        return sameBits(values, other.values) && name == other.name && reserved == other.reserved;
    }
};

struct PluginState {
    int32_t currentProgram;
    std::array<float, 12> params;
    std::array<ProgramState, 10> programs;
    std::array<float, 5> quantities;  // centre, width, spread, mix, humidity
    std::array<bool, 6> switches;     // bypass and the five mode switches
    int32_t requestedFrameSize;
    bool resetPending;
    std::vector<uint8_t> presetChunk;
    std::vector<uint8_t> bankChunk;

    bool operator==(const PluginState& other) const {
        return currentProgram == other.currentProgram && sameBits(params, other.params) &&
               programs == other.programs && sameBits(quantities, other.quantities) &&
               switches == other.switches && requestedFrameSize == other.requestedFrameSize &&
               resetPending == other.resetPending && presetChunk == other.presetChunk &&
               bankChunk == other.bankChunk;
    }
};

class PluginUnderTest : public APlugin {
public:
    explicit PluginUnderTest(audioMasterCallback host = nullptr) : APlugin(host) {}

    using APlugin::bankChunk;
    using APlugin::bypassOn;
    using APlugin::centerHz;
    using APlugin::curProgram;
    using APlugin::editorClosed;
    using APlugin::humidity;
    using APlugin::isolateOn;
    using APlugin::mixFactorRe;
    using APlugin::params;
    using APlugin::passThruOn;
    using APlugin::presetChunk;
    using APlugin::programs;
    using APlugin::requestedFrameSize;
    using APlugin::resetPending;
    using APlugin::spreadAngle;
    using APlugin::spreadilateOn;
    using APlugin::stereolizeOn;
    using APlugin::widthHz;
    using APlugin::zindracateOn;

    // Replaces the editor object with one that counts updates.
    CountingEditor& countUpdates() {
        AEffEditor* old = getEditor();
        auto* counting = new CountingEditor(this);
        setEditor(counting);
        delete old;
        return *counting;
    }

    // Runs the pending reset, as the next processing call would.
    void runOneBlock() {
        float left[16] = {}, right[16] = {};
        float* channels[2] = {left, right};
        processReplacing(channels, channels, 16);
    }

    std::string programName(int32_t program) const {
        const char* name = programs[program].name;
        return std::string(name, strnlen(name, sizeof programs[program].name));
    }

    PluginState state() const {
        PluginState s{};
        s.currentProgram = curProgram.load();
        for (int i = 0; i < kNumParams; ++i) s.params[i] = params[i].load();
        for (int p = 0; p < kNumPrograms; ++p) {
            for (int i = 0; i < kNumParams; ++i)
                s.programs[p].values[i] = programs[p].fpar[i].load();
            std::memcpy(s.programs[p].name.data(), programs[p].name, 51);
            std::memcpy(s.programs[p].reserved.data(), programs[p].reserved, 256);
        }
        s.quantities = {centerHz.load(), widthHz.load(), spreadAngle.load(), mixFactorRe.load(),
                        humidity.load()};
        s.switches = {bypassOn.load(),   zindracateOn.load(), stereolizeOn.load(),
                      passThruOn.load(), isolateOn.load(),    spreadilateOn.load()};
        s.requestedFrameSize = requestedFrameSize.load();
        s.resetPending = resetPending.load();
        s.presetChunk.assign(presetChunk.get(), presetChunk.get() + 364);
        s.bankChunk.assign(bankChunk.get(), bankChunk.get() + 3648);
        return s;
    }
};
