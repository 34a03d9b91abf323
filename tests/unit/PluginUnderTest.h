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
    std::array<float, zindra::kNumParams> values;
    std::array<char, 51> name;
    std::array<uint8_t, 256> reserved;
    bool operator==(const ProgramState& other) const {
        return sameBits(values, other.values) && name == other.name && reserved == other.reserved;
    }
};

struct PluginState {
    int32_t currentProgram;
    std::array<float, zindra::kNumParams> params;
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

// The effect's programs, indexed as an array.
struct ProgramsView {
    core::ProgramBank* bank;
    APluginProgram& operator[](int32_t p) const { return bank->program(p); }
};

class PluginUnderTest : public APlugin {
public:
    explicit PluginUnderTest(audioMasterCallback host = nullptr) : APlugin(host) {}

    using APlugin::curProgram;
    using APlugin::editorClosed;

    // The engine's controls, as the parameters left them.
    const FrameEngine::Controls& controls = core().frameEngine().currentControls();
    const std::atomic<float>& centerHz = controls.centerHz;
    const std::atomic<float>& widthHz = controls.widthHz;
    const std::atomic<float>& spreadAngle = controls.spreadAngle;
    const std::atomic<float>& mixFactorRe = controls.mixFactorRe;
    const std::atomic<float>& humidity = controls.humidity;
    const std::atomic<bool>& bypassOn = controls.bypassOn;
    const std::atomic<bool>& zindracateOn = controls.zindracateOn;
    const std::atomic<bool>& stereolizeOn = controls.stereolizeOn;
    const std::atomic<bool>& passThruOn = controls.passThruOn;
    const std::atomic<bool>& isolateOn = controls.isolateOn;
    const std::atomic<bool>& spreadilateOn = controls.spreadilateOn;
    const std::atomic<int32_t>& requestedFrameSize = controls.requestedFrameSize;
    const std::atomic<bool>& resetPending = controls.resetPending;
    ProgramsView programs{&core().programBank()};

    bool isResetPending() const { return core().frameEngine().isResetPending(); }
    int32_t getBandLimitBin() const { return core().frameEngine().getBandLimitBin(); }
    int32_t copyMagnitudes(float* left, float* right, int32_t capacity) {
        return core().frameEngine().copyMagnitudes(left, right, capacity);
    }
    int32_t getBandLowBin() const { return core().frameEngine().getBandLowBin(); }
    int32_t getBandHighBin() const { return core().frameEngine().getBandHighBin(); }
    int32_t currentFrameSize() const { return core().frameEngine().currentFrameSize(); }

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
        const char* name = core().programBank().program(program).name;
        return std::string(name, strnlen(name, sizeof(APluginProgram::name)));
    }

    PluginState state() const {
        const core::ProgramBank& bank = core().programBank();
        PluginState s{};
        s.currentProgram = curProgram.load();
        for (int i = 0; i < kNumParams; ++i) s.params[i] = core().parameter(i);
        for (int p = 0; p < kNumPrograms; ++p) {
            for (int i = 0; i < kNumParams; ++i)
                s.programs[p].values[i] = bank.program(p).fpar[i].load();
            std::memcpy(s.programs[p].name.data(), bank.program(p).name, 51);
            std::memcpy(s.programs[p].reserved.data(), bank.program(p).reserved, 256);
        }
        s.quantities = {centerHz.load(), widthHz.load(), spreadAngle.load(), mixFactorRe.load(),
                        humidity.load()};
        s.switches = {bypassOn.load(),   zindracateOn.load(), stereolizeOn.load(),
                      passThruOn.load(), isolateOn.load(),    spreadilateOn.load()};
        s.requestedFrameSize = requestedFrameSize.load();
        s.resetPending = resetPending.load();
        s.presetChunk.assign(bank.presetBuffer(), bank.presetBuffer() + 364);
        s.bankChunk.assign(bank.bankBuffer(), bank.bankBuffer() + 3648);
        return s;
    }
};
