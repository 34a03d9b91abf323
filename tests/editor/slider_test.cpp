// TDIBSlider: geometry, the Position setter, dragging, presses with their
// repeat, keys, and the degenerate cases.
#include <gtest/gtest.h>

#include <vector>

#include "editor/Artwork.h"
#include "editor/TDIBSlider.h"
#include "gui/Form.h"
#include "platform/offscreen/OffscreenWindow.h"

namespace {

using editor::TDIBSlider;
using platform::Key;

class SliderTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto w = std::make_unique<platform::OffscreenWindow>(200, 30);
        window = w.get();
        form = std::make_unique<gui::Form>(std::move(w), 200, 30);
        editor::artwork::fillImageList(images);
    }

    // A slider as the editor sets it up, at the form's top left corner.
    TDIBSlider& make(int max, int largeChange, int width = 190) {
        TDIBSlider& s = form->add<TDIBSlider>();
        s.setBounds({0, 0, width, 10});
        s.setImageList(&images);
        s.setImageIndices(1, 2, 3, 4, -1);
        s.setAutoSize(true);
        s.setMax(max);
        s.SmallChange = 1;
        s.LargeChange = largeChange;
        s.PageSize = 5;
        s.OnChange = [this](TDIBSlider& sender) { changes.push_back(sender.Position()); };
        window->paintPending();
        return s;
    }

    platform::OffscreenWindow* window = nullptr;
    std::unique_ptr<gui::Form> form;
    gui::ImageList images;
    std::vector<int> changes;
};

TEST_F(SliderTest, GeometryOfTheEditorsSliders) {
    TDIBSlider& s = make(2000, 5);
    EXPECT_EQ(s.height(), 18);  // AutoSize follows the tallest picture
    const editor::SliderGeometry g = s.geometry();
    EXPECT_EQ(g.leftCapLast, 15);
    EXPECT_EQ(g.rightCapFirst, 173);
    EXPECT_EQ(g.rightCapLast(), 188);
    EXPECT_EQ(g.travel, 125);
    EXPECT_EQ(s.pointerRect(), (gui::Rect{15, 0, 34, 18}));
    s.setPosition(2000);
    EXPECT_EQ(s.pointerRect().x, 15 + 125);
    // The pointer's outline is drawn at its new place and gone from the old.
    EXPECT_EQ(window->screenPixel(140 + 16, 9), form->pixels().at(156, 9));
    EXPECT_NE(window->screenPixel(140 + 17, 9), window->screenPixel(30, 9));
}

TEST_F(SliderTest, PositionSetterClampsAndAlwaysRaisesOnChange) {
    TDIBSlider& s = make(1000, 10);
    s.setPosition(1200);
    EXPECT_EQ(s.Position(), 1000);
    EXPECT_EQ(s.pointerOffset(), 125);
    s.setPosition(-5);
    EXPECT_EQ(s.Position(), 0);
    s.setPosition(0);
    s.setPosition(500);
    EXPECT_EQ(s.pointerOffset(), 62);  // 125 x 500 / 1000, integer division
    EXPECT_EQ(changes, (std::vector<int>{1000, 0, 0, 500}));
}

TEST_F(SliderTest, DraggingAcrossPassesMultiplesOfSixteenAndEndsAtMax) {
    TDIBSlider& s = make(2000, 5);
    window->mouseDown(20, 9);  // 5 pixels into the pointer
    ASSERT_TRUE(s.dragging());
    for (int x = 0; x <= 200; ++x) window->mouseMove(x, 9);
    window->mouseUp(200, 9);
    EXPECT_FALSE(s.dragging());
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.size(), 201u);  // every move raises OnChange, changed or not
    for (size_t i = 0; i < changes.size(); ++i) {
        EXPECT_EQ(changes[i] % 16, 0) << "at move " << i;
        if (i) {
            EXPECT_GE(changes[i], changes[i - 1]);
        }
    }
    EXPECT_EQ(changes.back(), 2000);
    EXPECT_EQ(s.pointerOffset(), 125);
    // Further moves after the release do nothing.
    window->mouseMove(50, 9);
    EXPECT_EQ(s.Position(), 2000);
}

TEST_F(SliderTest, DragKeepsTheGrabPoint) {
    TDIBSlider& s = make(2000, 5);
    window->mouseDown(40, 9);  // 25 pixels into the pointer
    window->mouseMove(45, 9);
    EXPECT_EQ(s.pointerOffset(), 5);
    EXPECT_EQ(s.Position(), 80);
    window->mouseMove(-30, 9);
    EXPECT_EQ(s.pointerOffset(), 0);
    EXPECT_EQ(s.Position(), 0);
    window->mouseUp(-30, 9);
}

TEST_F(SliderTest, HoldingTheRightCapStepsEveryQuarterSecond) {
    TDIBSlider& s = make(1000, 10);
    window->mouseDown(180, 9);
    EXPECT_EQ(s.Position(), 1);
    window->advance(249);
    EXPECT_EQ(s.Position(), 1);
    window->advance(1);
    EXPECT_EQ(s.Position(), 2);
    window->advance(750);
    EXPECT_EQ(s.Position(), 5);
    window->mouseUp(180, 9);
    window->advance(1000);
    EXPECT_EQ(s.Position(), 5);
    // The left cap steps down.
    window->mouseDown(3, 9);
    window->mouseUp(3, 9);
    EXPECT_EQ(s.Position(), 4);
}

TEST_F(SliderTest, TrackPressMovesByLargeChangeUntilThePointerArrivesThenDrags) {
    TDIBSlider& s = make(1000, 10);
    window->mouseDown(60, 9);
    EXPECT_EQ(s.Position(), 10);
    for (int step = 2; step <= 10; ++step) {
        window->advance(250);
        EXPECT_EQ(s.Position(), 10 * step);
    }
    EXPECT_FALSE(s.dragging());
    window->advance(250);  // the pointer now lies under the press: it is grabbed
    EXPECT_TRUE(s.dragging());
    EXPECT_EQ(s.Position(), 100);
    window->advance(1000);
    EXPECT_EQ(s.Position(), 100);
    window->mouseMove(68, 9);
    EXPECT_EQ(s.pointerOffset(), 20);
    EXPECT_EQ(s.Position(), 160);
    window->mouseUp(68, 9);
}

TEST_F(SliderTest, TrackPressSmallerThanLargeChange) {
    TDIBSlider& s = make(100, 50);
    s.setPosition(0);
    changes.clear();
    window->mouseDown(52, 9);  // 20 pixels right of the pointer's centre column 32
    window->mouseUp(52, 9);
    EXPECT_EQ(changes, std::vector<int>{20 * 100 / 125});
}

TEST_F(SliderTest, KeysStepThroughThePositionSetter) {
    TDIBSlider& s = make(1000, 10);
    window->mouseDown(180, 9);  // a press gives the focus
    window->mouseUp(180, 9);
    changes.clear();
    window->key(Key::Right);
    window->key(Key::PageDown);
    window->key(Key::Left);
    window->key(Key::PageUp);
    window->key(Key::PageUp);
    EXPECT_EQ(changes, (std::vector<int>{2, 7, 6, 1, 0}));
    EXPECT_EQ(s.Position(), 0);
}

TEST_F(SliderTest, DegenerateRangesAndMissingPictures) {
    TDIBSlider& flat = make(0, 10);
    flat.setPosition(7);
    EXPECT_EQ(flat.Position(), 0);
    EXPECT_EQ(flat.pointerOffset(), 0);

    // A slider only as wide as its caps and pointer has no travel: no drag.
    TDIBSlider& narrow = make(100, 10, 65);
    ASSERT_EQ(narrow.geometry().travel, 0);
    window->mouseDown(30, 9);
    window->mouseMove(60, 9);
    window->mouseUp(60, 9);
    EXPECT_EQ(narrow.Position(), 0);
    EXPECT_FALSE(narrow.dragging());

    // Without pictures the slider keeps the standard geometry and works.
    TDIBSlider& bare = form->add<TDIBSlider>();
    bare.setBounds({0, 0, 190, 18});
    bare.setImageIndices(1, 2, 3, 4, -1);
    bare.setMax(2000);
    EXPECT_EQ(bare.geometry().travel, 125);
    bare.setPosition(1000);
    EXPECT_EQ(bare.Position(), 1000);
    window->paintPending();
}

TEST_F(SliderTest, HidingTheSliderEndsItsPress) {
    TDIBSlider& s = make(1000, 10);
    window->mouseDown(180, 9);
    s.setVisible(false);
    window->advance(1000);
    EXPECT_EQ(s.Position(), 1);
    EXPECT_FALSE(window->mouseCaptured());
}

TEST_F(SliderTest, PressWithoutATimerDoesNotRepeat) {
    TDIBSlider& s = make(1000, 10);
    window->refuseTimers(true);
    window->mouseDown(180, 9);
    window->advance(1000);
    window->mouseUp(180, 9);
    EXPECT_EQ(s.Position(), 1);
}

}  // namespace
