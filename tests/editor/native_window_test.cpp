// The platform's real window back-end inside a host window: the screen shows
// what the form painted, and window timers tick.
#include <gtest/gtest.h>

#include "gui/TDIBTimer.h"
#include "tests/editor/NativeScene.h"

namespace {

TEST(NativeWindow, ScreenShowsTheFormAndTimersTick) {
    NativeScene scene;
    SKIP_WITHOUT_DISPLAY(scene);
    ASSERT_TRUE(scene.form);
    int ticks = 0;
    gui::TDIBTimer timer(*scene.form);
    timer.OnTimer = [&](gui::TDIBTimer&) { ++ticks; };
    timer.setInterval(50);
    timer.setEnabled(true);
    scene.pump(600);
    timer.setEnabled(false);
    // How many arrive depends on how busy the machine is; that they arrive is the point.
    EXPECT_GE(ticks, 2);
    EXPECT_GT(scene.matchingPixels(), 0.99);
}

}  // namespace

namespace {

// The window class goes with the last window and comes back with the next.
TEST(NativeWindow, EditorCanBeClosedAndOpenedAgain) {
    for (int round = 0; round < 2; ++round) {
        NativeScene scene;
        SKIP_WITHOUT_DISPLAY(scene);
        ASSERT_TRUE(scene.form) << "round " << round;
        scene.pump(200);
        EXPECT_GT(scene.matchingPixels(), 0.99) << "round " << round;
    }
}

}  // namespace

namespace {

// Some hosts destroy their window before they close the editor.
TEST(NativeWindow, SurvivesTheHostWindowGoingFirst) {
    NativeScene scene;
    SKIP_WITHOUT_DISPLAY(scene);
    ASSERT_TRUE(scene.form);
    scene.pump(100);
    scene.host.reset();
    scene.slider->setPosition(1000);  // a paint is pending for a window that is gone
    scene.form->window()->runFor(100);
    scene.form.reset();
    SUCCEED();
}

}  // namespace
