// Sequences of host requests with arbitrary opcodes and operands, mixed with
// audio blocks, through the effect record as a host sends them, to either
// effect's VST 2 class: Zindra's (APlugin) or Zindra Deep's (DeepPlugin).
// Text and record operands get buffers of the sizes hosts use. effEditOpen,
// which needs a real window, is left out; effClose ends the sequence.
//
// An input is a run of 11-byte steps: opcode (int8), index (int16), value
// (int32), opt (float), all little-endian; the bytes after a step are also the
// text its request may read. The top bit of the first byte chooses the effect
// (set: Zindra Deep, clear: Zindra) and the first opcode is the byte's other
// seven bits: an input that starts with a request of the interface or one of
// the actions below drives Zindra. Opcodes outside the interface stand for
// other host actions:
//   100  an audio block of value mod 257 frames through processReplacing
//        (index even) or process (odd), in place or not (index bit 1); the
//        left channel a square wave of amplitude opt and a period of
//        2^(1 + index bits 2..5) frames, the right the same times index / 32768;
//   101  setParameter(index, opt), then getParameter(index);
//   102  the host's sample rate answer becomes value;
//   103  getChunk, and the very buffer handed back to setChunk (index odd: preset).
//
// One effect of each class serves the whole run: a new one costs
// milliseconds under AddressSanitizer (Zindra's engine alone a megabyte of
// vectors, every page of it fresh), many times a typical sequence. Blocks are
// short because each frame step costs a few hundred microseconds there
// (blocks of up to 256 frames instead of 1024 tripled the inputs run per
// second). They still reach every path of the block loops (a frame end inside
// a block, and Zindra's ring wrap) as hosts' 8192-frame blocks do, a frame
// step every few blocks.
//
// Before each input its effect is put back where a new one stands, so that
// an input behaves the same whatever ran before it and every finding
// reproduces from its input alone. One restore serves both classes:
//   - what requests can change is restored as the constructor leaves it:
//     every program (values, names, reserved blocks), the chunk buffers
//     (zero, since getChunk keeps bytes it does not own), the closed flag of
//     the editor bridge (the bridge's rectangle and open count never change
//     without effEditOpen), sample rate, block size and the host's answers;
//     then, as construction ends, the effect is suspended and program 0 is
//     set, which applies every parameter to the engine; a reset is left
//     pending (Zindra's program asks for one, Deep's suspend does);
//   - the rest of the engine's state (Zindra's ring, frames, positions,
//     masks, window, geometry; Deep's frame, overlap, means, echo, position,
//     rate) is left to that reset: a new effect carries out the same reset
//     before its first block, and neither processes a sample without it.
//     Until then the two differ only in the display values (Zindra's frame
//     size, band bins, last bin, spectra; Deep's levels and rate), which
//     nothing but an open editor reads, in caches keyed by their own inputs
//     (Zindra's angle range) and in work vectors every frame writes before it
//     reads them;
//   - messages queued by the audio thread are shown (to /dev/null), so the
//     shared queue is empty at the start of every input.
// What a new effect holds is taken from one built while the host answers its
// usual rate. At start-up a self-check compares, for each class, a new effect
// with one that ran a sequence touching all of the above, both restored: if
// one probe sequence gives different output or chunks, the restore has fallen
// behind the effect and the target stops before it can report findings that
// do not reproduce.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/deep/DeepParameters.h"
#include "platform/messages.h"
#include "platform/toolkit_reports.h"
#include "vst2/DeepPlugin.h"
#include "vst2/uPlugin.h"
#include "vst2/vst2.h"

namespace {

constexpr intptr_t kHostRate = 48000;
intptr_t hostRate = kHostRate;

intptr_t host(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    return opcode == audioMasterVersion ? 2400 : opcode == audioMasterGetSampleRate ? hostRate : 0;
}

struct Reader {
    const uint8_t* data;
    size_t size;
    template <typename T>
    T take() {
        T value{};
        const size_t n = size < sizeof(T) ? size : sizeof(T);
        std::memcpy(&value, data, n);
        data += n;
        size -= n;
        return value;
    }
};

// The first byte's bit that chooses Zindra Deep.
constexpr uint8_t kDeepBit = 0x80;

// The programs of a plug-in class (APlugin, DeepPlugin), as its effect keeps them.
template <typename Plugin>
using BankOf = typename std::remove_cvref_t<decltype(std::declval<Plugin&>().core())>::Bank;

// What a new effect holds that requests may change.
template <typename Plugin>
struct FreshState {
    using Program = typename BankOf<Plugin>::Program;
    float values[Plugin::kNumPrograms][Plugin::kNumParams];
    char names[Plugin::kNumPrograms][sizeof Program::name];
    uint8_t reserved[Plugin::kNumPrograms][sizeof Program::reserved];
    float sampleRate;
    int32_t blockSize;
};

template <typename Plugin>
class FuzzedEffect : public Plugin {
public:
    FuzzedEffect() : Plugin(host) {}

    FreshState<Plugin> state() const {
        FreshState<Plugin> s{};
        const BankOf<Plugin>& programs = this->core().programBank();
        for (int32_t p = 0; p < Plugin::kNumPrograms; ++p) {
            const auto& program = programs.program(p);
            for (int32_t i = 0; i < Plugin::kNumParams; ++i)
                s.values[p][i] = program.fpar[i].load();
            std::memcpy(s.names[p], program.name, sizeof s.names[p]);
            std::memcpy(s.reserved[p], program.reserved, sizeof s.reserved[p]);
        }
        s.sampleRate = this->getSampleRate();
        s.blockSize = this->getBlockSize();
        return s;
    }

    void restore(const FreshState<Plugin>& s) {
        hostRate = kHostRate;
        BankOf<Plugin>& programs = this->core().programBank();
        for (int32_t p = 0; p < Plugin::kNumPrograms; ++p) {
            auto& program = programs.program(p);
            for (int32_t i = 0; i < Plugin::kNumParams; ++i) program.fpar[i].store(s.values[p][i]);
            std::memcpy(program.name, s.names[p], sizeof s.names[p]);
            std::memcpy(program.reserved, s.reserved[p], sizeof s.reserved[p]);
        }
        programs.clearStateBuffers();
        this->editorClosed.store(false);
        this->setSampleRate(s.sampleRate);
        this->setBlockSize(s.blockSize);
        this->suspend();
        this->setProgram(0);
        messages::showPending();
    }
};

template <typename Plugin>
FuzzedEffect<Plugin>* makeEffect() {
    auto* effect = new FuzzedEffect<Plugin>;
    if (effect->ready()) return effect;
    std::fprintf(stderr, "dispatcher fuzz: no memory for the effect\n");
    std::abort();
}

// The fresh state, taken once from a new effect.
template <typename Plugin>
const FreshState<Plugin>& reference() {
    static const FreshState<Plugin> state = [] {
        hostRate = kHostRate;
        FuzzedEffect<Plugin>* effect = makeEffect<Plugin>();
        const FreshState<Plugin> made = effect->state();
        delete effect;
        return made;
    }();
    return state;
}

template <typename Plugin>
FuzzedEffect<Plugin>* current = nullptr;

// The effect for the next input, as a new one stands.
template <typename Plugin>
AEffect* freshEffect() {
    if (!current<Plugin>) current<Plugin> = makeEffect<Plugin>();
    current<Plugin>->restore(reference<Plugin>());
    return current<Plugin>->getAeffect();
}

alignas(16) char buffer[4096];
float left[1024], right[1024], outLeft[1024], outRight[1024];

void audioBlock(AEffect* effect, int32_t index, intptr_t value, float opt) {
    const int32_t frames = static_cast<int32_t>(static_cast<uint32_t>(value) % 257);
    const float rightGain = static_cast<float>(index) / 32768.0f;
    const int32_t halfPeriod = (index >> 2) & 15;
    for (int32_t i = 0; i < frames; ++i) {
        left[i] = (i >> halfPeriod) & 1 ? -opt : opt;
        right[i] = left[i] * rightGain;
        outLeft[i] = outRight[i] = 0.0f;  // what process adds to: nothing of earlier inputs
    }
    float* inputs[2] = {left, right};
    float* separate[2] = {outLeft, outRight};
    float** outputs = (index & 2) ? separate : inputs;
    if (index & 1)
        effect->process(effect, inputs, outputs, frames);
    else
        effect->processReplacing(effect, inputs, outputs, frames);
}

// Runs one input's requests; false once the effect is closed.
bool runSequence(AEffect* effect, Reader in) {
    for (bool first = true; in.size > 0; first = false) {
        auto opcode = static_cast<int32_t>(in.take<int8_t>());
        if (first) opcode &= static_cast<uint8_t>(~kDeepBit);  // the rest of the effect's byte
        const auto index = static_cast<int32_t>(in.take<int16_t>());
        const auto value = static_cast<intptr_t>(in.take<int32_t>());
        const auto opt = in.take<float>();
        switch (opcode) {
            case effEditOpen: continue;
            case effClose: effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f); return false;
            case 100: audioBlock(effect, index, value, opt); continue;
            case 101:
                effect->setParameter(effect, index, opt);
                effect->getParameter(effect, index);
                continue;
            case 102: hostRate = value; continue;
            case 103: {
                void* chunk = nullptr;
                const intptr_t bytes =
                    effect->dispatcher(effect, effGetChunk, index & 1, 0, &chunk, 0);
                effect->dispatcher(effect, effSetChunk, index & 1, bytes, chunk, 0);
                continue;
            }
            default: break;
        }
        // The text a request may read is the input that follows, terminated;
        // a chunk is as many of those bytes as the buffer holds.
        const size_t copied = opcode == effSetChunk ? sizeof buffer : 63;
        std::memset(buffer, 0, sizeof buffer);
        std::memcpy(buffer, in.data, in.size < copied ? in.size : copied);
        intptr_t operand = value;
        // Requests that take an address in value get one.
        if (opcode == effGetSpeakerArrangement) operand = reinterpret_cast<intptr_t>(buffer + 1024);
        // A chunk's size is at most what is offered.
        if (opcode == effSetChunk)
            operand = std::clamp(operand, intptr_t{0}, static_cast<intptr_t>(sizeof buffer));
        effect->dispatcher(effect, opcode, index, operand, buffer, opt);
    }
    return true;
}

// What the probe sets before each of its runs of blocks.
struct ProbeStep {
    int32_t parameter;
    float value;
    int32_t blocks;
};

template <typename Plugin>
struct Probe;
// Zindra: the band moved, a mode switched, then the larger frame size.
template <>
struct Probe<APlugin> {
    static constexpr ProbeStep steps[] = {{APlugin::kCenter, 0.75f, 10},
                                          {APlugin::kSpreadilate, 1.0f, 3},
                                          {APlugin::kHiRes, 1.0f, 11}};
};
// Zindra Deep: the longest smoothing and tail (what its means and echo carry
// from frame to frame), then Isolate.
template <>
struct Probe<DeepPlugin> {
    static constexpr ProbeStep steps[] = {
        {deep::kSmoothing, 1.0f, 10}, {deep::kTail, 1.0f, 3}, {deep::kIsolate, 1.0f, 11}};
};

// Output and chunks of a fixed sequence: what the self-check compares. The
// audio runs past the latency (in both of Zindra's frame sizes), through both
// entry points.
template <typename Plugin>
std::vector<uint8_t> probe(AEffect* effect) {
    std::vector<uint8_t> seen;
    const auto blocks = [&](int32_t count) {
        for (int32_t i = 0; i < count; ++i) {
            audioBlock(effect, (i & 3) | 4 << 2 | 0x1000, 1000, 0.5f);
            const auto* bytes = reinterpret_cast<const uint8_t*>(i & 2 ? outLeft : left);
            seen.insert(seen.end(), bytes, bytes + 1000 * sizeof(float));
        }
    };
    hostRate = 0;  // the rate then comes from the effect's own, restored value
    for (const ProbeStep& step : Probe<Plugin>::steps) {
        effect->setParameter(effect, step.parameter, step.value);
        blocks(step.blocks);
    }
    for (int32_t preset = 0; preset < 2; ++preset) {
        void* chunk = nullptr;
        const auto bytes = effect->dispatcher(effect, effGetChunk, preset, 0, &chunk, 0);
        seen.insert(seen.end(), static_cast<uint8_t*>(chunk), static_cast<uint8_t*>(chunk) + bytes);
    }
    return seen;
}

// A chunk of one kind back to the effect with every byte changed that the
// effect keeps without interpreting it: the reserved blocks, the spare bytes
// and a bank's unused entry headers. An entry is as long as a preset and ends
// with its reserved block and the spare byte; a bank's entries follow its
// header.
template <typename Plugin>
void offerMarkedChunk(AEffect* effect, bool preset) {
    using Bank = BankOf<Plugin>;
    constexpr size_t kEntry = Bank::kPresetSize;
    constexpr size_t kReservedAt = kEntry - sizeof Bank::Program::reserved - 1;
    constexpr size_t kHeader = Bank::kBankSize - Plugin::kNumPrograms * kEntry;
    void* chunk = nullptr;
    const auto bytes = effect->dispatcher(effect, effGetChunk, preset, 0, &chunk, 0);
    std::vector<uint8_t> marked(static_cast<uint8_t*>(chunk), static_cast<uint8_t*>(chunk) + bytes);
    for (size_t entry = preset ? 0 : kHeader; entry + kEntry <= marked.size(); entry += kEntry) {
        if (!preset) std::fill_n(&marked[entry], kHeader, uint8_t{0x5A});
        std::fill_n(&marked[entry + kReservedAt], kEntry - kReservedAt, uint8_t{0x5A});
    }
    effect->dispatcher(effect, effSetChunk, preset, bytes, marked.data(), 0);
}

// Everything the restore puts back, changed: programs, names, chunks with
// bytes the effect keeps, rates, sizes, a closed editor, audio.
template <typename Plugin>
void disturb(AEffect* effect) {
    offerMarkedChunk<Plugin>(effect, true);
    offerMarkedChunk<Plugin>(effect, false);
    char name[] = "disturbed";
    effect->dispatcher(effect, effSetProgramName, 0, 0, name, 0);
    effect->dispatcher(effect, effSetProgram, 0, Plugin::kNumPrograms - 1, nullptr, 0);
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, 96000.0f);
    effect->dispatcher(effect, effSetBlockSize, 0, 64, nullptr, 0);
    effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0);
    hostRate = 96000;
    for (int32_t i = 0; i < 7; ++i) audioBlock(effect, 0x2000 + i, 777, 1e30f);
    effect->setParameter(effect, 0, 0.9f);
    audioBlock(effect, 0, 333, 0.25f);
}

template <typename Plugin>
void checkRestore() {
    FuzzedEffect<Plugin>* disturbed = makeEffect<Plugin>();
    AEffect* record = disturbed->getAeffect();
    disturb<Plugin>(record);
    disturbed->restore(reference<Plugin>());
    const std::vector<uint8_t> afterUse = probe<Plugin>(record);
    delete disturbed;
    AEffect* fresh = freshEffect<Plugin>();
    const std::vector<uint8_t> afterStart = probe<Plugin>(fresh);
    if (afterUse != afterStart) {
        char name[kVstMaxEffectNameLen + 1] = {};
        fresh->dispatcher(fresh, effGetEffectName, 0, 0, name, 0);
        std::fprintf(stderr,
                     "dispatcher fuzz: a used %s, restored, differs from a new one; the "
                     "restore between inputs misses some state\n",
                     name);
        std::abort();
    }
}

template <typename Plugin>
void runInput(const uint8_t* data, size_t size) {
    if (!runSequence(freshEffect<Plugin>(), Reader{data, size}))
        current<Plugin> = nullptr;  // closed
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("ZINDRA_MESSAGE_LOG", "/dev/null", 1);
    installToolkitReports();
    checkRestore<APlugin>();
    checkRestore<DeepPlugin>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 0 && (data[0] & kDeepBit) != 0)
        runInput<DeepPlugin>(data, size);
    else
        runInput<APlugin>(data, size);
    return 0;
}
