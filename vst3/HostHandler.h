// The host's component handler as a component holds it: one reference while
// it is set, given back when another replaces it or the component goes. What
// the component tells its host (an edit, values to reread) goes through here
// and is dropped while the host has given no handler.
//
// Threads: the host's UI thread.
#pragma once

#include "vst3/vst3.h"

namespace vst3 {

class HostHandler {
public:
    HostHandler() = default;
    ~HostHandler();
    HostHandler(const HostHandler&) = delete;
    HostHandler& operator=(const HostHandler&) = delete;

    // Null gives the reference back and sets none.
    void set(IComponentHandler* handler);

    void beginEdit(ParamID id);
    void performEdit(ParamID id, ParamValue value);
    void endEdit(ParamID id);
    // restartComponent with flags (kParamValuesChanged: reread every value).
    void restart(int32_t flags);

private:
    IComponentHandler* handler = nullptr;
};

}  // namespace vst3
