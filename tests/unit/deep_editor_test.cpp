// Zindra Deep's editor inside a VST 2 host: what the host hears of a gesture,
// how the host's automation and the engine's display reach the window.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/DeepEditorWindow.h"
#include "platform/offscreen/OffscreenWindow.h"
#include "support/RecordingHost.h"
#include "vst2/DeepPluginEditor.h"

namespace {

std::unique_ptr<platform::NativeWindow> offscreenWindow(void*, int width, int height) {
    return std::make_unique<platform::OffscreenWindow>(width, height);
}

class DeepBridge : public ::testing::Test {
protected:
    void SetUp() override {
        host.answers[audioMasterGetSampleRate] = 48000;
        plugin = std::make_unique<DeepPlugin>(RecordingHost::callback);
        ASSERT_TRUE(plugin->ready());
        AEffEditor* old = plugin->getEditor();
        bridge = new DeepPluginEditor(plugin.get(), &offscreenWindow);
        plugin->setEditor(bridge);
        delete old;
        ASSERT_EQ(bridge->open(&parent), 1);
    }
    editor::DeepEditorWindow& window() {
        return static_cast<editor::DeepEditorWindow&>(*bridge->effectWindow());
    }
    platform::OffscreenWindow& screen() {
        return *static_cast<platform::OffscreenWindow*>(window().window());
    }
    // Blocks of a square wave in both channels (the centre) with faint noise in the left.
    void feedAudio(int blocks) {
        std::vector<float> left(512), right(512);
        uint32_t state = 7;
        for (int b = 0; b < blocks; ++b) {
            for (int i = 0; i < 512; ++i) {
                state = state * 1664525u + 1013904223u;
                const float tone = 0.3f * static_cast<float>((b * 512 + i) % 64 < 32 ? 1 : -1);
                left[i] = tone + static_cast<float>(static_cast<int32_t>(state)) * 1e-12f;
                right[i] = tone;
            }
            float* in[2] = {left.data(), right.data()};
            plugin->processReplacing(in, in, 512);
        }
    }

    RecordingHost host;
    std::unique_ptr<DeepPlugin> plugin;
    DeepPluginEditor* bridge = nullptr;
    int parent = 0;
};

TEST_F(DeepBridge, TheWindowHasItsOwnSizeAndEveryParameterAControl) {
    ERect* rect = nullptr;
    ASSERT_EQ(bridge->getRect(&rect), 1);
    EXPECT_EQ(rect->right, editor::DeepEditorWindow::kClientWidth);
    EXPECT_EQ(rect->bottom, editor::DeepEditorWindow::kClientHeight);
    EXPECT_TRUE(plugin->getAeffect()->flags & effFlagsHasEditor);
    for (int tag = 0; tag < deep::kNumParams; ++tag) {
        if (deep::kParameters[tag].isSwitch())
            EXPECT_EQ(window().switchButton(tag).tag(), tag);
        else
            EXPECT_EQ(window().slider(tag).tag(), tag);
    }
    EXPECT_EQ(window().ms_latency->caption(), "85.33 ms") << "4096 samples at 48 kHz";
}

// A drag of the "Depth" pointer, then a click of "Isolate": begin, the
// automates, end, in that order, each gesture on its own parameter.
TEST_F(DeepBridge, EveryGestureReachesTheHostBracketedByBeginAndEndEdit) {
    host.calls.clear();
    const int depthX = 4 + 29 + 15 + static_cast<int>(0.6667 * 156), y = 27 + 73 + 9;
    screen().mouseDown(depthX, y);
    screen().mouseMove(depthX - 20, y);
    screen().mouseMove(depthX - 60, y);
    screen().mouseUp(depthX - 60, y);
    screen().click(4 + 307 + 55, 27 + 294 + 18);
    screen().advance(200);
    EXPECT_EQ(host.gestures(), "B0 A0 E0 B7 A7 E7 ");
    EXPECT_LT(plugin->getParameter(deep::kDepth), 0.6f);
    EXPECT_EQ(plugin->getParameter(deep::kIsolate), 1.0f);
}

// The host's automation moves the control and its readout, and the keeps'
// markers follow; the spectrum shows the input over what is taken out of it.
TEST_F(DeepBridge, AutomationAndTheEngineReachTheWindow) {
    host.calls.clear();
    plugin->setParameter(deep::kLowKeep, 0.5f);
    screen().advance(100);
    EXPECT_EQ(window().slider(deep::kLowKeep).Position(), 1000);
    EXPECT_EQ(window().readout(deep::kLowKeep).caption(), "250 Hz");
    EXPECT_EQ(window().sp_LineMarker1->Position(), 21) << "250 Hz in bins of 48000 / 4096 Hz";
    EXPECT_EQ(host.count(audioMasterAutomate), 0u) << "no echo to the host";

    feedAudio(40);
    bridge->idle();
    EXPECT_EQ(window().LastBin, 2048);
    double input = 0.0, removed = 0.0;
    for (int b = 0; b <= 2048; ++b) {
        EXPECT_LE(window().SpectrumB[b], window().SpectrumA[b] * 1.001f + 1e-9f) << "bin " << b;
        input += window().SpectrumA[b];
        removed += window().SpectrumB[b];
    }
    EXPECT_GT(removed, 0.5 * input) << "the tone sits in the centre and is taken out";
}

}  // namespace
