// EffectWindow: what every effect's editor window shares: a borderless form
// whose skinned sliders and switch buttons each set one parameter of the
// effect's table (the control's tag is the parameter's index), a readout
// under each slider, the live spectrum with two markers, and the 100 ms tick
// that brings controls and spectrum up to date. Each effect's window
// (TPluginEditorWindow, DeepEditorWindow) lays out its pages.
//
// The window talks to the effect only through its EditController (begin,
// perform and end an edit); everything it shows comes from its data fields,
// which the editor session fills. Everything here runs on the window's
// thread except the stores into ParamValues, which may come from any thread
// that sets parameters (hence atomic: a tick may see a mix of old and new
// values, the next one corrects it).
//
// The window never erases its background: every back-end leaves erase
// requests unanswered by paint (the whole client area is drawn by the form).
#pragma once

#include <atomic>
#include <functional>
#include <memory>

#include "core/ParameterTable.h"
#include "editor/EditController.h"
#include "editor/TDIBSlider.h"
#include "editor/TGlintButton.h"
#include "editor/Tsp_LineMarker.h"
#include "editor/Tsp_SpectrLines.h"
#include "editor/Tsp_XYPlot.h"
#include "gui/Bevel.h"
#include "gui/Form.h"
#include "gui/ImageList.h"
#include "gui/Label.h"
#include "gui/TDIBImageContainer.h"
#include "gui/TDIBTimer.h"

namespace editor {

class EffectWindow : public gui::Form {
public:
    static constexpr int kMaxParams = 16;
    static constexpr int kSpectrumCapacity = 4097;
    static constexpr unsigned kUpdaterIntervalMs = 100;
    static constexpr const char* kWebAddress = "https://www.corvanti.example/";

    ~EffectWindow() override;

    // The table whose parameters the controls set.
    core::ParameterTable parameters() const { return table; }
    // The title of the messages the window shows.
    virtual const char* caption() const = 0;

    // [ui thread] Data fields, filled by the editor session (and the engine's
    // published values); [any thread] the stores into ParamValues.
    EditController* Plugin = nullptr;
    std::atomic<float> ParamValues[kMaxParams] = {};
    int SwitchStates[kMaxParams] = {};
    bool Updating = false;
    float SpectrumA[kSpectrumCapacity] = {};
    float SpectrumB[kSpectrumCapacity] = {};
    int LastBin = 0;
    // [ui thread] Called first in every tick: the editor session hands over
    // what the engine last published (LastBin, the bottom axis maximum, the
    // markers), so that they follow within one tick whether or not the host
    // sends idle calls.
    std::function<void()> OnUpdaterTick;

    // The parts every window has; its layout places them.
    gui::ImageList DIBImageList1;
    gui::Label* Label26 = nullptr;     // the version
    gui::Label* ms_latency = nullptr;  // the latency readout
    Tsp_XYPlot* sp_XYPlot1 = nullptr;
    Tsp_SpectrLines* sp_SpectrLines1 = nullptr;
    Tsp_SpectrLines* sp_SpectrLines2 = nullptr;
    Tsp_LineMarker* sp_LineMarker1 = nullptr;
    Tsp_LineMarker* sp_LineMarker2 = nullptr;
    std::unique_ptr<gui::TDIBTimer> updater;

    // Controls by tag; a slider for each continuous parameter, a switch for
    // each switch.
    TDIBSlider& slider(int tag) const { return *sliders_[tag]; }
    TGlintButton& switchButton(int tag) const { return *switches_[tag]; }
    gui::Label& readout(int tag) const { return *readouts_[tag]; }

    // [ui thread] Events of the controls and the timer.
    void SliderChange(TDIBSlider& sender);
    void SliderGesture(TDIBSlider& sender, bool starts);
    void ButtonClick(TGlintButton& sender);
    void UpdaterTimer();
    void RefreshSpectrum();
    virtual void ShowSwitchOn(int tag);
    virtual void ShowSwitchOff(int tag);
    void AddressClick();

    // [ui thread] Rewrites every readout from ParamValues, whatever the sliders show.
    void writeAllReadouts();

protected:
    // [ui thread] `window` may be null (a form that is never shown).
    EffectWindow(std::unique_ptr<platform::NativeWindow> window, int width, int height,
                 core::ParameterTable parameters);

    // Positions per unit of value: sliders in hertz have 2000 steps, the others 1000.
    static int stepsOf(const core::ParameterInfo& parameter);

    // Layout helpers. A slider row: the slider at (left, top), its name under
    // it at nameBounds and its readout right-aligned under its right end.
    TDIBSlider& addSlider(gui::Widget& parent, int left, int top, int tag);
    gui::Label& addReadout(gui::Widget& parent, int tag, gui::Rect bounds, const char* caption);
    TGlintButton& addSwitch(gui::Widget& parent, int left, int top, int tag, const char* caption);
    // The credits and the web address (answered), in the bevel at (left, top).
    gui::Label& addCredits(gui::Widget& parent, int left, int top);
    // The version and the latency readout with its explanation.
    void addVersionAndLatency(gui::Widget& parent);
    // The spectrum with its markers, in its place on the main page.
    void addSpectrum(gui::Widget& page);
    // Starts the tick (not yet enabled: the session enables it).
    void makeUpdater();

private:
    void writeReadout(int tag);
    bool isSlider(int tag) const;
    bool isSwitch(int tag) const;

    core::ParameterTable table;
    TDIBSlider* sliders_[kMaxParams] = {};
    gui::Label* readouts_[kMaxParams] = {};
    TGlintButton* switches_[kMaxParams] = {};
};

// Shared layout pieces, for the windows' own pages.
gui::Label& addLabel(gui::Widget& parent, const char* caption, gui::Rect bounds,
                     const gui::Font& font, gui::HAlign align = gui::HAlign::Left);
gui::Bevel& addBevel(gui::Widget& parent, gui::BevelStyle style, gui::Rect bounds);
gui::TDIBImageContainer& addPageContainer(gui::Widget& page, const gui::ImageList& images,
                                          int width, int height);

}  // namespace editor
