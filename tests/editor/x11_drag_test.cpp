// The X11 back-end driven from outside as a user would: xdotool presses the
// slider's pointer in the embedded window, drags it to the far right (the
// window handling its events between the steps) and steps it back with the
// keyboard.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "tests/editor/NativeScene.h"

namespace {

TEST(X11Embedding, XdotoolDragsTheSliderAndStepsItWithKeys) {
    if (std::system("command -v xdotool > /dev/null 2>&1") != 0) GTEST_SKIP() << "no xdotool";
    NativeScene scene;
    SKIP_WITHOUT_DISPLAY(scene);
    ASSERT_TRUE(scene.form);
    scene.pump(300);
    int changes = 0;
    scene.slider->OnChange = [&](editor::TDIBSlider&) { ++changes; };

    const std::string id =
        std::to_string(reinterpret_cast<std::uintptr_t>(scene.form->window()->handle()));
    // The window handles each step before the next one comes, as it does
    // under a hand: the press gives it the focus, which on a server whose
    // focus follows the pointer is answered with a FocusOut of its own.
    const std::string steps[] = {"mousemove --sync --window " + id + " 40 29 mousedown 1",
                                 "mousemove --window " + id + " 120 29",
                                 "mousemove --window " + id + " 290 29", "mouseup 1"};
    for (const std::string& step : steps) {
        ASSERT_EQ(std::system(("xdotool " + step).c_str()), 0);
        scene.pump(100);
    }

    EXPECT_GT(changes, 0);
    EXPECT_EQ(scene.slider->Position(), 2000);
    EXPECT_EQ(scene.slider->pointerOffset(), 125);
    EXPECT_FALSE(scene.slider->dragging());
    EXPECT_GT(scene.matchingPixels(), 0.99);
    // The pointer's accent shows at its new place on the screen.
    auto shown = scene.host->readBack(NativeScene::kWidth, NativeScene::kHeight);
    ASSERT_TRUE(shown);
    const int accentX = 20 + 15 + 125 + 16;
    const std::uint32_t accent = shown[29 * NativeScene::kWidth + accentX] & 0xFFFFFFu;
    EXPECT_GT((accent >> 16) & 0xFF, (accent >> 8) & 0xFF);  // red over green: the accent

    // The press gave the window the keyboard focus: the arrow keys step.
    ASSERT_EQ(std::system("xdotool key Left Left Page_Up"), 0);
    scene.pump(300);
    EXPECT_EQ(scene.slider->Position(), 2000 - 1 - 1 - 5);
}

}  // namespace
