// Sequences of host requests with arbitrary opcodes and operands, mixed with
// audio blocks, through the effect record as a host sends them. Text and
// record operands get buffers of the sizes hosts use. effEditOpen, which
// needs a real window, is left out; effClose ends the sequence.
//
// An input is a run of 11-byte steps: opcode (int8), index (int16), value
// (int32), opt (float), all little-endian; the bytes after a step are also the
// text its request may read. Opcodes outside the interface stand for other
// host actions:
//   100  an audio block of value mod 257 frames through processReplacing
//        (index even) or process (odd), in place or not (index bit 1); the
//        left channel a square wave of amplitude opt and a period of
//        2^(1 + index bits 2..5) frames, the right the same times index / 32768;
//   101  setParameter(index, opt), then getParameter(index);
//   102  the host's sample rate answer becomes value;
//   103  getChunk, and the very buffer handed back to setChunk (index odd: preset).
//
// One effect serves the whole run: a new one costs milliseconds under
// AddressSanitizer (a megabyte of vectors, every page of it fresh), many
// times a typical sequence. Blocks are short because each frame step costs a
// few hundred microseconds there (blocks of up to 256 frames instead of 1024
// tripled the inputs run per second). They still reach every path of
// the block loop (a frame end and a ring wrap inside a block) as hosts'
// 8192-frame blocks do, a frame step every few blocks.
//
// Before each input the effect is put back where a new one stands, so that
// an input behaves the same whatever ran before it and every finding
// reproduces from its input alone:
//   - what requests can change is restored as the constructor leaves it: the
//     ten programs (values, names, reserved blocks), the chunk buffers
//     (zero, since getChunk keeps bytes it does not own), the closed flag of
//     the editor bridge (the bridge's rectangle and open count never change
//     without effEditOpen), sample rate, block size and the host's answers;
//     then, as construction ends, program 0 is set, which applies all twelve
//     parameters to the engine and leaves a reset pending;
//   - the engine's signal state (ring, frames, positions, masks, window,
//     geometry) is left to the reset that program 0 leaves pending: a new
//     effect carries out the same reset before its first block, and neither
//     processes a sample without it. Until then the two differ only in the
//     display values (frame size, band bins, last bin, spectra), which nothing but an
//     open editor reads, and in caches keyed by their own inputs (the angle
//     range);
//   - messages queued by the audio thread are shown (to /dev/null), so the
//     shared queue is empty at the start of every input.
// At start-up a self-check compares a new effect with one that ran a
// sequence touching all of the above, both restored: if one probe sequence
// gives different output or chunks, the reset has fallen behind the effect
// and the target stops before it can report findings that do not reproduce.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/messages.h"
#include "platform/toolkit_reports.h"
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

// What a new effect holds that requests may change.
struct FreshState {
    float values[APlugin::kNumPrograms][APlugin::kNumParams];
    char names[APlugin::kNumPrograms][sizeof APluginProgram::name];
    uint8_t reserved[APlugin::kNumPrograms][sizeof APluginProgram::reserved];
    float sampleRate;
    int32_t blockSize;
};

class FuzzedEffect : public APlugin {
public:
    FuzzedEffect() : APlugin(host) {}

    FreshState state() const {
        FreshState s{};
        const core::ProgramBank& programs = core().programBank();
        for (int32_t p = 0; p < kNumPrograms; ++p) {
            const APluginProgram& program = programs.program(p);
            for (int32_t i = 0; i < kNumParams; ++i) s.values[p][i] = program.fpar[i].load();
            std::memcpy(s.names[p], program.name, sizeof s.names[p]);
            std::memcpy(s.reserved[p], program.reserved, sizeof s.reserved[p]);
        }
        s.sampleRate = getSampleRate();
        s.blockSize = getBlockSize();
        return s;
    }

    void restore(const FreshState& s) {
        hostRate = kHostRate;
        core::ProgramBank& programs = core().programBank();
        for (int32_t p = 0; p < kNumPrograms; ++p) {
            APluginProgram& program = programs.program(p);
            for (int32_t i = 0; i < kNumParams; ++i) program.fpar[i].store(s.values[p][i]);
            std::memcpy(program.name, s.names[p], sizeof s.names[p]);
            std::memcpy(program.reserved, s.reserved[p], sizeof s.reserved[p]);
        }
        programs.clearStateBuffers();
        editorClosed.store(false);
        setSampleRate(s.sampleRate);
        setBlockSize(s.blockSize);
        getVu();
        setProgram(0);
        messages::showPending();
    }
};

FuzzedEffect* makeEffect() {
    auto* effect = new FuzzedEffect;
    if (effect->ready()) return effect;
    std::fprintf(stderr, "dispatcher fuzz: no memory for the effect\n");
    std::abort();
}

// The fresh state, taken once from a new effect.
struct Reference {
    FreshState state;
};

const Reference& reference() {
    static const Reference r = [] {
        FuzzedEffect* effect = makeEffect();
        Reference made{effect->state()};
        delete effect;
        return made;
    }();
    return r;
}

FuzzedEffect* current = nullptr;

// The effect for the next input, as a new one stands.
AEffect* freshEffect() {
    if (!current) current = makeEffect();
    const Reference& r = reference();
    current->restore(r.state);
    return current->getAeffect();
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
    while (in.size > 0) {
        const auto opcode = static_cast<int32_t>(in.take<int8_t>());
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

// Output and chunks of a fixed sequence: what the self-check compares. The
// audio runs past the latency in both frame sizes, through both entry points.
std::vector<uint8_t> probe(AEffect* effect) {
    std::vector<uint8_t> seen;
    const auto blocks = [&](int count) {
        for (int32_t i = 0; i < count; ++i) {
            audioBlock(effect, (i & 3) | 4 << 2 | 0x1000, 1000, 0.5f);
            const auto* bytes = reinterpret_cast<const uint8_t*>(i & 2 ? outLeft : left);
            seen.insert(seen.end(), bytes, bytes + 1000 * sizeof(float));
        }
    };
    hostRate = 0;  // the rate then comes from the effect's own, restored value
    effect->setParameter(effect, APlugin::kCenter, 0.75f);
    blocks(10);
    effect->setParameter(effect, APlugin::kSpreadilate, 1.0f);
    blocks(3);
    effect->setParameter(effect, APlugin::kHiRes, 1.0f);
    blocks(11);
    for (int32_t preset = 0; preset < 2; ++preset) {
        void* chunk = nullptr;
        const auto bytes = effect->dispatcher(effect, effGetChunk, preset, 0, &chunk, 0);
        seen.insert(seen.end(), static_cast<uint8_t*>(chunk), static_cast<uint8_t*>(chunk) + bytes);
    }
    return seen;
}

// A chunk of one kind back to the effect with every byte changed that the
// effect keeps without interpreting it: the reserved blocks, the spare bytes
// and a bank's unused entry headers. An entry is 364 bytes, its reserved
// block starts at 107; a bank's entries follow an 8-byte header.
void offerMarkedChunk(AEffect* effect, bool preset) {
    constexpr size_t kEntry = 364, kReservedAt = 107, kHeader = 8;
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
void disturb(AEffect* effect) {
    offerMarkedChunk(effect, true);
    offerMarkedChunk(effect, false);
    char name[] = "disturbed";
    effect->dispatcher(effect, effSetProgramName, 0, 0, name, 0);
    effect->dispatcher(effect, effSetProgram, 0, 7, nullptr, 0);
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, 96000.0f);
    effect->dispatcher(effect, effSetBlockSize, 0, 64, nullptr, 0);
    effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0);
    hostRate = 96000;
    for (int32_t i = 0; i < 7; ++i) audioBlock(effect, 0x2000 + i, 777, 1e30f);
    effect->setParameter(effect, APlugin::kCenter, 0.9f);
    audioBlock(effect, 0, 333, 0.25f);
}

void checkRestore() {
    FuzzedEffect* disturbed = makeEffect();
    AEffect* record = disturbed->getAeffect();
    disturb(record);
    const Reference& r = reference();
    disturbed->restore(r.state);
    const std::vector<uint8_t> afterUse = probe(record);
    delete disturbed;
    const std::vector<uint8_t> afterStart = probe(freshEffect());
    if (afterUse != afterStart) {
        std::fprintf(stderr,
                     "dispatcher fuzz: a used effect, restored, differs from a new one; the "
                     "restore between inputs misses some state\n");
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("ZINDRA_MESSAGE_LOG", "/dev/null", 1);
    installToolkitReports();
    checkRestore();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!runSequence(freshEffect(), Reader{data, size})) current = nullptr;  // closed
    return 0;
}
