// Zindra Deep's window: where each control sits.
#include "editor/DeepEditorWindow.h"

#include "editor/Artwork.h"
#include "gui/TDIBImageContainer.h"

namespace editor {
namespace {

using gui::Font;
using gui::FontFamily;

constexpr int kPageWidth = 500;
constexpr int kPageHeight = 356;
// The colours of the two spectra, as the plot draws them.
constexpr gui::Color kInputColor = gui::hex(0xCF45A6);
constexpr gui::Color kRemovedColor = gui::hex(0xAFD713);

}  // namespace

DeepEditorWindow::DeepEditorWindow(std::unique_ptr<platform::NativeWindow> window)
    : EffectWindow(std::move(window), kClientWidth, kClientHeight, deep::kParameters) {
    setColor(gui::colors::black);
    artwork::fillImageList(DIBImageList1, kPageHeight, "ZINDRA DEEP");

    pages = &add<gui::PageControl>();
    pages->setBounds({0, 0, kClientWidth, kClientHeight});
    mainPage = &pages->addPage("Deep Main");
    aboutPage = &pages->addPage("About");
    pages->setActivePage(mainPage);
    buildMainPage(addPageContainer(*mainPage, DIBImageList1, kPageWidth, kPageHeight));
    buildAboutPage(addPageContainer(*aboutPage, DIBImageList1, kPageWidth, kPageHeight));
    makeUpdater();
}

// Left: how deep and how wide the centre is taken, how it is smoothed, its
// echo and the keeps, a row each, 44 pixels apart. Right: the spectrum, and
// under it the mix and the Isolate switch.
void DeepEditorWindow::buildMainPage(gui::Widget& page) {
    const Font labelFont = Font::cell(FontFamily::Arial, 17, gui::colors::black);
    const auto addRow = [&](int tag, int left, int top) {
        addSlider(page, left + 13, top, tag);
        addLabel(page, deep::kParameters[tag].name, {left + 11, top + 19, 120, 22}, labelFont)
            .setVerticalCenter(true);
        addReadout(page, tag, {left + 135, top + 19, 66, 22}, "");
    };
    addBevel(page, gui::BevelStyle::Lowered, {16, 64, 217, 279});
    const int leftRows[] = {deep::kDepth, deep::kWidth,   deep::kSmoothing,
                            deep::kTail,  deep::kLowKeep, deep::kHighKeep};
    for (int row = 0; row < 6; ++row) addRow(leftRows[row], 16, 73 + 44 * row);

    addSpectrum(page);
    addLabel(page, "Input", {244, 206, 110, 14},
             Font::character(FontFamily::MSSansSerif, 11, kInputColor).setBold());
    addLabel(page, "Taken out", {370, 206, 110, 14},
             Font::character(FontFamily::MSSansSerif, 11, kRemovedColor).setBold(),
             gui::HAlign::Right);

    addBevel(page, gui::BevelStyle::Lowered, {240, 224, 244, 119});
    addRow(deep::kMix, 240, 233);
    addSwitch(page, 307, 294, deep::kIsolate, "Isolate");
}

void DeepEditorWindow::buildAboutPage(gui::Widget& page) {
    addCredits(page, 240, 64);
    addVersionAndLatency(page);
}

}  // namespace editor
