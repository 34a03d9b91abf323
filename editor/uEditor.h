// TPluginEditorWindow: the plug-in's editor, a borderless 508 x 341 form with
// two pages ("Zindra Main" and "About"), five skinned sliders, seven switch
// buttons, the live spectrum of both channels and the About texts.
//
// The window talks to the effect only through its EditController (begin,
// perform and end an edit); everything it shows comes from its data fields,
// which the editor bridge fills. Everything here runs on the window's thread
// except the stores into ParamValues, which may come from any thread that
// sets parameters (hence atomic: a tick may see a mix of old and new values,
// the next one corrects it).
//
// The window never erases its background: every back-end leaves erase
// requests unanswered by paint (the whole client area is drawn by the form).
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "editor/ControlTags.h"
#include "editor/EditController.h"
#include "editor/TDIBSlider.h"
#include "editor/TGlintButton.h"
#include "editor/Tsp_LineMarker.h"
#include "editor/Tsp_SpectrLines.h"
#include "editor/Tsp_XYPlot.h"
#include "gui/Form.h"
#include "gui/ImageList.h"
#include "gui/Label.h"
#include "gui/PageControl.h"
#include "gui/Panel.h"
#include "gui/PushButton.h"
#include "gui/TDIBImageContainer.h"
#include "gui/TDIBTimer.h"

namespace editor {

class TPluginEditorWindow : public gui::Form {
public:
    static constexpr int kClientWidth = 508;
    static constexpr int kClientHeight = 341;
    static constexpr int kNumParams = zindra::kNumParams;
    static constexpr int kSpectrumCapacity = 4097;
    static constexpr unsigned kUpdaterIntervalMs = 100;
    static constexpr const char* kCaption = "Corvanti Zindra";
    static constexpr const char* kWebAddress = "https://www.corvanti.example/";
    static constexpr const char* kDumpFileName = "Zindra_dump.txt";
    // The hidden dump command's way in from the keyboard.
    static constexpr platform::Key kDumpKey = platform::Key::F8;

    // [ui thread] Builds every control; `window` may be null (a form that is never shown).
    explicit TPluginEditorWindow(std::unique_ptr<platform::NativeWindow> window);
    ~TPluginEditorWindow() override;

    // [ui thread] Data fields, filled by the editor bridge (and the engine's
    // published values); [any thread] the stores into ParamValues.
    EditController* Plugin = nullptr;
    std::atomic<float> ParamValues[kNumParams] = {};
    int SwitchStates[kNumParams] = {};
    bool Updating = false;
    float SpectrumA[kSpectrumCapacity] = {};
    float SpectrumB[kSpectrumCapacity] = {};
    int LastBin = 0;
    // [ui thread] Called first in every tick: the editor bridge hands over what the
    // engine last published (LastBin, the bottom axis maximum, the band
    // markers), so that they follow within one tick whether or not the host
    // sends idle calls.
    std::function<void()> OnUpdaterTick;

    // Controls. Sliders and switches are reached by their ControlTag.
    gui::PageControl* PageControl1 = nullptr;
    gui::TabSheet* TabSheet1 = nullptr;
    gui::TabSheet* About = nullptr;
    gui::TDIBImageContainer* DIBImageContainer1 = nullptr;
    gui::TDIBImageContainer* DIBImageContainer2 = nullptr;
    gui::PushButton* Dump_p = nullptr;
    gui::Panel* Panel22 = nullptr;
    gui::Label* l_HQ = nullptr;
    gui::Label* Label26 = nullptr;
    gui::Label* Label28 = nullptr;
    gui::Label* ms_latency = nullptr;
    Tsp_XYPlot* sp_XYPlot1 = nullptr;
    Tsp_SpectrLines* sp_SpectrLines1 = nullptr;
    Tsp_SpectrLines* sp_SpectrLines2 = nullptr;
    Tsp_LineMarker* sp_LineMarker1 = nullptr;
    Tsp_LineMarker* sp_LineMarker2 = nullptr;
    gui::ImageList DIBImageList1;
    std::unique_ptr<gui::TDIBTimer> updater;

    TDIBSlider& slider(int tag) const { return *sliders_[tag]; }
    TGlintButton& switchButton(int tag) const { return *switches_[tag - kHiResSwitch]; }
    gui::Label& readout(int tag) const { return *readouts_[tag]; }

    // [ui thread] Events of the controls and the timer.
    void SliderChange(TDIBSlider& sender);
    void SliderGesture(TDIBSlider& sender, bool starts);
    void ButtonClick(TGlintButton& sender);
    void UpdaterTimer();
    void RefreshSpectrum();
    void ShowSwitchOn(int tag);
    void ShowSwitchOff(int tag);
    void AddressClick();
    void Dump_pClick();
    void PageControl1Change();
    // [ui thread] Writes the dump file next to the plug-in library; a failure is shown to
    // the user. writeDump is the same to a path of the caller's choice.
    void DumpProgram();
    bool writeDump(const std::string& path);

    // [ui thread] Rewrites the five readouts from ParamValues, whatever the sliders show.
    void writeAllReadouts();

    bool keyDown(gui::Key key) override;

private:
    void buildMainPage(gui::TDIBImageContainer& page);
    void buildAboutPage(gui::TDIBImageContainer& page);
    TGlintButton& addSwitch(gui::Widget& parent, int left, int top, int tag, const char* caption);
    void writeReadout(int tag);

    TDIBSlider* sliders_[kSliderCount] = {};
    gui::Label* readouts_[kSliderCount] = {};
    TGlintButton* switches_[kSwitchCount] = {};
};

}  // namespace editor
