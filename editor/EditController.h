// What the editor asks of the effect it shows. Each format implements it
// over the core: the editor never learns which format it lives in.
//
// Threads: the editor's own (the host's UI thread).
#pragma once

#include <cstdint>

namespace editor {

// Values the engine publishes for the display.
struct DisplayValues {
    int32_t bandLimitBin = 0;  // the last bin the spectrum shows
    int32_t bandLowBin = 0;    // the band's edges, as markers
    int32_t bandHighBin = 0;
    float latencyMs = 0.0f;
};

class EditController {
public:
    // One gesture on a parameter: begin, any number of performs, end. A drag
    // of a slider is one gesture, a click of a switch another.
    virtual void beginEdit(int32_t index) = 0;
    virtual void performEdit(int32_t index, float value) = 0;
    virtual void endEdit(int32_t index) = 0;
    // The parameter's value as the effect holds it.
    virtual float parameterValue(int32_t index) = 0;
    // Asks the host for the sample rate again (an editor opens).
    virtual void refreshSampleRate() = 0;
    virtual DisplayValues displayValues() = 0;
    // Copies the newest complete frame's magnitudes, at most capacity values
    // per channel, and answers how many bins that frame had.
    virtual int32_t copyMagnitudes(float* left, float* right, int32_t capacity) = 0;

protected:
    ~EditController() = default;
};

}  // namespace editor
