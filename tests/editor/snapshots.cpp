// Writes PNG pictures of the controls and the plot with a test spectrum:
//   editor_snapshots <folder>
#include <cstdio>
#include <string>

#include "editor/Artwork.h"
#include "tests/editor/Showcase.h"

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

    // The plot alone, and a switch while its click picture shows.
    platform::OffscreenWindow plotOnly(244, 140);
    (void)plotOnly;
    page->window->mouseDown(260, 230);
    page->window->advance(50);
    ok = page->window->savePng(folder + "/switch-click.png") && ok;
    page->window->mouseUp(260, 230);
    page->window->advance(100);

    // The artwork at twice its size so the details show.
    gui::ImageList images;
    editor::artwork::fillImageList(images);
    gui::Bitmap sheet(2 * 130, 2 * 50, gui::hex(0xC9D1D8));
    gui::Canvas canvas(sheet);
    gui::Bitmap small(130, 50, gui::hex(0xC9D1D8));
    gui::Canvas smallCanvas(small);
    smallCanvas.drawImage(*images.at(1), 4, 4);
    smallCanvas.drawImage(*images.at(3), 20, 4);
    smallCanvas.drawImage(*images.at(2), 36, 4);
    smallCanvas.drawImage(*images.at(4), 60, 4);
    smallCanvas.drawImage(editor::artwork::buttonFace(), 4, 16);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 260; ++x) sheet.at(x, y) = small.at(x / 2, y / 2);
    ok = platform::writePng(folder + "/slider-parts-2x.png", sheet.data(), 260, 100, 260) && ok;
    std::printf("%s\n", ok ? "snapshots written" : "could not write the snapshots");
    return ok ? 0 : 1;
}
