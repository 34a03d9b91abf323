// What an engine asks of whoever holds it: the rate to run at.
#pragma once

class SampleRateSource {
public:
    // [any thread] The rate to run at, asked at construction, at every reset
    // and whenever the engine is told the rate may have changed.
    virtual float hostSampleRate() = 0;

protected:
    ~SampleRateSource() = default;
};
