// The library under test as a host holds it: loaded by its file name, its
// exported entry function called with a recording host callback, and the
// effect reached only through the record. The command line names the library
// and which effect it must be (ExpectedEffect.h).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "conformance/ExpectedEffect.h"
#include "platform/dynamic_library.h"
#include "support/RecordingHost.h"
#include "vst2/vst2.h"

inline std::string libraryPath;
inline std::unique_ptr<platform::DynamicLibrary> library;
inline const ExpectedEffect* expectedEffect = nullptr;

inline const ExpectedEffect& expected() { return *expectedEffect; }
// True when the library under test is the effect e (for tests of one
// effect's own behaviour).
inline bool underTest(const ExpectedEffect& e) { return expectedEffect == &e; }

inline VstEntryProc entry() {
    if (!library) library = std::make_unique<platform::DynamicLibrary>(libraryPath);
    return reinterpret_cast<VstEntryProc>(library->symbol("main"));
}

inline intptr_t send(AEffect* e, int32_t opcode, int32_t index = 0, intptr_t value = 0,
                     void* ptr = nullptr, float opt = 0.0f) {
    return e->dispatcher(e, opcode, index, value, ptr, opt);
}

// One plug-in instance as a host holds it; closed with effClose at the end.
class Instance : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(entry(), nullptr) << "cannot load " << libraryPath << ": " << library->error();
        host.answers[audioMasterGetSampleRate] = 44100;
        effect = entry()(RecordingHost::callback);
        ASSERT_NE(effect, nullptr);
    }
    void TearDown() override {
        if (effect) {
            EXPECT_EQ(send(effect, effClose), 1);
        }
    }
    std::string text(int32_t opcode, int32_t index = 0) {
        char buffer[256];
        std::memset(buffer, 0, sizeof buffer);
        send(effect, opcode, index, 0, buffer);
        return buffer;
    }

    RecordingHost host;
    AEffect* effect = nullptr;
};

// Audio as hosts send it: the settings just before the first block, then
// blocks from sample 0, all of the same size.
class Audio : public Instance {
protected:
    struct Stereo {
        std::vector<float> left, right;
    };

    void start(int32_t program, int32_t blockSize) {
        send(effect, effSetSampleRate, 0, 0, nullptr, 44100.0f);
        send(effect, effSetBlockSize, 0, blockSize);
        send(effect, effMainsChanged, 0, 1);
        send(effect, effSetProgram, 0, program);  // Zindra's "Hi-Res" asks for an engine reset
    }
    Stereo play(const Stereo& input, int32_t blockSize, bool replacing) {
        Stereo output{std::vector<float>(input.left.size(), 0.0f),
                      std::vector<float>(input.left.size(), 0.0f)};
        for (size_t at = 0; at < input.left.size(); at += static_cast<size_t>(blockSize)) {
            const auto n = static_cast<int32_t>(
                std::min(input.left.size() - at, static_cast<size_t>(blockSize)));
            float* in[2] = {const_cast<float*>(input.left.data() + at),
                            const_cast<float*>(input.right.data() + at)};
            float* out[2] = {output.left.data() + at, output.right.data() + at};
            if (replacing)
                effect->processReplacing(effect, in, out, n);
            else
                effect->process(effect, in, out, n);
        }
        return output;
    }
    static Stereo noise(size_t n, bool identical) {
        Stereo s{std::vector<float>(n), std::vector<float>(n)};
        uint32_t state = 1;
        const auto next = [&state] {
            state = state * 1664525u + 1013904223u;
            return static_cast<float>(static_cast<int32_t>(state)) / 4294967296.0f;
        };
        for (size_t i = 0; i < n; ++i) {
            s.left[i] = next();
            s.right[i] = identical ? s.left[i] : next();
        }
        return s;
    }
    static double energy(const std::vector<float>& x, size_t from, size_t to) {
        double e = 0.0;
        for (size_t i = from; i < to; ++i) e += static_cast<double>(x[i]) * x[i];
        return e;
    }
};
