// A plug-in library loaded the way a host loads it: by path, through its
// exported entry function, and from then on only through the effect record.
// Free of libsndfile and of the command line, so that the same hosting code
// also builds for Windows.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/dynamic_library.h"
#include "vst2/vst2.h"

class HostedPlugin {
public:
    // Loads the library and builds one effect at the given sample rate, which
    // it is told both ways: with effSetSampleRate and as the answer to
    // audioMasterGetSampleRate. Throws std::runtime_error with a message for
    // the user when that is not possible.
    HostedPlugin(const std::string& libraryPath, float sampleRate);
    ~HostedPlugin();
    HostedPlugin(const HostedPlugin&) = delete;
    HostedPlugin& operator=(const HostedPlugin&) = delete;

    AEffect& record() { return *effect; }
    intptr_t send(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                  float opt = 0.0f);
    // A text request (effGetEffectName, effGetParamName …); empty when unanswered.
    std::string text(int32_t opcode, int32_t index = 0);

    float sampleRate() const { return rate; }
    int32_t blockSize() const { return block; }
    int32_t latency() const { return effect->initialDelay; }
    int32_t uniqueID() const { return effect->uniqueID; }

    // Tells the block size and switches the effect on, as a host does before
    // its first processing call.
    void start(int32_t maxBlockSize);

    std::vector<std::string> programNames();
    std::vector<std::string> parameterNames();
    void setProgram(int32_t index) { send(effSetProgram, 0, index); }
    int32_t program() { return static_cast<int32_t>(send(effGetProgram)); }
    void setParameter(int32_t index, float value) { effect->setParameter(effect, index, value); }
    float parameter(int32_t index) { return effect->getParameter(effect, index); }

    // The effect's chunk (one program or the whole bank); empty when it has none.
    std::vector<uint8_t> chunk(bool preset);
    void setChunk(std::vector<uint8_t> data, bool preset);

    // One processing call over n frames of two channels (replacing when the
    // effect can, otherwise accumulating into outputs the caller has cleared).
    void process(float** inputs, float** outputs, int32_t frames);

private:
    static intptr_t hostCallback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                                 void* ptr, float opt);

    std::unique_ptr<platform::DynamicLibrary> library;
    AEffect* effect = nullptr;
    float rate;
    int32_t block = 1024;
};
