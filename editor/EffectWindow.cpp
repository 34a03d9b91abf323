// What every editor window does: slider moves and switch clicks become
// parameter changes, and the 100 ms tick brings controls and spectrum up to
// date; and the layout pieces the windows share.
#include "editor/EffectWindow.h"

#include <algorithm>

#include "dsp/Vst_math.h"
#include "editor/Artwork.h"
#include "editor/MainPagePlot.h"
#include "gui/Text.h"
#include "platform/shell.h"

namespace editor {
namespace {

using gui::Font;
using gui::FontFamily;

constexpr gui::Color kSwitchFace = gui::hex(0xC7D5D6);
constexpr gui::Color kSwitchOn = gui::hex(0x0000FF);
constexpr gui::Color kSwitchOff = gui::hex(0x828073);

}  // namespace

gui::Label& addLabel(gui::Widget& parent, const char* caption, gui::Rect bounds, const Font& font,
                     gui::HAlign align) {
    auto& label = parent.add<gui::Label>(caption);
    label.setBounds(bounds);
    label.setFont(font);
    label.setAlignment(align);
    return label;
}

gui::Bevel& addBevel(gui::Widget& parent, gui::BevelStyle style, gui::Rect bounds) {
    auto& bevel = parent.add<gui::Bevel>(style);
    bevel.setBounds(bounds);
    return bevel;
}

gui::TDIBImageContainer& addPageContainer(gui::Widget& page, const gui::ImageList& images,
                                          int width, int height) {
    auto& container = page.add<gui::TDIBImageContainer>();
    container.setBounds({0, 0, width, height});
    container.setColor(gui::colors::black);
    container.setImageList(&images);
    container.setIndexImage(0);
    container.setTileMethod(gui::TileMethod::tmCenter);
    return container;
}

EffectWindow::EffectWindow(std::unique_ptr<platform::NativeWindow> window, int width, int height,
                           core::ParameterTable parameters)
    : gui::Form(std::move(window), width, height), table(parameters) {}

EffectWindow::~EffectWindow() {
    // The timer goes before the controls its tick would touch.
    updater.reset();
}

int EffectWindow::stepsOf(const core::ParameterInfo& parameter) {
    return parameter.readout == core::Readout::Hertz ? 2000 : 1000;
}

bool EffectWindow::isSlider(int tag) const {
    return tag >= 0 && tag < kMaxParams && sliders_[tag] != nullptr;
}

bool EffectWindow::isSwitch(int tag) const {
    return tag >= 0 && tag < kMaxParams && switches_[tag] != nullptr;
}

TDIBSlider& EffectWindow::addSlider(gui::Widget& parent, int left, int top, int tag) {
    const int steps = stepsOf(table[static_cast<size_t>(tag)]);
    auto& s = parent.add<TDIBSlider>();
    s.setBounds({left, top, 190, 18});
    s.setTag(tag);
    s.sliderType = SliderType::stHorizontal;
    s.setImageList(&DIBImageList1);
    s.setImageIndices(1, 2, 3, 4, -1);
    s.setAutoSize(true);
    s.setMin(0);
    s.setMax(steps);
    s.SmallChange = 1;
    s.LargeChange = 10000 / steps;
    s.PageSize = 5;
    s.Opacity = 255;
    s.PointerOpacityLow = 255;
    s.StretchBackground = false;
    s.setCursor(gui::Cursor::Hand);
    s.OnChange = [this](TDIBSlider& sender) { SliderChange(sender); };
    s.OnGesture = [this](TDIBSlider& sender, bool starts) { SliderGesture(sender, starts); };
    sliders_[tag] = &s;
    return s;
}

gui::Label& EffectWindow::addReadout(gui::Widget& parent, int tag, gui::Rect bounds,
                                     const char* caption) {
    gui::Label& label =
        addLabel(parent, caption, bounds, Font::cell(FontFamily::Arial, 17, gui::colors::black),
                 gui::HAlign::Right);
    label.setVerticalCenter(true);
    readouts_[tag] = &label;
    return label;
}

TGlintButton& EffectWindow::addSwitch(gui::Widget& parent, int left, int top, int tag,
                                      const char* caption) {
    auto& b = parent.add<TGlintButton>();
    b.setBounds({left, top, 110, 36});
    b.setTag(tag);
    b.buttonKind = ButtonKind::bkRectangle;
    b.setButtonColor(kSwitchFace);
    b.setButtonDepth(2);
    b.setMainBitmap(artwork::buttonFace());
    b.setOnClickBitmap(artwork::buttonClick(), 1);
    b.OnClickInterval = 50;
    b.BitmapHAlign = HorizontalAlign::haCenter;
    b.BitmapVAlign = VerticalAlign::vaCenter;
    b.CaptionHAlign = HorizontalAlign::haCenter;
    b.CaptionVAlign = VerticalAlign::vaCenter;
    b.caption3dKind = Caption3dKind::ckPressed;
    b.Transparent = false;
    b.setFont(Font::cell(FontFamily::Arial, 18, kSwitchOff).setBold());
    b.setCaption(caption);
    b.setCursor(gui::Cursor::Hand);
    b.OnClick = [this](TGlintButton& sender) { ButtonClick(sender); };
    switches_[tag] = &b;
    return b;
}

gui::Label& EffectWindow::addCredits(gui::Widget& page, int left, int top) {
    addBevel(page, gui::BevelStyle::Lowered, {left, top, 244, 140});
    const Font comic = Font::character(FontFamily::ComicSansMS, 13, gui::colors::maroon);
    addLabel(page, "Credits", {left + 16, top + 4, 211, 23}, Font(comic).setBold().setUnderline());
    addLabel(page, "Concept, design and code by the Zindra team", {left + 16, top + 27, 211, 39},
             comic, gui::HAlign::Center)
        .setWordWrap(true);
    addLabel(page, "   Visit Corvanti at:", {left + 16, top + 73, 211, 22}, comic);
    gui::Label& address = addLabel(
        page, "www.corvanti.example", {left + 16, top + 98, 211, 27},
        Font::character(FontFamily::ComicSansMS, 16, gui::colors::hyperlink).setUnderline(),
        gui::HAlign::Center);
    address.setCursor(gui::Cursor::Hand);
    address.OnClick = [this](gui::Label&) { AddressClick(); };
    return address;
}

void EffectWindow::addVersionAndLatency(gui::Widget& page) {
    Label26 = &addLabel(page, "Vx.xx", {448, 45, 32, 15},
                        Font::character(FontFamily::Arial, 12, gui::colors::grey).setBold());
    addBevel(page, gui::BevelStyle::Lowered, {16, 211, 217, 86});
    addBevel(page, gui::BevelStyle::Raised, {47, 222, 153, 25});
    // A label sizes itself to its caption where the face runs wider than planned.
    const Font latencyFont = Font::cell(FontFamily::Arial, 17, gui::colors::black).setBold();
    addLabel(page, "Latency", {57, 227, std::max(54, gui::textWidth(latencyFont, "Latency")), 16},
             latencyFont);
    ms_latency =
        &addLabel(page, "100.00 ms", {121, 226, 69, 17},
                  Font::cell(FontFamily::Arial, 17, gui::colors::black), gui::HAlign::Right);
    addLabel(page, "Processing adds a fixed delay that hosts compensate.", {40, 256, 165, 30},
             Font::character(FontFamily::MSSansSerif, 11, gui::colors::grey), gui::HAlign::Center)
        .setWordWrap(true);
}

void EffectWindow::addSpectrum(gui::Widget& page) {
    const MainPagePlot spectrum = addMainPagePlot(page);
    sp_XYPlot1 = &spectrum.plot;
    sp_SpectrLines1 = &spectrum.left;
    sp_SpectrLines2 = &spectrum.right;
    sp_LineMarker1 = &spectrum.bandLow;
    sp_LineMarker2 = &spectrum.bandHigh;
}

void EffectWindow::makeUpdater() {
    updater = std::make_unique<gui::TDIBTimer>(*this);
    updater->OnTimer = [this](gui::TDIBTimer&) { UpdaterTimer(); };
    updater->setInterval(kUpdaterIntervalMs);
}

void EffectWindow::writeReadout(int tag) {
    const float value = ParamValues[tag].load(std::memory_order_relaxed);
    readouts_[tag]->setCaption(core::readoutText(table[static_cast<size_t>(tag)], value));
}

void EffectWindow::writeAllReadouts() {
    for (int tag = 0; tag < kMaxParams; ++tag)
        if (readouts_[tag]) writeReadout(tag);
}

void EffectWindow::SliderChange(TDIBSlider& sender) {
    if (Updating) return;
    const int i = sender.tag();
    if (!isSlider(i)) return;
    const float value = static_cast<float>(sender.Position()) /
                        static_cast<float>(stepsOf(table[static_cast<size_t>(i)]));
    ParamValues[i].store(value, std::memory_order_relaxed);
    if (readouts_[i]) writeReadout(i);
    if (Plugin) Plugin->performEdit(i, value);
}

void EffectWindow::SliderGesture(TDIBSlider& sender, bool starts) {
    const int i = sender.tag();
    if (!Plugin || !isSlider(i)) return;
    if (starts)
        Plugin->beginEdit(i);
    else
        Plugin->endEdit(i);
}

void EffectWindow::ButtonClick(TGlintButton& sender) {
    if (Updating) return;
    const int i = sender.tag();
    if (!isSwitch(i)) return;
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

void EffectWindow::RefreshSpectrum() {
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

void EffectWindow::UpdaterTimer() {
    if (OnUpdaterTick) OnUpdaterTick();
    RefreshSpectrum();
    Updating = true;
    for (int tag = 0; tag < kMaxParams; ++tag) {
        const float value = ParamValues[tag].load(std::memory_order_relaxed);
        if (isSlider(tag)) {
            const int position = roundHalfEven(static_cast<double>(value) *
                                               stepsOf(table[static_cast<size_t>(tag)]));
            if (position == sliders_[tag]->Position()) continue;
            sliders_[tag]->setPosition(position);
            if (readouts_[tag]) writeReadout(tag);
        } else if (isSwitch(tag)) {
            const int state = core::switchState(value);
            if (state == SwitchStates[tag]) continue;
            SwitchStates[tag] = state;
            if (state == 1)
                ShowSwitchOn(tag);
            else
                ShowSwitchOff(tag);
        }
    }
    Updating = false;
}

void EffectWindow::ShowSwitchOn(int tag) {
    if (isSwitch(tag)) switches_[tag]->setFontColor(kSwitchOn);
}

void EffectWindow::ShowSwitchOff(int tag) {
    if (isSwitch(tag)) switches_[tag]->setFontColor(kSwitchOff);
}

void EffectWindow::AddressClick() {
    if (!Updating) platform::openWebAddress(kWebAddress);
}

}  // namespace editor
