#include "tests/editor/Showcase.h"

#include "editor/Artwork.h"
#include "gui/Bevel.h"
#include "tests/support/PlotSpectrum.h"

namespace showcase {

using gui::hex;

SpectrumPlot addSpectrumPlot(gui::Widget& parent, int x, int y) {
    SpectrumPlot p;
    p.plot = &parent.add<editor::Tsp_XYPlot>();
    editor::Tsp_XYPlot& plot = *p.plot;
    plot.setBounds({x, y, 244, 140});
    plot.setColor(hex(0xDBE3DB));
    plot.setFieldColor(hex(0x525B6F));
    plot.setBorderStyle(editor::BorderStyle::bs_Lowered);
    plot.LeftAxis.setMin(-70);
    plot.LeftAxis.setMax(10);
    plot.LeftAxis.setTicksCount(9);
    plot.LeftAxis.setGridVisible(true);
    plot.LeftAxis.setMargin(4);
    plot.BottomAxis.setMin(0);
    plot.BottomAxis.setMax(2047);
    plot.BottomAxis.setTicksCount(21);
    plot.BottomAxis.setGridVisible(true);
    plot.BottomAxis.setMargin(3);
    plot.RightAxis.setMargin(4);
    plot.TopAxis.setMargin(4);
    p.left = &plot.addSeries<editor::Tsp_SpectrLines>();
    p.left->setLineAttr({hex(0xCF45A6), 1, true});
    p.left->setBaseYValue(-70);
    p.right = &plot.addSeries<editor::Tsp_SpectrLines>();
    p.right->setLineAttr({hex(0xAFD713), 1, true});
    p.right->setBaseYValue(-70);
    for (editor::Tsp_LineMarker** m : {&p.low, &p.high}) {
        *m = &plot.addMarker<editor::Tsp_LineMarker>();
        (*m)->setPen({gui::colors::fuchsia, 1, gui::PenStyle::DashDot});
    }
    return p;
}

void fillTestSpectrum(const SpectrumPlot& p, int bins) {
    for (editor::Tsp_SpectrLines* s : {p.left, p.right}) {
        s->ClearPoints();
        s->setRepaintSuspended(true);
    }
    const PlotSpectrum levels = plotSpectrum(bins);
    for (int b = 0; b < bins; ++b) {
        p.left->AddPoint(b, levels.left[static_cast<size_t>(b)]);
        p.right->AddPoint(b, levels.right[static_cast<size_t>(b)]);
    }
    p.left->setRepaintSuspended(false);
    p.right->setRepaintSuspended(false);
}

editor::TDIBSlider& addSlider(gui::Widget& parent, const gui::ImageList& images, int x, int y,
                              int max) {
    auto& s = parent.add<editor::TDIBSlider>();
    s.setBounds({x, y, 190, 18});
    s.setImageList(&images);
    s.setImageIndices(1, 2, 3, 4, -1);
    s.setAutoSize(true);
    s.setMax(max);
    s.SmallChange = 1;
    s.LargeChange = max == 2000 ? 5 : 10;
    s.PageSize = 5;
    s.setCursor(gui::Cursor::Hand);
    return s;
}

editor::TGlintButton& addSwitch(gui::Widget& parent, int x, int y, const char* caption) {
    auto& b = parent.add<editor::TGlintButton>();
    b.setBounds({x, y, 110, 36});
    b.setButtonColor(hex(0xC7D5D6));
    b.setMainBitmap(editor::artwork::buttonFace());
    b.setOnClickBitmap(editor::artwork::buttonClick(), 1);
    b.OnClickInterval = 50;
    gui::Font font = gui::Font::cell(gui::FontFamily::Arial, 18, hex(0x828073));
    font.setBold();
    b.setFont(font);
    b.setCaption(caption);
    b.setCursor(gui::Cursor::Hand);
    return b;
}

std::unique_ptr<MainPage> buildMainPage() {
    auto page = std::make_unique<MainPage>();
    auto window = std::make_unique<platform::OffscreenWindow>(500, 310);
    page->window = window.get();
    page->form = std::make_unique<gui::Form>(std::move(window), 500, 310);
    editor::artwork::fillImageList(page->images);
    auto& container = page->form->add<gui::TDIBImageContainer>();
    container.setBounds({0, 0, 500, 310});
    container.setImageList(&page->images);
    container.setIndexImage(0);
    container.add<gui::Bevel>(gui::BevelStyle::Lowered).setBounds({16, 64, 217, 233});
    const char* names[] = {"Center", "Width", "Spread", "Zindra Mix ", "Humidity"};
    const char* readouts[] = {"20000 Hz", "4000 Hz", "100 %", "100 %", "100 %"};
    for (int i = 0; i < 5; ++i) {
        const int top = 73 + 44 * i;
        page->sliders[i] = &addSlider(container, page->images, 29, top, i < 2 ? 2000 : 1000);
        page->sliders[i]->setTag(i);
        for (int side = 0; side < 2; ++side) {
            auto& label = container.add<gui::Label>(side ? readouts[i] : names[i]);
            label.setBounds(side ? gui::Rect{151, top + 19, 66, 22}
                                 : gui::Rect{27, top + 19, 100, 22});
            label.setFont(gui::Font::cell(gui::FontFamily::Arial, 17));
            label.setVerticalCenter(true);
            if (side) label.setAlignment(gui::HAlign::Right);
        }
    }
    page->spectrum = addSpectrumPlot(container, 240, 64);
    container.add<gui::Bevel>(gui::BevelStyle::Lowered).setBounds({240, 211, 244, 86});
    page->switches[0] = &addSwitch(container, 248, 216, "Stereolize!");
    page->switches[1] = &addSwitch(container, 365, 216, "Spreadilate!");
    page->switches[2] = &addSwitch(container, 248, 256, "Bypass");
    page->switches[3] = &addSwitch(container, 365, 256, "Pass Thru");
    return page;
}

}  // namespace showcase
