// Writes PNG pictures of the controls and the plot with a test spectrum:
//   editor_snapshots <folder>
#include <cstdio>
#include <string>

#include "editor/Artwork.h"
#include "gui/Bevel.h"
#include "gui/PageControl.h"
#include "gui/Panel.h"
#include "tests/editor/Showcase.h"

namespace {

// The widget layer's pieces as the About page uses them: tabs as push
// buttons, a panel with a label, bevels, and text in the three faces.
bool writeWidgetSheet(const std::string& path) {
    auto owned = std::make_unique<platform::OffscreenWindow>(508, 341);
    platform::OffscreenWindow& window = *owned;
    gui::Form form(std::move(owned), 508, 341);
    gui::ImageList images;
    editor::artwork::fillImageList(images);
    auto& pages = form.add<gui::PageControl>();
    pages.setBounds({0, 0, 508, 341});
    pages.addPage("Zindra Main");
    gui::TabSheet& about = pages.addPage("About");
    pages.setActivePage(&about);
    auto& hq = form.add<gui::Panel>();
    hq.setBounds({455, 0, 49, 20});
    hq.setColor(gui::colors::black);
    auto& hqLabel = hq.add<gui::Label>("Hi-Res");
    hqLabel.setBounds({0, 0, 49, 20});
    hqLabel.setAlignment(gui::HAlign::Center);
    hqLabel.setVerticalCenter(true);
    hqLabel.setTransparent(false);
    hqLabel.setColor(gui::colors::green);
    hqLabel.setFontColor(gui::colors::lime);

    auto& container = about.add<gui::TDIBImageContainer>();
    container.setBounds({0, 0, 500, 310});
    container.setImageList(&images);
    container.setIndexImage(0);
    container.add<gui::Bevel>(gui::BevelStyle::Lowered).setBounds({240, 64, 244, 140});
    auto label = [&](const char* text, gui::Rect r, gui::Font font, gui::HAlign align,
                     bool wrap) -> gui::Label& {
        auto& l = container.add<gui::Label>(text);
        l.setBounds(r);
        l.setFont(font);
        l.setAlignment(align);
        l.setWordWrap(wrap);
        return l;
    };
    using gui::FontFamily;
    label("Credits", {256, 68, 211, 23},
          gui::Font::character(FontFamily::ComicSansMS, 13, gui::colors::maroon)
              .setBold()
              .setUnderline(),
          gui::HAlign::Left, false);
    label("Concept, design and code by the Zindra team", {256, 91, 211, 39},
          gui::Font::character(FontFamily::ComicSansMS, 13, gui::colors::maroon),
          gui::HAlign::Center, true);
    label("   Visit Corvanti at:", {256, 137, 211, 22},
          gui::Font::character(FontFamily::ComicSansMS, 13, gui::colors::maroon), gui::HAlign::Left,
          false);
    label("www.corvanti.example", {256, 162, 211, 27},
          gui::Font::character(FontFamily::ComicSansMS, 16, gui::colors::hyperlink).setUnderline(),
          gui::HAlign::Center, false);
    label("V1.14", {448, 45, 32, 15},
          gui::Font::character(FontFamily::Arial, 12, gui::colors::grey).setBold(),
          gui::HAlign::Left, false);
    container.add<gui::Bevel>(gui::BevelStyle::Lowered).setBounds({16, 211, 217, 86});
    container.add<gui::Bevel>(gui::BevelStyle::Raised).setBounds({47, 222, 153, 25});
    label("Latency", {57, 227, 54, 16}, gui::Font::cell(FontFamily::Arial, 17).setBold(),
          gui::HAlign::Left, false);
    label("185.76 ms", {121, 226, 69, 17}, gui::Font::cell(FontFamily::Arial, 17),
          gui::HAlign::Right, false);
    label("Processing adds a fixed delay that hosts compensate.", {40, 256, 165, 30},
          gui::Font::character(FontFamily::MSSansSerif, 11, gui::colors::grey), gui::HAlign::Center,
          true);
    container.add<gui::Bevel>(gui::BevelStyle::Lowered).setBounds({240, 211, 244, 86});
    showcase::addSwitch(container, 248, 216, "Isolate");
    showcase::addSwitch(container, 365, 216, "Hi-Res").setFontColor(gui::hex(0x0000FF));
    showcase::addSwitch(container, 248, 256, "Zindra-cate!");
    window.paintPending();
    return window.savePng(path);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : ".";
    auto page = showcase::buildMainPage();
    page->spectrum.plot->BottomAxis.setMax(1858);
    page->spectrum.low->setPosition(37);
    page->spectrum.high->setPosition(409);
    showcase::fillTestSpectrum(page->spectrum, 1859);
    const int positions[] = {400, 180, 1000, 650, 1000};
    for (int i = 0; i < 5; ++i) page->sliders[i]->setPosition(positions[i]);
    page->switches[0]->setFontColor(gui::hex(0x0000FF));
    page->switches[3]->setFontColor(gui::hex(0x0000FF));
    page->window->paintPending();
    bool ok = page->window->savePng(folder + "/main-page.png");

    // A switch while its click picture shows.
    page->window->mouseDown(260, 230);
    page->window->advance(50);
    ok = page->window->savePng(folder + "/switch-click.png") && ok;
    page->window->mouseUp(260, 230);
    page->window->advance(100);

    // The artwork at twice its size so the details show.
    gui::ImageList images;
    editor::artwork::fillImageList(images);
    constexpr int kW = 120, kH = 68;
    gui::Bitmap small(kW, kH, gui::hex(0xC9D1D8));
    gui::Canvas smallCanvas(small);
    smallCanvas.drawImage(*images.at(1), 4, 4);
    smallCanvas.drawImage(*images.at(3), 24, 4);
    smallCanvas.drawImage(*images.at(2), 44, 4);
    smallCanvas.drawImage(*images.at(4), 70, 4);
    smallCanvas.drawImage(editor::artwork::buttonFace(), 4, 30);
    gui::Bitmap sheet(2 * kW, 2 * kH);
    for (int y = 0; y < 2 * kH; ++y)
        for (int x = 0; x < 2 * kW; ++x) sheet.at(x, y) = small.at(x / 2, y / 2);
    ok =
        platform::writePng(folder + "/slider-parts-2x.png", sheet.data(), 2 * kW, 2 * kH, 2 * kW) &&
        ok;
    ok = writeWidgetSheet(folder + "/widgets.png") && ok;
    std::printf("%s\n", ok ? "snapshots written" : "could not write the snapshots");
    return ok ? 0 : 1;
}
