// What an effect tells, and asks of, the format that holds it.
#pragma once

#include <cstdint>

namespace core {

class EffectHooks {
public:
    // [any thread] The rate to run at: asked at construction, at every engine
    // reset (on the audio thread) and when refreshSampleRate is called.
    virtual float hostSampleRate() = 0;
    // [any thread] A parameter took a value (also through a program change
    // or a loaded state); the editor follows.
    virtual void parameterChanged(int32_t index) = 0;
    // [ui thread] The current program or its name changed.
    virtual void programChanged() = 0;

protected:
    ~EffectHooks() = default;
};

}  // namespace core
