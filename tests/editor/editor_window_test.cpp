// TPluginEditorWindow on the offscreen back-end: what the two pages hold,
// how slider moves and switch clicks reach the effect, and what one tick of
// the updater brings up to date.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "dsp/Vst_math.h"
#include "editor/uEditor.h"
#include "platform/offscreen/OffscreenWindow.h"

namespace {

using editor::TPluginEditorWindow;

// The effect side as the window sees it: what it is sent, and the order of
// the gestures' begin (B), perform (P) and end (E).
class SentValues : public editor::EditController {
public:
    void beginEdit(int32_t index) override { gestures += "B" + std::to_string(index) + " "; }
    void performEdit(int32_t index, float value) override {
        sent.emplace_back(index, value);
        if (gestures.size() < 2 ||
            gestures.substr(gestures.size() - 3) != "P" + std::to_string(index) + " ")
            gestures += "P" + std::to_string(index) + " ";
    }
    void endEdit(int32_t index) override { gestures += "E" + std::to_string(index) + " "; }
    float parameterValue(int32_t) override { return 0.0f; }
    void refreshSampleRate() override {}
    editor::DisplayValues displayValues() override { return {}; }
    int32_t copyMagnitudes(float*, float*, int32_t) override { return 0; }
    std::vector<std::pair<int32_t, float>> sent;
    std::string gestures;  // repeated performs of one parameter count once
};

class EditorWindow : public ::testing::Test {
protected:
    void SetUp() override {
        auto native = std::make_unique<platform::OffscreenWindow>(508, 341);
        screen = native.get();
        window = std::make_unique<TPluginEditorWindow>(std::move(native));
        window->Plugin = &effect;
        screen->paintPending();
    }

    // A point of a control on the main or About page, in window coordinates.
    static std::pair<int, int> onPage(int x, int y) { return {4 + x, 27 + y}; }
    void clickOnPage(int x, int y) {
        const auto [wx, wy] = onPage(x, y);
        screen->click(wx, wy);
        screen->advance(200);
    }
    bool isOnPage(const gui::Widget& control, const gui::Widget& page) {
        for (const gui::Widget* w = &control; w; w = w->parent())
            if (w == &page) return true;
        return false;
    }
    gui::Color shown(int x, int y) const { return screen->screenPixel(x, y) | 0xFF000000u; }

    SentValues effect;
    platform::OffscreenWindow* screen = nullptr;
    std::unique_ptr<TPluginEditorWindow> window;
};

// Layout.

TEST_F(EditorWindow, ShowsTwoTabsWithTheMainPageActive) {
    EXPECT_EQ(window->width(), 508);
    EXPECT_EQ(window->height(), 341);
    EXPECT_EQ(window->color(), gui::colors::black);
    EXPECT_EQ(window->PageControl1->visibleTabs(),
              (std::vector<std::string>{"Zindra Main", "About"}));
    EXPECT_EQ(window->PageControl1->activePage(), window->TabSheet1);
    EXPECT_FALSE(window->updater->Enabled());
    EXPECT_EQ(window->updater->Interval(), 100u);
    EXPECT_FALSE(window->Dump_p->visible());
    EXPECT_EQ(window->Dump_p->bounds(), (gui::Rect{171, 48, 97, 25}));
}

TEST_F(EditorWindow, SlidersCarryTheirTagsRangesAndSteps) {
    for (int tag = 0; tag < 5; ++tag) {
        const editor::TDIBSlider& s = window->slider(tag);
        SCOPED_TRACE(tag);
        EXPECT_EQ(s.tag(), tag);
        EXPECT_EQ(s.bounds(), (gui::Rect{29, 73 + 44 * tag, 190, 18}));
        EXPECT_EQ(s.Min(), 0);
        EXPECT_EQ(s.Max(), tag < 2 ? 2000 : 1000);
        EXPECT_EQ(s.LargeChange, tag < 2 ? 5 : 10);
        EXPECT_EQ(s.SmallChange, 1);
        EXPECT_EQ(s.PageSize, 5);
        EXPECT_EQ(s.Position(), 0);
        EXPECT_EQ(s.IndexPointer(), 4);
        EXPECT_TRUE(isOnPage(s, *window->DIBImageContainer1));
    }
    EXPECT_EQ(window->readout(0).caption(), "20000 Hz");
    EXPECT_EQ(window->readout(1).caption(), "4000 Hz");
    EXPECT_EQ(window->readout(4).caption(), "100 %");
}

TEST_F(EditorWindow, ThreeSwitchesLiveOnTheAboutPage) {
    struct Place {
        int tag, x, y;
        const char* caption;
        bool main;
    };
    for (const Place& p : {Place{8, 248, 216, "Stereolize!", true},
                           {11, 365, 216, "Spreadilate!", true},
                           {6, 248, 256, "Bypass", true},
                           {9, 365, 256, "Pass Thru", true},
                           {10, 248, 216, "Isolate", false},
                           {5, 365, 216, "Hi-Res", false},
                           {7, 248, 256, "Zindra-cate!", false}}) {
        const editor::TGlintButton& b = window->switchButton(p.tag);
        SCOPED_TRACE(p.caption);
        EXPECT_EQ(b.tag(), p.tag);
        EXPECT_EQ(b.Caption(), p.caption);
        EXPECT_EQ(b.bounds(), (gui::Rect{p.x, p.y, 110, 36}));
        EXPECT_EQ(b.Font().color, gui::hex(0x828073));
        EXPECT_TRUE(
            isOnPage(b, p.main ? *window->DIBImageContainer1 : *window->DIBImageContainer2));
    }
}

TEST_F(EditorWindow, PlotStartsWithItsDesignedAxes) {
    const editor::Tsp_XYPlot& plot = *window->sp_XYPlot1;
    EXPECT_EQ(plot.bounds(), (gui::Rect{240, 64, 244, 140}));
    EXPECT_EQ(plot.LeftAxis.Min(), -70);
    EXPECT_EQ(plot.LeftAxis.Max(), 10);
    EXPECT_EQ(plot.BottomAxis.Max(), 2047);
    EXPECT_EQ(plot.BottomAxis.TicksCount(), 21);
    EXPECT_EQ(window->sp_SpectrLines1->lineAttr().Color, gui::hex(0xCF45A6));
    EXPECT_EQ(window->sp_SpectrLines2->lineAttr().Color, gui::hex(0xAFD713));
    EXPECT_EQ(window->sp_LineMarker1->Pen().style, gui::PenStyle::DashDot);
}

// Sliders.

TEST_F(EditorWindow, SliderMoveStoresReadsOutAndSends) {
    window->slider(0).setPosition(1000);
    EXPECT_EQ(window->ParamValues[0].load(), 0.5f);
    EXPECT_EQ(window->readout(0).caption(), "10000 Hz");
    window->slider(2).setPosition(250);
    EXPECT_EQ(window->ParamValues[2].load(), 0.25f);
    EXPECT_EQ(window->readout(2).caption(), "25 %");
    EXPECT_EQ(effect.sent, (std::vector<std::pair<int32_t, float>>{{0, 0.5f}, {2, 0.25f}}));

    // A drag to the far right of "Width" ends at exactly 1.
    const auto [x, y] = onPage(29 + 15 + 17, 73 + 44 + 9);
    screen->mouseDown(x, y);
    screen->mouseMove(x + 300, y);
    screen->mouseUp(x + 300, y);
    EXPECT_EQ(window->ParamValues[1].load(), 1.0f);
    EXPECT_EQ(window->readout(1).caption(), "20000 Hz");
    EXPECT_EQ(effect.sent.back(), (std::pair<int32_t, float>{1, 1.0f}));
}

// Hosts record automation in Touch and Latch modes only between a gesture's
// begin and end: a drag, a key step and a click are each one gesture.
TEST_F(EditorWindow, EveryUserGestureIsBracketedByBeginAndEnd) {
    const auto [x, y] = onPage(29 + 15 + 17, 73 + 44 + 9);  // the pointer of "Width"
    screen->mouseDown(x, y);
    screen->mouseMove(x + 20, y);
    screen->mouseMove(x + 40, y);
    screen->mouseUp(x + 40, y);
    EXPECT_EQ(effect.gestures, "B1 P1 E1 ");
    ASSERT_GE(effect.sent.size(), 2u) << "each move is sent while the button is held";

    effect.gestures.clear();
    window->slider(2).keyDown(gui::Key::Right);
    clickOnPage(248 + 55, 256 + 18);  // "Bypass"
    EXPECT_EQ(effect.gestures, "B2 P2 E2 B6 P6 E6 ");

    effect.gestures.clear();
    window->ParamValues[3] = 0.3f;
    window->UpdaterTimer();
    EXPECT_EQ(effect.gestures, "") << "what the host moved is no gesture";
}

TEST_F(EditorWindow, AutomationMovesTheSliderOnTheNextTickWithoutEcho) {
    window->ParamValues[2] = 0.4567f;
    window->ParamValues[0] = 0.2f;
    EXPECT_EQ(window->slider(2).Position(), 0);
    window->UpdaterTimer();
    EXPECT_EQ(window->slider(2).Position(), 457);
    EXPECT_EQ(window->readout(2).caption(), "46 %");
    EXPECT_EQ(window->slider(0).Position(), 400);
    EXPECT_EQ(window->readout(0).caption(), "4000 Hz");
    EXPECT_TRUE(effect.sent.empty());
    EXPECT_FALSE(window->Updating);
}

TEST_F(EditorWindow, ReadoutIsRewrittenOnlyWhenThePositionChanges) {
    window->UpdaterTimer();
    EXPECT_EQ(window->readout(0).caption(), "20000 Hz") << "value 0 keeps position 0";
    window->writeAllReadouts();
    EXPECT_EQ(window->readout(0).caption(), "0 Hz");
    EXPECT_EQ(window->readout(3).caption(), "0 %");
}

TEST_F(EditorWindow, WithoutAnEffectChangesStayInTheWindow) {
    window->Plugin = nullptr;
    window->slider(3).setPosition(600);
    EXPECT_EQ(window->ParamValues[3].load(), 0.6f);
    EXPECT_EQ(window->readout(3).caption(), "60 %");
    clickOnPage(248 + 55, 256 + 18);
    EXPECT_EQ(window->ParamValues[6].load(), 1.0f);
    EXPECT_EQ(window->switchButton(6).Font().color, gui::hex(0x0000FF));
}

// Switches.

TEST_F(EditorWindow, BypassClicksToggleItsLookAndSendOneThenZero) {
    clickOnPage(248 + 55, 256 + 18);
    EXPECT_EQ(window->SwitchStates[6], 1);
    EXPECT_EQ(window->switchButton(6).Font().color, gui::hex(0x0000FF));
    clickOnPage(248 + 55, 256 + 18);
    EXPECT_EQ(window->switchButton(6).Font().color, gui::hex(0x828073));
    EXPECT_EQ(effect.sent, (std::vector<std::pair<int32_t, float>>{{6, 1.0f}, {6, 0.0f}}));
    EXPECT_EQ(window->SwitchStates[8], 0) << "other switches keep their state";
}

TEST_F(EditorWindow, TickShowsSwitchesThatRoundToOne) {
    window->ParamValues[8] = 0.5f;  // ties to even: off
    window->ParamValues[9] = 0.51f;
    window->ParamValues[11] = 1.0f;
    window->UpdaterTimer();
    EXPECT_EQ(window->SwitchStates[8], 0);
    EXPECT_EQ(window->switchButton(8).Font().color, gui::hex(0x828073));
    EXPECT_EQ(window->switchButton(9).Font().color, gui::hex(0x0000FF));
    EXPECT_EQ(window->switchButton(11).Font().color, gui::hex(0x0000FF));
    EXPECT_TRUE(effect.sent.empty());
    // A click on the "off" switch at 0.5 turns it on.
    clickOnPage(248 + 55, 216 + 18);
    EXPECT_EQ(effect.sent, (std::vector<std::pair<int32_t, float>>{{8, 1.0f}}));
}

TEST_F(EditorWindow, HiResLightsItsLabelOnBothPages) {
    const int x = 455 + 3, y = 2;  // a corner of l_HQ, clear of its text
    EXPECT_EQ(shown(x, y), gui::colors::black);
    window->ParamValues[5] = 1.0f;
    window->UpdaterTimer();
    screen->paintPending();
    EXPECT_FALSE(window->l_HQ->transparent());
    EXPECT_EQ(window->l_HQ->font().color, gui::colors::lime);
    EXPECT_EQ(shown(x, y), gui::colors::green);
    window->PageControl1->setActivePage(window->About);
    screen->paintPending();
    EXPECT_EQ(shown(x, y), gui::colors::green);
    EXPECT_EQ(window->switchButton(5).Font().color, gui::hex(0x0000FF));
    window->ParamValues[5] = 0.0f;
    window->UpdaterTimer();
    screen->paintPending();
    EXPECT_EQ(shown(x, y), gui::colors::black);
    EXPECT_EQ(window->l_HQ->font().color, gui::colors::grey);
}

TEST_F(EditorWindow, ChangesDuringTheTickAreNotSent) {
    window->Updating = true;
    window->slider(1).setPosition(700);
    clickOnPage(248 + 55, 256 + 18);
    EXPECT_TRUE(effect.sent.empty());
    EXPECT_EQ(window->ParamValues[1].load(), 0.0f);
    EXPECT_EQ(window->SwitchStates[6], 0);
}

// Spectrum.

TEST_F(EditorWindow, TickDrawsBinsUpToLastBinInDecibels) {
    window->LastBin = 3;
    for (int b = 0; b < 5; ++b) {
        window->SpectrumA[b] = 2048.0f * static_cast<float>(b);
        window->SpectrumB[b] = 1024.0f;
    }
    window->UpdaterTimer();
    ASSERT_EQ(window->sp_SpectrLines1->Count(), 4u);
    ASSERT_EQ(window->sp_SpectrLines2->Count(), 4u);
    EXPECT_EQ(window->sp_SpectrLines1->point(3).x, 3.0);
    EXPECT_EQ(window->sp_SpectrLines1->point(3).y, fastDb(3.0f));
    EXPECT_NEAR(window->sp_SpectrLines1->point(0).y, -764.5, 0.1)
        << "silence lies far below the floor";
    EXPECT_NEAR(window->sp_SpectrLines2->point(2).y, -6.02, 0.01);
    EXPECT_FALSE(window->sp_SpectrLines1->RepaintSuspended());

    window->LastBin = 0;
    window->UpdaterTimer();
    EXPECT_EQ(window->sp_SpectrLines1->Count(), 1u);
    window->LastBin = -1;
    window->UpdaterTimer();
    EXPECT_EQ(window->sp_SpectrLines1->Count(), 0u);
    EXPECT_EQ(window->sp_SpectrLines2->Count(), 0u);
    window->LastBin = 100000;
    window->UpdaterTimer();
    EXPECT_EQ(window->sp_SpectrLines1->Count(), 4097u) << "never beyond the window's buffers";
}

TEST_F(EditorWindow, TickPaintsThePlotOnce) {
    window->LastBin = 2000;
    for (int b = 0; b <= 2000; ++b) window->SpectrumA[b] = window->SpectrumB[b] = 100.0f;
    screen->paintPending();
    const int layers = window->sp_XYPlot1->counters().dataLayers;
    window->UpdaterTimer();
    screen->paintPending();
    EXPECT_EQ(window->sp_XYPlot1->counters().dataLayers, layers + 1);
}

}  // namespace
