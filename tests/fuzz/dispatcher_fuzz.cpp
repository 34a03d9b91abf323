// Sequences of host requests with arbitrary opcodes and operands, mixed with
// audio blocks, through the effect record as a host sends them. Text and
// record operands get buffers of the sizes hosts use; the window opcodes and
// effClose, which need a real window or end the effect, are left out.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "host/vst2.h"
#include "plugin/uPlugin.h"

namespace {

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

intptr_t host(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    return opcode == audioMasterVersion ? 2400 : opcode == audioMasterGetSampleRate ? 48000 : 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("ZINDRA_MESSAGE_LOG", "/dev/null", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    AudioEffect* object = createEffectInstance(host);
    if (!object) return 0;
    AEffect* effect = object->getAeffect();
    Reader in{data, size};
    alignas(16) static char buffer[4096];
    static float left[8192], right[8192];
    while (in.size > 0) {
        const auto opcode = static_cast<int32_t>(in.take<int8_t>());
        const auto index = static_cast<int32_t>(in.take<int16_t>());
        const auto value = static_cast<intptr_t>(in.take<int32_t>());
        const auto opt = in.take<float>();
        std::memset(buffer, 0, sizeof buffer);
        std::memcpy(buffer, in.data, in.size < 64 ? in.size : 64);  // a text, terminated
        buffer[63] = 0;
        if (opcode == effClose || opcode == effEditOpen) continue;
        if (opcode == 100) {  // not an opcode: an audio block instead
            const int32_t frames = static_cast<int32_t>(static_cast<uint32_t>(value) % 8193);
            float* channels[2] = {left, right};
            for (int32_t i = 0; i < frames; ++i) left[i] = right[i] = opt;
            effect->processReplacing(effect, channels, channels, frames);
            effect->process(effect, channels, channels, frames);
            continue;
        }
        if (opcode == 101) {
            effect->setParameter(effect, index, opt);
            effect->getParameter(effect, index);
            continue;
        }
        intptr_t operand = value;
        // Requests that take an address in value get one.
        if (opcode == effGetSpeakerArrangement) operand = reinterpret_cast<intptr_t>(buffer + 1024);
        // A chunk's size is the size of what is offered.
        if (opcode == effSetChunk && operand > 2048) operand = 2048;
        if (opcode == effSetChunk && operand < 0) operand = 0;
        effect->dispatcher(effect, opcode, index, operand, buffer, opt);
    }
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    return 0;
}
