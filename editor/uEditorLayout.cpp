// The window's controls: where each sits, its range, tag, font and colour.
#include <algorithm>

#include "editor/Artwork.h"
#include "editor/MainPagePlot.h"
#include "editor/uEditor.h"
#include "gui/Bevel.h"
#include "gui/Text.h"

namespace editor {
namespace {

using gui::Font;
using gui::FontFamily;
using gui::hex;
using gui::Rect;

constexpr gui::Color kSwitchFace = hex(0xC7D5D6);
constexpr gui::Color kSwitchOff = hex(0x828073);

gui::Label& addLabel(gui::Widget& parent, const char* caption, Rect bounds, const Font& font,
                     gui::HAlign align = gui::HAlign::Left) {
    auto& label = parent.add<gui::Label>(caption);
    label.setBounds(bounds);
    label.setFont(font);
    label.setAlignment(align);
    return label;
}

gui::Bevel& addBevel(gui::Widget& parent, gui::BevelStyle style, Rect bounds) {
    auto& bevel = parent.add<gui::Bevel>(style);
    bevel.setBounds(bounds);
    return bevel;
}

gui::TDIBImageContainer& addPageContainer(gui::TabSheet& page, const gui::ImageList& images) {
    auto& container = page.add<gui::TDIBImageContainer>();
    container.setBounds({0, 0, 500, 310});
    container.setColor(gui::colors::black);
    container.setImageList(&images);
    container.setIndexImage(0);
    container.setTileMethod(gui::TileMethod::tmCenter);
    return container;
}

}  // namespace

TPluginEditorWindow::TPluginEditorWindow(std::unique_ptr<platform::NativeWindow> window)
    : gui::Form(std::move(window), kClientWidth, kClientHeight) {
    setColor(gui::colors::black);
    artwork::fillImageList(DIBImageList1);

    PageControl1 = &add<gui::PageControl>();
    PageControl1->setBounds({0, 0, kClientWidth, kClientHeight});
    TabSheet1 = &PageControl1->addPage("Zindra Main");
    About = &PageControl1->addPage("About");
    PageControl1->setActivePage(TabSheet1);
    PageControl1->OnChange = [this](gui::PageControl&) { PageControl1Change(); };
    DIBImageContainer1 = &addPageContainer(*TabSheet1, DIBImageList1);
    DIBImageContainer2 = &addPageContainer(*About, DIBImageList1);
    buildMainPage(*DIBImageContainer1);
    buildAboutPage(*DIBImageContainer2);

    Dump_p = &add<gui::PushButton>("Dump Prog.");
    Dump_p->setBounds({171, 48, 97, 25});
    Dump_p->setVisible(false);
    Dump_p->OnClick = [this](gui::PushButton&) { Dump_pClick(); };

    Panel22 = &add<gui::Panel>();
    Panel22->setBounds({455, 0, 49, 20});
    Panel22->setColor(gui::colors::black);
    Panel22->setBevel(std::nullopt);
    l_HQ = &Panel22->add<gui::Label>("Hi-Res");
    l_HQ->setBounds({0, 0, 49, 20});
    l_HQ->setFont(Font::character(FontFamily::MSSansSerif, 11, gui::colors::grey));
    l_HQ->setAlignment(gui::HAlign::Center);
    l_HQ->setVerticalCenter(true);
    l_HQ->setColor(gui::colors::green);
    l_HQ->setTransparent(true);

    updater = std::make_unique<gui::TDIBTimer>(*this);
    updater->OnTimer = [this](gui::TDIBTimer&) { UpdaterTimer(); };
    updater->setInterval(kUpdaterIntervalMs);
}

TPluginEditorWindow::~TPluginEditorWindow() {
    // The timer goes before the controls its tick would touch.
    updater.reset();
}

void TPluginEditorWindow::buildMainPage(gui::TDIBImageContainer& page) {
    addBevel(page, gui::BevelStyle::Lowered, {16, 64, 217, 233});
    static const char* const kNames[5] = {"Center", "Width", "Spread", "Zindra Mix ", "Humidity"};
    static const char* const kReadouts[5] = {"20000 Hz", "4000 Hz", "100 %", "100 %", "100 %"};
    // Each name and readout sits under its slider; the rows are 44 pixels apart
    // (the "Width" name is a little taller and starts two pixels higher).
    static const Rect kNameBounds[5] = {{27, 92, 100, 22},
                                        {27, 134, 100, 26},
                                        {27, 180, 100, 22},
                                        {27, 224, 100, 22},
                                        {27, 268, 100, 22}};
    const Font labelFont = Font::cell(FontFamily::Arial, 17, gui::colors::black);
    for (int tag = 0; tag < kSliderCount; ++tag) {
        const int top = 73 + 44 * tag;
        auto& s = page.add<TDIBSlider>();
        s.setBounds({29, top, 190, 18});
        s.setTag(tag);
        s.sliderType = SliderType::stHorizontal;
        s.setImageList(&DIBImageList1);
        s.setImageIndices(1, 2, 3, 4, -1);
        s.setAutoSize(true);
        s.setMin(0);
        s.setMax(isFrequencySlider(tag) ? 2000 : 1000);
        s.SmallChange = 1;
        s.LargeChange = isFrequencySlider(tag) ? 5 : 10;
        s.PageSize = 5;
        s.Opacity = 255;
        s.PointerOpacityLow = 255;
        s.StretchBackground = false;
        s.setCursor(gui::Cursor::Hand);
        s.OnChange = [this](TDIBSlider& sender) { SliderChange(sender); };
        s.OnGesture = [this](TDIBSlider& sender, bool starts) { SliderGesture(sender, starts); };
        sliders_[tag] = &s;

        addLabel(page, kNames[tag], kNameBounds[tag], labelFont).setVerticalCenter(true);
        readouts_[tag] =
            &addLabel(page, kReadouts[tag], {151, top + 19, 66, 22}, labelFont, gui::HAlign::Right);
        readouts_[tag]->setVerticalCenter(true);
    }

    const MainPagePlot spectrum = addMainPagePlot(page);
    sp_XYPlot1 = &spectrum.plot;
    sp_SpectrLines1 = &spectrum.left;
    sp_SpectrLines2 = &spectrum.right;
    sp_LineMarker1 = &spectrum.bandLow;
    sp_LineMarker2 = &spectrum.bandHigh;

    addBevel(page, gui::BevelStyle::Lowered, {240, 211, 244, 86});
    addSwitch(page, 248, 216, kStereolizeSwitch, "Stereolize!");
    addSwitch(page, 365, 216, kSpreadilateSwitch, "Spreadilate!");
    addSwitch(page, 248, 256, kBypassSwitch, "Bypass");
    addSwitch(page, 365, 256, kPassThruSwitch, "Pass Thru");
}

void TPluginEditorWindow::buildAboutPage(gui::TDIBImageContainer& page) {
    addBevel(page, gui::BevelStyle::Lowered, {240, 64, 244, 140});
    const Font comic = Font::character(FontFamily::ComicSansMS, 13, gui::colors::maroon);
    addLabel(page, "Credits", {256, 68, 211, 23}, Font(comic).setBold().setUnderline());
    addLabel(page, "Concept, design and code by the Zindra team", {256, 91, 211, 39}, comic,
             gui::HAlign::Center)
        .setWordWrap(true);
    addLabel(page, "   Visit Corvanti at:", {256, 137, 211, 22}, comic);
    Label28 = &addLabel(
        page, "www.corvanti.example", {256, 162, 211, 27},
        Font::character(FontFamily::ComicSansMS, 16, gui::colors::hyperlink).setUnderline(),
        gui::HAlign::Center);
    Label28->setCursor(gui::Cursor::Hand);
    Label28->OnClick = [this](gui::Label&) { AddressClick(); };
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

    addBevel(page, gui::BevelStyle::Lowered, {240, 211, 244, 86});
    addSwitch(page, 248, 216, kIsolateSwitch, "Isolate");
    addSwitch(page, 365, 216, kHiResSwitch, "Hi-Res");
    addSwitch(page, 248, 256, kZindracateSwitch, "Zindra-cate!");
}

TGlintButton& TPluginEditorWindow::addSwitch(gui::Widget& parent, int left, int top, int tag,
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
    switches_[tag - kHiResSwitch] = &b;
    return b;
}

}  // namespace editor
