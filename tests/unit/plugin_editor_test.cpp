// The editor bridge: rectangles, open counts, what opening fills in, idle
// and update, the engine's published display values, and update racing the
// window's destruction.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "dsp/Vst_math.h"
#include "editor/uEditor.h"
#include "platform/offscreen/OffscreenWindow.h"
#include "support/MessageLog.h"
#include "support/RecordingHost.h"
#include "unit/PluginUnderTest.h"
#include "vst2/APluginEditor.h"

namespace {

using editor::TPluginEditorWindow;

bool refuseTimers = false;

std::unique_ptr<platform::NativeWindow> offscreenWindow(void*, int width, int height) {
    auto window = std::make_unique<platform::OffscreenWindow>(width, height);
    window->refuseTimers(refuseTimers);
    return window;
}

class EditorUnderTest : public APluginEditor {
public:
    explicit EditorUnderTest(APlugin* plugin) : APluginEditor(plugin, &offscreenWindow) {}
    int openCount() const { return editorSession().opens(); }
    void* parentWindow() const { return editorSession().parent(); }
    TPluginEditorWindow* window() const { return editorWindow(); }
};

class Bridge : public ::testing::Test {
protected:
    void SetUp() override { start(44100); }
    void TearDown() override { refuseTimers = false; }

    void start(int rate) {
        host.answers[audioMasterGetSampleRate] = rate;
        plugin = std::make_unique<PluginUnderTest>(RecordingHost::callback);
        AEffEditor* old = plugin->getEditor();
        bridge = new EditorUnderTest(plugin.get());
        plugin->setEditor(bridge);
        delete old;
    }
    ERect rectNow() {
        ERect* r = nullptr;
        EXPECT_EQ(bridge->getRect(&r), 1);
        return *r;
    }
    TPluginEditorWindow& window() { return *bridge->window(); }
    platform::OffscreenWindow& screen() {
        return *static_cast<platform::OffscreenWindow*>(window().window());
    }
    void feedAudio(float level, int blocks) {
        std::vector<float> left(512), right(512);
        for (int i = 0; i < 512; ++i) left[i] = right[i] = level * (i % 2 ? 1.0f : -1.0f);
        float* channels[2] = {left.data(), right.data()};
        for (int b = 0; b < blocks; ++b) plugin->processReplacing(channels, channels, 512);
    }

    RecordingHost host;
    std::unique_ptr<PluginUnderTest> plugin;
    EditorUnderTest* bridge = nullptr;
    int parent = 0;
};

TEST_F(Bridge, TheEffectOwnsAnEditorBridgeFromTheStart) {
    PluginUnderTest fresh;
    EXPECT_NE(fresh.pluginEditor(), nullptr);
    EXPECT_EQ(fresh.pluginEditor(), fresh.getEditor());
    VstKeyCode key{};
    EXPECT_EQ(fresh.getEditor()->onKeyDown(key), -1);
    EXPECT_EQ(fresh.getEditor()->setKnobMode(2), 0);
}

TEST_F(Bridge, RectangleBeforeDuringAndAfterTheWindow) {
    ERect r = rectNow();
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.bottom, 0);
    EXPECT_EQ(r.right, 0);
    EXPECT_EQ(bridge->open(&parent), 1);
    r = rectNow();
    EXPECT_EQ(r.bottom, 341);
    EXPECT_EQ(r.right, 508);
    bridge->close();
    r = rectNow();
    EXPECT_EQ(r.bottom, 341);
    EXPECT_EQ(r.right, 508);
    EXPECT_EQ(bridge->window(), nullptr);
}

TEST_F(Bridge, OpenCountsMatchCloses) {
    int other = 0;
    EXPECT_EQ(bridge->open(&parent), 1);
    TPluginEditorWindow* first = bridge->window();
    EXPECT_EQ(bridge->open(&other), 1);
    EXPECT_EQ(bridge->openCount(), 2);
    EXPECT_EQ(bridge->window(), first) << "the window stays where it was created";
    EXPECT_EQ(bridge->parentWindow(), &other);
    bridge->close();
    EXPECT_EQ(bridge->window(), first);
    EXPECT_FALSE(plugin->editorClosed.load());
    bridge->close();
    EXPECT_EQ(bridge->window(), nullptr);
    EXPECT_EQ(bridge->parentWindow(), nullptr);
    EXPECT_TRUE(plugin->editorClosed.load());
    bridge->close();
    EXPECT_EQ(bridge->openCount(), 0) << "never below zero";

    // Closed, then open again: a new window.
    EXPECT_EQ(bridge->open(&parent), 1);
    EXPECT_NE(bridge->window(), nullptr);
    EXPECT_FALSE(plugin->editorClosed.load());
}

TEST_F(Bridge, OpeningFillsTheWindowAndStartsItsTimer) {
    plugin->setParameter(APlugin::kSpread, 0.4567f);
    plugin->setParameter(APlugin::kBypass, 1.0f);
    const size_t asked = host.count(audioMasterGetSampleRate);
    bridge->open(&parent);
    EXPECT_GT(host.count(audioMasterGetSampleRate), asked) << "opening asks the host's rate";
    TPluginEditorWindow& w = window();
    EXPECT_NE(w.Plugin, nullptr);
    EXPECT_EQ(w.Label26->caption(), "V1.14");
    EXPECT_EQ(w.ms_latency->caption(), "185.76 ms");
    EXPECT_EQ(w.LastBin, plugin->getBandLimitBin());
    EXPECT_EQ(w.sp_XYPlot1->BottomAxis.Max(), plugin->getBandLimitBin());
    EXPECT_EQ(w.sp_LineMarker1->Position(), plugin->getBandLowBin());
    EXPECT_EQ(w.sp_LineMarker2->Position(), plugin->getBandHighBin());
    for (int i = 0; i < 12; ++i) EXPECT_EQ(w.ParamValues[i].load(), plugin->getParameter(i)) << i;
    // The direct tick has already moved the controls.
    EXPECT_EQ(w.slider(2).Position(), 457);
    EXPECT_EQ(w.switchButton(6).Font().color, gui::hex(0x0000FF));
    EXPECT_TRUE(w.updater->Enabled());
    EXPECT_EQ(host.count(audioMasterAutomate), 0u) << "opening sends nothing back";
}

TEST_F(Bridge, LatencyFollowsTheHostsRate) {
    start(48000);
    bridge->open(&parent);
    EXPECT_EQ(window().ms_latency->caption(), "170.67 ms");
}

TEST_F(Bridge, WithoutATimerTheWindowShowsItsOneRefresh) {
    MessageLog log;
    refuseTimers = true;
    plugin->setParameter(APlugin::kMix, 0.25f);
    EXPECT_EQ(bridge->open(&parent), 1);
    EXPECT_FALSE(window().updater->Enabled());
    EXPECT_EQ(window().slider(3).Position(), 250);
    EXPECT_EQ(log.take(),
              (std::vector<std::string>{"Corvanti Zindra: Not enough timers available"}));
}

TEST_F(Bridge, HostAutomationReachesTheSlidersWithoutEcho) {
    bridge->open(&parent);
    host.calls.clear();
    plugin->setParameter(APlugin::kWidth, 0.5f);  // as a host's automation does
    EXPECT_EQ(window().ParamValues[1].load(), 0.5f);
    screen().advance(100);
    EXPECT_EQ(window().slider(1).Position(), 1000);
    EXPECT_EQ(window().readout(1).caption(), "10000 Hz");
    EXPECT_EQ(host.count(audioMasterAutomate), 0u);

    plugin->setProgram(4);
    screen().advance(100);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(window().slider(i).Position(),
                  roundHalfEven(plugin->getParameter(i) * (i < 2 ? 2000.0 : 1000.0)));
}

// What the host hears of the editor's gestures, in order: begin, the
// automates, end, for a drag of a slider and for a click of a switch.
TEST_F(Bridge, EveryGestureReachesTheHostBracketedByBeginAndEndEdit) {
    bridge->open(&parent);
    host.calls.clear();
    // A drag of the "Width" pointer, then a click of "Bypass".
    const int x = 4 + 29 + 15 + 17, y = 27 + 73 + 44 + 9;
    screen().mouseDown(x, y);
    screen().mouseMove(x + 20, y);
    screen().mouseMove(x + 60, y);
    screen().mouseUp(x + 60, y);
    screen().click(4 + 248 + 55, 27 + 256 + 18);
    screen().advance(200);
    EXPECT_EQ(host.gestures(), "B1 A1 E1 B6 A6 E6 ");

    EXPECT_EQ(plugin->getParameter(APlugin::kBypass), 1.0f);
}

TEST_F(Bridge, UserChangesGoThroughTheEffectToTheHost) {
    bridge->open(&parent);
    host.calls.clear();
    window().slider(0).setPosition(1000);
    ASSERT_EQ(host.count(audioMasterAutomate), 1u);
    EXPECT_EQ(host.calls.back().index, 0);
    EXPECT_EQ(host.calls.back().opt, 0.5f);
    EXPECT_EQ(plugin->getParameter(APlugin::kCenter), 0.5f);
    screen().advance(100);
    EXPECT_EQ(host.count(audioMasterAutomate), 1u) << "the tick sends nothing back";
}

TEST_F(Bridge, IdleCopiesTheSpectrumAndAppliesWhatTheEngineRecomputed) {
    bridge->open(&parent);
    feedAudio(0.5f, 40);
    bridge->idle();
    float left[4097], right[4097];
    const int32_t bins = plugin->copyMagnitudes(left, right, 4097);
    EXPECT_EQ(bins, 2049);
    EXPECT_GT(window().SpectrumA[2048], 0.0f) << "the signal sits at the top bin";
    EXPECT_EQ(window().SpectrumA[2048], left[2048]);
    EXPECT_EQ(window().SpectrumB[2048], right[2048]);

    // "Hi-Res" resets the engine on the audio thread; the window follows at
    // the next idle.
    const int before = window().LastBin;
    plugin->setParameter(APlugin::kHiRes, 1.0f);
    feedAudio(0.5f, 40);
    EXPECT_EQ(window().LastBin, before);
    bridge->idle();
    EXPECT_EQ(window().LastBin, plugin->getBandLimitBin());
    EXPECT_EQ(window().LastBin, 3715);
    EXPECT_EQ(window().sp_XYPlot1->BottomAxis.Max(), 3715);
    EXPECT_EQ(window().sp_LineMarker2->Position(), plugin->getBandHighBin());
    EXPECT_GT(window().SpectrumA[4096], 0.0f);

    // Back to the smaller frame: bins beyond it show nothing.
    plugin->setParameter(APlugin::kHiRes, 0.0f);
    feedAudio(0.5f, 40);
    bridge->idle();
    EXPECT_EQ(window().SpectrumA[4096], 0.0f);
    EXPECT_EQ(window().SpectrumB[3000], 0.0f);
}

// A host that sends no idle calls: the window's own timer brings the band
// markers, the last bin and the axis maximum up to date within one tick.
TEST_F(Bridge, TheTimerAppliesWhatTheEngineRecomputedWithoutIdleCalls) {
    bridge->open(&parent);
    ASSERT_EQ(window().sp_LineMarker1->Position(), 28);
    ASSERT_EQ(window().sp_LineMarker2->Position(), 771);

    plugin->setParameter(APlugin::kCenter, 0.5f);
    screen().advance(100);
    EXPECT_EQ(window().sp_LineMarker1->Position(), plugin->getBandLowBin());
    EXPECT_EQ(window().sp_LineMarker2->Position(), plugin->getBandHighBin());
    EXPECT_EQ(window().sp_LineMarker1->Position(), 557);

    plugin->setParameter(APlugin::kHiRes, 1.0f);
    feedAudio(0.5f, 1);  // the audio thread carries out the reset
    screen().advance(100);
    EXPECT_EQ(window().LastBin, 3715);
    EXPECT_EQ(window().sp_XYPlot1->BottomAxis.Max(), 3715);
    EXPECT_EQ(window().sp_LineMarker2->Position(), plugin->getBandHighBin());
}

TEST_F(Bridge, AfterCloseIdleAndUpdateTouchNothing) {
    bridge->idle();
    bridge->update();
    bridge->open(&parent);
    bridge->close();
    bridge->idle();
    plugin->setParameter(APlugin::kSpread, 0.3f);
    plugin->setProgram(2);
    EXPECT_EQ(bridge->window(), nullptr);
}

TEST_F(Bridge, OpenAndCloseRepeatedlyWithTheEffectGoingLast) {
    for (int i = 0; i < 20; ++i) {
        bridge->open(&parent);
        bridge->idle();
        screen().advance(100);
        bridge->close();
    }
    bridge->open(&parent);
    plugin.reset();  // destroys the open window with the effect
}

// Automation from another thread while the window comes and goes.
TEST_F(Bridge, UpdateFromAnotherThreadNeverMeetsADestroyedWindow) {
    std::atomic<bool> stop{false};
    std::thread automation([&] {
        for (int i = 0; !stop.load(); ++i)
            plugin->setParameter(APlugin::kSpread, static_cast<float>(i % 1000) / 1000.0f);
    });
    for (int i = 0; i < 40; ++i) {
        bridge->open(&parent);
        bridge->idle();
        bridge->close();
    }
    stop = true;
    automation.join();
    EXPECT_EQ(bridge->window(), nullptr);
}

}  // namespace
