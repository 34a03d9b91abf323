// The widget layer: partial repaints, text, page control, image container
// and window timers.
#include <gtest/gtest.h>

#include "gui/Form.h"
#include "gui/Label.h"
#include "gui/PageControl.h"
#include "gui/TDIBImageContainer.h"
#include "gui/TDIBTimer.h"
#include "platform/offscreen/OffscreenWindow.h"

namespace {

// Counts its paints and the area it was asked to paint.
class Probe : public gui::Widget {
public:
    void paint(gui::Canvas& canvas) override {
        ++paints;
        canvas.fillRect(localRect(), gui::hex(0x336699));
    }
    int paints = 0;
};

class WidgetsTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto w = std::make_unique<platform::OffscreenWindow>(300, 200);
        window = w.get();
        form = std::make_unique<gui::Form>(std::move(w), 300, 200);
        form->setColor(gui::colors::white);
    }
    // Columns of the box that hold dark (text) pixels.
    std::pair<int, int> inkColumns(const gui::Rect& box) const {
        int first = -1, last = -1;
        for (int x = box.x; x < box.right(); ++x)
            for (int y = box.y; y < box.bottom(); ++y)
                if (gui::greenOf(window->screenPixel(x, y)) < 128) {
                    if (first < 0) first = x;
                    last = x;
                }
        return {first, last};
    }
    platform::OffscreenWindow* window = nullptr;
    std::unique_ptr<gui::Form> form;
};

TEST_F(WidgetsTest, OnlyWhatChangedIsRepainted) {
    Probe& far = form->add<Probe>();
    far.setBounds({200, 100, 50, 50});
    gui::Label& label = form->add<gui::Label>("Center");
    label.setBounds({10, 10, 100, 22});
    window->paintPending();
    ASSERT_EQ(far.paints, 1);
    label.setCaption("Width");
    window->paintPending();
    EXPECT_EQ(far.paints, 1);
    label.setCaption("Width");  // the same text: nothing at all
    const int paints = window->paintCount();
    window->paintPending();
    EXPECT_EQ(window->paintCount(), paints);
    far.setVisible(false);
    window->paintPending();
    EXPECT_EQ(window->screenPixel(220, 120), gui::colors::white);
}

TEST_F(WidgetsTest, LabelAlignmentAndWordWrap) {
    const gui::Rect box{10, 10, 200, 22};
    gui::Label& label = form->add<gui::Label>("Humidity");
    label.setBounds(box);
    label.setFont(gui::Font::cell(gui::FontFamily::Arial, 17));
    window->paintPending();
    auto [left, leftEnd] = inkColumns(box);
    EXPECT_GE(left, 10);
    EXPECT_LE(left, 13);
    label.setAlignment(gui::HAlign::Right);
    window->paintPending();
    auto [rightStart, right] = inkColumns(box);
    EXPECT_GE(right, 205);
    EXPECT_EQ(rightStart - left, 209 - leftEnd - (209 - right));

    gui::Label& wrapped = form->add<gui::Label>("a small notice line that does not fit");
    wrapped.setBounds({10, 60, 120, 60});
    wrapped.setWordWrap(true);
    wrapped.setAlignment(gui::HAlign::Center);
    window->paintPending();
    int inkRows = 0;
    for (int y = 60; y < 120; ++y) {
        bool ink = false;
        for (int x = 10; x < 130; ++x) ink |= gui::greenOf(window->screenPixel(x, y)) < 128;
        inkRows += ink;
    }
    EXPECT_GT(inkRows, 14);  // more than one line of an 11-pixel font
}

TEST_F(WidgetsTest, PageControlShowsTabsAsPushButtonsAndSwitchesPages) {
    gui::PageControl& pages = form->add<gui::PageControl>();
    pages.setBounds({0, 0, 300, 200});
    gui::TabSheet& main = pages.addPage("Zindra Main");
    gui::TabSheet& about = pages.addPage("About");
    gui::TabSheet& hidden = pages.addPage("Advert");
    pages.setTabVisible(hidden, false);
    int changes = 0;
    pages.OnChange = [&](gui::PageControl&) { ++changes; };
    window->paintPending();
    EXPECT_EQ(pages.visibleTabs(), (std::vector<std::string>{"Zindra Main", "About"}));
    EXPECT_EQ(pages.activePage(), &main);
    EXPECT_EQ(main.bounds(), (gui::Rect{4, 27, 292, 169}));
    // The second tab lies right of the first.
    const gui::Rect aboutTab = pages.children()[3]->bounds();
    window->click(aboutTab.x + 10, 10);
    EXPECT_EQ(pages.activePage(), &about);
    EXPECT_TRUE(about.visible());
    EXPECT_FALSE(main.visible());
    EXPECT_EQ(changes, 1);
    window->click(aboutTab.x + 10, 10);  // the active tab again: no change
    EXPECT_EQ(changes, 1);
}

TEST_F(WidgetsTest, ImageContainerCentresItsPicture) {
    gui::ImageList list;
    gui::Image red{gui::Bitmap(20, 10, gui::hex(0xFF0000)), gui::Transparency::Opaque, 0};
    list.add(std::move(red));
    auto& container = form->add<gui::TDIBImageContainer>();
    container.setBounds({0, 0, 100, 50});
    container.setImageList(&list);
    container.setIndexImage(0);
    window->paintPending();
    EXPECT_EQ(window->screenPixel(40, 20), gui::hex(0xFF0000));
    EXPECT_EQ(window->screenPixel(59, 29), gui::hex(0xFF0000));
    EXPECT_EQ(window->screenPixel(39, 20), gui::colors::black);
    EXPECT_EQ(window->screenPixel(40, 30), gui::colors::black);
    container.setIndexImage(5);  // no such picture: only the colour
    window->paintPending();
    EXPECT_EQ(window->screenPixel(50, 25), gui::colors::black);
}

// Tools draw a form that has no window (editor pictures) on request.
TEST(WindowlessForm, RendersOnRequestAndRefusesTimers) {
    gui::Form form(nullptr, 60, 30);
    form.setColor(gui::colors::white);
    auto& label = form.add<gui::Label>("Zindra");
    label.setBounds({0, 0, 60, 30});
    const gui::Bitmap& pixels = form.render({0, 0, 60, 30});
    int ink = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x) ink += gui::greenOf(pixels.at(x, y)) < 128;
    EXPECT_GT(ink, 20);
    EXPECT_EQ(pixels.at(59, 29), gui::colors::white);
    gui::TDIBTimer timer(form);
    timer.OnTimer = [](gui::TDIBTimer&) {};
    EXPECT_THROW(timer.setEnabled(true), gui::TimerError);
}

TEST_F(WidgetsTest, TimerTicksRestartsAndStops) {
    gui::TDIBTimer timer(*form);
    std::vector<std::uint64_t> ticks;
    timer.setEnabled(true);  // no OnTimer yet: nothing runs
    window->advance(2000);
    EXPECT_TRUE(ticks.empty());
    timer.OnTimer = [&](gui::TDIBTimer&) { ticks.push_back(window->now()); };
    timer.setInterval(100);
    window->advance(250);
    EXPECT_EQ(ticks, (std::vector<std::uint64_t>{2100, 2200}));
    timer.setInterval(30);  // restarts from now
    window->advance(70);
    EXPECT_EQ(ticks.back(), 2310u);
    timer.setEnabled(false);
    window->advance(500);
    EXPECT_EQ(ticks.size(), 4u);
}

TEST_F(WidgetsTest, TimerTheSystemRefusesStaysDisabledAndSaysSo) {
    gui::TDIBTimer timer(*form);
    timer.OnTimer = [](gui::TDIBTimer&) {};
    window->refuseTimers(true);
    try {
        timer.setEnabled(true);
        FAIL() << "no error raised";
    } catch (const gui::TimerError& e) {
        EXPECT_STREQ(e.what(), "Not enough timers available");
    }
    EXPECT_FALSE(timer.Enabled());
}

}  // namespace
