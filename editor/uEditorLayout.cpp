// Zindra's window: where each control sits, its range, tag, font and colour.
#include "editor/Artwork.h"
#include "editor/uEditor.h"

namespace editor {
namespace {

using gui::Font;
using gui::FontFamily;
using gui::Rect;

constexpr int kPageWidth = 500;
constexpr int kPageHeight = 310;

}  // namespace

TPluginEditorWindow::TPluginEditorWindow(std::unique_ptr<platform::NativeWindow> window)
    : EffectWindow(std::move(window), kClientWidth, kClientHeight, zindra::kParameters) {
    setColor(gui::colors::black);
    artwork::fillImageList(DIBImageList1);

    PageControl1 = &add<gui::PageControl>();
    PageControl1->setBounds({0, 0, kClientWidth, kClientHeight});
    TabSheet1 = &PageControl1->addPage("Zindra Main");
    About = &PageControl1->addPage("About");
    PageControl1->setActivePage(TabSheet1);
    PageControl1->OnChange = [this](gui::PageControl&) { PageControl1Change(); };
    DIBImageContainer1 = &addPageContainer(*TabSheet1, DIBImageList1, kPageWidth, kPageHeight);
    DIBImageContainer2 = &addPageContainer(*About, DIBImageList1, kPageWidth, kPageHeight);
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

    makeUpdater();
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
        addSlider(page, 29, top, tag);
        addLabel(page, kNames[tag], kNameBounds[tag], labelFont).setVerticalCenter(true);
        addReadout(page, tag, {151, top + 19, 66, 22}, kReadouts[tag]);
    }

    addSpectrum(page);

    addBevel(page, gui::BevelStyle::Lowered, {240, 211, 244, 86});
    addSwitch(page, 248, 216, kStereolizeSwitch, "Stereolize!");
    addSwitch(page, 365, 216, kSpreadilateSwitch, "Spreadilate!");
    addSwitch(page, 248, 256, kBypassSwitch, "Bypass");
    addSwitch(page, 365, 256, kPassThruSwitch, "Pass Thru");
}

void TPluginEditorWindow::buildAboutPage(gui::TDIBImageContainer& page) {
    Label28 = &addCredits(page, 240, 64);
    addVersionAndLatency(page);
    addBevel(page, gui::BevelStyle::Lowered, {240, 211, 244, 86});
    addSwitch(page, 248, 216, kIsolateSwitch, "Isolate");
    addSwitch(page, 365, 216, kHiResSwitch, "Hi-Res");
    addSwitch(page, 248, 256, kZindracateSwitch, "Zindra-cate!");
}

}  // namespace editor
