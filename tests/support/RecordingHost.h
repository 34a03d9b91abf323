// A host callback that records every request and answers from a table, for
// tests that look at what the effect asks of its host.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "vst2/vst2.h"

struct HostCall {
    AEffect* effect;
    int32_t opcode;
    int32_t index;
    intptr_t value;
    void* ptr;
    float opt;
};

class RecordingHost {
public:
    RecordingHost() { current() = this; }
    ~RecordingHost() { current() = nullptr; }

    // The callback to hand to the effect; it reaches the most recent host object.
    static intptr_t callback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                             void* ptr, float opt) {
        RecordingHost* host = current();
        if (!host) return 0;
        host->calls.push_back({effect, opcode, index, value, ptr, opt});
        if (host->onCall) host->onCall(host->calls.back());
        const auto answer = host->answers.find(opcode);
        return answer == host->answers.end() ? 0 : answer->second;
    }

    size_t count(int32_t opcode) const {
        size_t n = 0;
        for (const HostCall& call : calls)
            if (call.opcode == opcode) ++n;
        return n;
    }

    // What the host heard of the editor's gestures, in order: "B1 A1 E1 " for
    // begin, automates (a run of one parameter's counts once) and end of
    // parameter 1.
    std::string gestures() const {
        std::string heard;
        for (const HostCall& call : calls) {
            const std::string index = std::to_string(call.index);
            if (call.opcode == audioMasterBeginEdit) heard += "B" + index + " ";
            if (call.opcode == audioMasterAutomate && !heard.ends_with("A" + index + " "))
                heard += "A" + index + " ";
            if (call.opcode == audioMasterEndEdit) heard += "E" + index + " ";
        }
        return heard;
    }

    std::vector<HostCall> calls;
    std::function<void(const HostCall&)> onCall;
    std::map<int32_t, intptr_t> answers{{audioMasterVersion, 2400}};

private:
    static RecordingHost*& current() {
        static RecordingHost* host = nullptr;
        return host;
    }
};
