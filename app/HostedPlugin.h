// A plug-in library loaded the way a host loads it: by path, through its
// exported entry function, and from then on only through the effect record.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host/vst2.h"
#include "platform/dynamic_library.h"

class HostedPlugin {
public:
    // Loads the library and builds one effect; throws std::runtime_error with
    // a message for the user when that is not possible.
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

private:
    static intptr_t hostCallback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                                 void* ptr, float opt);

    std::unique_ptr<platform::DynamicLibrary> library;
    AEffect* effect = nullptr;
    float rate;
};
