// Captures the toolkit's reports for the duration of a test.
#pragma once

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "dsp/VecLib.h"

struct CapturedReport {
    std::string text;
    bool mayBeAudioThread;
};

class VecLibReports {
public:
    VecLibReports() {
        clear();
        setVecLibReporter(&capture);
        V_forgetLastMathError();
    }
    ~VecLibReports() { setVecLibReporter(nullptr); }

    static std::vector<CapturedReport> taken() {
        std::lock_guard<std::mutex> lock(mutex());
        return store();
    }
    static std::vector<std::string> texts() {
        std::vector<std::string> result;
        for (const auto& r : taken()) result.push_back(r.text);
        return result;
    }
    static void clear() {
        std::lock_guard<std::mutex> lock(mutex());
        store().clear();
    }

private:
    static void capture(const char* text, bool mayBeAudioThread) {
        std::lock_guard<std::mutex> lock(mutex());
        store().push_back(CapturedReport{text, mayBeAudioThread});
    }
    static std::mutex& mutex() {
        static std::mutex m;
        return m;
    }
    static std::vector<CapturedReport>& store() {
        static std::vector<CapturedReport> s;
        return s;
    }
};
