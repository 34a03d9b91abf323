// What the window does: slider moves and switch clicks become parameter
// changes, and the 100 ms tick brings controls and spectrum up to date.
#include <algorithm>

#include "dsp/Vst_math.h"
#include "editor/uEditor.h"
#include "editor/uEditorTexts.h"
#include "platform/shell.h"

namespace editor {
namespace {

constexpr gui::Color kSwitchOn = gui::hex(0x0000FF);
constexpr gui::Color kSwitchOff = gui::hex(0x828073);

// Positions per unit of value: "Center" and "Width" have 2000 steps, the others 1000.
int stepsOf(int tag) { return isFrequencySlider(tag) ? 2000 : 1000; }

}  // namespace

void TPluginEditorWindow::writeReadout(int tag) {
    const float value = ParamValues[tag].load(std::memory_order_relaxed);
    readouts_[tag]->setCaption(core::readoutText(zindra::kParameters[tag], value));
}

void TPluginEditorWindow::writeAllReadouts() {
    for (int tag = 0; tag < kSliderCount; ++tag) writeReadout(tag);
}

void TPluginEditorWindow::SliderChange(TDIBSlider& sender) {
    if (Updating) return;
    const int i = sender.tag();
    if (i < 0 || i >= kSliderCount) return;
    const float value = static_cast<float>(sender.Position()) / static_cast<float>(stepsOf(i));
    ParamValues[i].store(value, std::memory_order_relaxed);
    writeReadout(i);
    if (Plugin) Plugin->performEdit(i, value);
}

void TPluginEditorWindow::SliderGesture(TDIBSlider& sender, bool starts) {
    const int i = sender.tag();
    if (!Plugin || i < 0 || i >= kSliderCount) return;
    if (starts)
        Plugin->beginEdit(i);
    else
        Plugin->endEdit(i);
}

void TPluginEditorWindow::ButtonClick(TGlintButton& sender) {
    if (Updating) return;
    const int i = sender.tag();
    if (i < kHiResSwitch || i >= kNumParams) return;
    SwitchStates[i] = 1 - SwitchStates[i];
    const auto value = static_cast<float>(SwitchStates[i]);
    ParamValues[i].store(value, std::memory_order_relaxed);
    if (SwitchStates[i] == 1)
        ShowSwitchOn(i);
    else
        ShowSwitchOff(i);
    if (!Plugin) return;
    Plugin->beginEdit(i);
    Plugin->performEdit(i, value);
    Plugin->endEdit(i);
}

void TPluginEditorWindow::RefreshSpectrum() {
    Tsp_SpectrLines* series[2] = {sp_SpectrLines1, sp_SpectrLines2};
    for (Tsp_SpectrLines* s : series) {
        s->ClearPoints();
        s->setRepaintSuspended(true);
    }
    const int last = std::min(LastBin, kSpectrumCapacity - 1);
    for (int b = 0; b <= last; ++b) {
        sp_SpectrLines1->AddPoint(b, fastDb(SpectrumA[b] / 2048.0f));
        sp_SpectrLines2->AddPoint(b, fastDb(SpectrumB[b] / 2048.0f));
    }
    for (Tsp_SpectrLines* s : series) s->setRepaintSuspended(false);
}

void TPluginEditorWindow::UpdaterTimer() {
    if (OnUpdaterTick) OnUpdaterTick();
    RefreshSpectrum();
    Updating = true;
    for (int tag = 0; tag < kSliderCount; ++tag) {
        const float value = ParamValues[tag].load(std::memory_order_relaxed);
        const int position = roundHalfEven(static_cast<double>(value) * stepsOf(tag));
        if (position != sliders_[tag]->Position()) {
            sliders_[tag]->setPosition(position);
            writeReadout(tag);
        }
    }
    for (int tag = kHiResSwitch; tag < kNumParams; ++tag) {
        const int state = core::switchState(ParamValues[tag].load(std::memory_order_relaxed));
        if (state == SwitchStates[tag]) continue;
        SwitchStates[tag] = state;
        if (state == 1)
            ShowSwitchOn(tag);
        else
            ShowSwitchOff(tag);
    }
    Updating = false;
}

void TPluginEditorWindow::ShowSwitchOn(int tag) {
    if (tag < kHiResSwitch || tag >= kNumParams) return;
    switchButton(tag).setFontColor(kSwitchOn);
    if (tag == kHiResSwitch) {
        l_HQ->setTransparent(false);
        l_HQ->setFontColor(gui::colors::lime);
    }
}

void TPluginEditorWindow::ShowSwitchOff(int tag) {
    if (tag < kHiResSwitch || tag >= kNumParams) return;
    switchButton(tag).setFontColor(kSwitchOff);
    if (tag == kHiResSwitch) {
        l_HQ->setTransparent(true);
        l_HQ->setFontColor(gui::colors::grey);
    }
}

void TPluginEditorWindow::AddressClick() {
    if (!Updating) platform::openWebAddress(kWebAddress);
}

void TPluginEditorWindow::Dump_pClick() { DumpProgram(); }

void TPluginEditorWindow::PageControl1Change() {}

bool TPluginEditorWindow::keyDown(gui::Key key) {
    if (key != kDumpKey) return false;
    DumpProgram();
    return true;
}

}  // namespace editor
