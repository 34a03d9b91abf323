// TGlintButton: clicks, the click picture's timing, the held look, Space,
// double clicks and the caption colour.
#include <gtest/gtest.h>

#include "gui/Form.h"
#include "platform/offscreen/OffscreenWindow.h"
#include "tests/editor/Showcase.h"

namespace {

using editor::TGlintButton;

class ButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto w = std::make_unique<platform::OffscreenWindow>(130, 50);
        window = w.get();
        form = std::make_unique<gui::Form>(std::move(w), 130, 50);
        button = &showcase::addSwitch(*form, 10, 5, "Bypass");
        button->OnClick = [this](TGlintButton& sender) {
            ++clicks;
            state = 1 - state;
            sender.setFontColor(state ? gui::hex(0x0000FF) : gui::hex(0x828073));
        };
        window->paintPending();
    }

    int countColor(gui::Color c) const {
        int n = 0;
        for (gui::Color p : window->screen()) n += (p | 0xFF000000u) == c;
        return n;
    }

    platform::OffscreenWindow* window = nullptr;
    std::unique_ptr<gui::Form> form;
    TGlintButton* button = nullptr;
    int clicks = 0;
    int state = 0;
};

TEST_F(ButtonTest, ClickNeedsPressAndReleaseOverTheButton) {
    window->click(60, 20);
    EXPECT_EQ(clicks, 1);
    window->mouseDown(60, 20);
    window->mouseUp(125, 48);  // released outside
    EXPECT_EQ(clicks, 1);
    window->mouseDown(125, 48);  // pressed outside
    window->mouseUp(60, 20);
    EXPECT_EQ(clicks, 1);
    window->mouseDown(60, 20, platform::MouseButton::Right);
    window->mouseUp(60, 20, platform::MouseButton::Right);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonTest, DoubleClickCountsAsTwoClicks) {
    window->doubleClick(60, 20);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(state, 0);
}

TEST_F(ButtonTest, ClickPictureShowsFromFiftyToOneHundredMilliseconds) {
    window->mouseDown(60, 20);
    window->mouseUp(60, 20);
    window->advance(49);
    EXPECT_EQ(button->clickFrame(), -1);
    window->advance(1);
    EXPECT_EQ(button->clickFrame(), 0);
    // The click picture's border colour is on the screen now.
    EXPECT_GT(countColor(gui::hex(0x4C8FB8)), 100);
    window->advance(49);
    EXPECT_EQ(button->clickFrame(), 0);
    window->advance(1);
    EXPECT_EQ(button->clickFrame(), -1);
    EXPECT_EQ(countColor(gui::hex(0x4C8FB8)), 0);
    // A press while the picture runs does not restart it.
    window->mouseDown(60, 20);
    window->advance(30);
    window->mouseDown(60, 20);
    window->advance(20);
    EXPECT_EQ(button->clickFrame(), 0);
    window->mouseUp(60, 20);
    window->advance(200);
}

TEST_F(ButtonTest, HeldButtonShiftsThePictureOnePixel) {
    const std::vector<gui::Color> normal = window->screen();
    window->mouseDown(60, 20);
    EXPECT_TRUE(button->held());
    // The picture's top left corner (inside the bevel at 12, 7) moved to 13, 8.
    const gui::Color corner = normal[7 * 130 + 12 + 3 + 130 * 3];
    EXPECT_EQ(window->screenPixel(13 + 3, 8 + 3), corner);
    window->mouseMove(125, 48);  // pointer leaves: normal look while still held
    EXPECT_FALSE(button->held());
    window->mouseUp(125, 48);
    window->advance(200);
    EXPECT_EQ(window->screen(), normal);
}

TEST_F(ButtonTest, SpaceKeyClicksWhenFocused) {
    window->click(60, 20);  // gives the focus
    window->key(platform::Key::Space);
    EXPECT_EQ(clicks, 2);
    window->advance(200);
}

TEST_F(ButtonTest, CaptionColourChangeRepaintsAtOnce) {
    EXPECT_EQ(countColor(gui::hex(0x0000FF)), 0);
    const int paints = window->paintCount();
    button->setFontColor(gui::hex(0x0000FF));
    window->paintPending();
    EXPECT_EQ(window->paintCount(), paints + 1);
    EXPECT_GT(countColor(gui::hex(0x0000FF)), 20);
    button->setFontColor(gui::hex(0x0000FF));
    window->paintPending();
    EXPECT_EQ(window->paintCount(), paints + 1);
}

}  // namespace
