// The built plug-in library's editor inside a host window, on a real
// display: the test plays the host (its own top-level window, the
// dispatcher's editor requests, idle calls, a recording host callback) and,
// where xdotool is at hand, the user (a drag of "Center", a click on
// "Bypass", a click on the About tab). Screenshots of what the screen shows
// are written as test artifacts.
//
//   editor_in_host LIBRARY SCREENSHOT-PREFIX [gtest options]
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/dynamic_library.h"
#include "platform/host_input.h"
#include "platform/offscreen/OffscreenWindow.h"
#include "platform/window.h"
#include "support/RecordingHost.h"
#include "tests/editor/NativeScene.h"
#include "vst2/vst2.h"

namespace {

std::string libraryPath;
std::string screenshotPrefix;

constexpr int kWidth = 508, kHeight = 341;

intptr_t send(AEffect* e, int32_t opcode, int32_t index = 0, intptr_t value = 0,
              void* ptr = nullptr, float opt = 0.0f) {
    return e->dispatcher(e, opcode, index, value, ptr, opt);
}

class EditorInHost : public ::testing::Test {
protected:
    void SetUp() override {
        library = std::make_unique<platform::DynamicLibrary>(libraryPath);
        ASSERT_TRUE(library->loaded()) << library->error();
        auto entry = reinterpret_cast<VstEntryProc>(library->symbol("main"));
        ASSERT_NE(entry, nullptr);
        recorder.answers[audioMasterGetSampleRate] = 44100;
        effect = entry(RecordingHost::callback);
        ASSERT_NE(effect, nullptr);
        hostWindow = platform::createHostWindow(kWidth, kHeight, "Zindra test host");
    }
    void TearDown() override {
        if (effect) send(effect, effClose);
        hostWindow.reset();
    }

    // The host's part: idle calls to the editor while its own window runs.
    void pump(unsigned ms) {
        for (unsigned t = 0; t < ms; t += 20) {
            send(effect, effEditIdle);
            hostWindow->runFor(20);
        }
    }

    // A short stereo mix, so that the spectrum has something to show.
    void playAudio() {
        std::vector<float> left(512), right(512);
        float* in[2] = {left.data(), right.data()};
        float* out[2] = {left.data(), right.data()};
        std::uint32_t seed = 7;
        for (int block = 0; block < 100; ++block) {
            for (int i = 0; i < 512; ++i) {
                const double t = (block * 512 + i) / 44100.0;
                seed = seed * 1664525u + 1013904223u;
                const double noise = (seed >> 8) / double(1u << 24) - 0.5;
                left[i] = static_cast<float>(0.4 * std::sin(6.2831853 * 330.0 * t) + 0.3 * noise);
                right[i] = static_cast<float>(0.4 * std::sin(6.2831853 * 1250.0 * t) + 0.1 * noise);
            }
            effect->processReplacing(effect, in, out, 512);
        }
    }

    std::unique_ptr<std::uint32_t[]> screenshot(const std::string& name) {
        auto pixels = hostWindow->readBack(kWidth, kHeight);
        if (pixels && !screenshotPrefix.empty())
            platform::writePng(screenshotPrefix + name + ".png", pixels.get(), kWidth, kHeight,
                               kWidth);
        return pixels;
    }

    // The share of a rectangle's pixels in one colour.
    static double shareOf(const std::uint32_t* pixels, int x0, int y0, int w, int h,
                          std::uint32_t rgb) {
        int same = 0;
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) same += (pixels[y * kWidth + x] & 0xFFFFFFu) == rgb;
        return same / double(w * h);
    }

    // The user's part: input delivered by the system where it can be made
    // from inside the process, xdotool driving the display otherwise. The
    // host's idle calls run between the press, each move and the release,
    // as they do while a hand drags.
    bool userDrag(int x0, int y0, int x1, int y1) {
        void* handle = hostWindow->handle();
        const auto idle = [this] { pump(60); };
        if (platform::dragInHostWindow(handle, x0, y0, x1, y1, idle)) return true;
        if (std::system("xdotool version > /dev/null 2>&1") != 0) return false;
        const std::string id = std::to_string(reinterpret_cast<std::uintptr_t>(handle));
        auto at = [&](int x, int y) {
            return " --window " + id + " " + std::to_string(x) + " " + std::to_string(y);
        };
        const std::string steps[] = {"mousemove --sync" + at(x0, y0) + " mousedown 1",
                                     "mousemove" + at((x0 + x1) / 2, (y0 + y1) / 2),
                                     "mousemove" + at(x1, y1), "mouseup 1"};
        for (const std::string& step : steps) {
            if (std::system(("xdotool " + step).c_str()) != 0) return false;
            idle();
        }
        return true;
    }

    std::vector<float> automated(int32_t index) const {
        std::vector<float> values;
        for (const HostCall& call : recorder.calls)
            if (call.opcode == audioMasterAutomate && call.index == index)
                values.push_back(call.opt);
        return values;
    }

    RecordingHost recorder;
    std::unique_ptr<platform::DynamicLibrary> library;
    AEffect* effect = nullptr;
    std::unique_ptr<platform::HostWindow> hostWindow;
};

#define SKIP_WITHOUT_HOST_WINDOW()                                             \
    do {                                                                       \
        if (!hostWindow) {                                                     \
            if (displayPromised()) FAIL() << "no display on the promised one"; \
            GTEST_SKIP() << "no display";                                      \
        }                                                                      \
    } while (0)

TEST_F(EditorInHost, OpensInsideTheHostWindowAndShowsTheSpectrum) {
    SKIP_WITHOUT_HOST_WINDOW();
    ERect* rect = nullptr;
    ASSERT_EQ(send(effect, effEditGetRect, 0, 0, &rect), 1);
    ASSERT_EQ(send(effect, effEditOpen, 0, 0, hostWindow->handle()), 1);
    ASSERT_EQ(send(effect, effEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ(rect->bottom, kHeight);
    EXPECT_EQ(rect->right, kWidth);
    playAudio();
    pump(400);
    auto shown = screenshot("main");
    ASSERT_TRUE(shown);
    // The tabs' row is black between the tabs and "Hi-Res"; the plot's field
    // lies where designed, with its grid and spectrum over most of it.
    EXPECT_GT(shareOf(shown.get(), 200, 2, 200, 18, 0x000000), 0.95);
    EXPECT_EQ(shown[(27 + 64) * kWidth + 4 + 240] & 0xFFFFFFu, 0x808080u) << "the plot's frame";
    const double field = shareOf(shown.get(), 4 + 245, 27 + 69, 230, 60, 0x525B6F);
    EXPECT_GT(field, 0.3);
    EXPECT_LT(field, 0.98) << "the spectrum shows over the field";
    send(effect, effEditClose);
    pump(100);
}

TEST_F(EditorInHost, OpensAndClosesAgainAndAgain) {
    SKIP_WITHOUT_HOST_WINDOW();
    for (int round = 0; round < 5; ++round) {
        ASSERT_EQ(send(effect, effEditOpen, 0, 0, hostWindow->handle()), 1);
        pump(100);
        send(effect, effEditClose);
        pump(40);
    }
    auto shown = hostWindow->readBack(kWidth, kHeight);
    ASSERT_TRUE(shown);
}

TEST_F(EditorInHost, UserDragsCenterAndClicksBypass) {
    SKIP_WITHOUT_HOST_WINDOW();
    // "Center" at 0 puts the slider's pointer at the left end of its track.
    effect->setParameter(effect, 0, 0.0f);
    const float bypassBefore = effect->getParameter(effect, 6);
    ASSERT_EQ(send(effect, effEditOpen, 0, 0, hostWindow->handle()), 1);
    pump(300);
    recorder.calls.clear();

    const int sliderX = 4 + 29 + 15 + 17, sliderY = 27 + 73 + 9;
    if (!userDrag(sliderX, sliderY, 400, sliderY)) GTEST_SKIP() << "no way to play the user here";
    pump(300);
    const std::vector<float> center = automated(0);
    ASSERT_FALSE(center.empty());
    EXPECT_EQ(center.back(), 1.0f);
    EXPECT_EQ(effect->getParameter(effect, 0), 1.0f);

    ASSERT_TRUE(userDrag(4 + 248 + 55, 27 + 256 + 18, 4 + 248 + 55, 27 + 256 + 18));
    pump(300);
    const std::vector<float> bypass = automated(6);
    ASSERT_EQ(bypass.size(), 1u);
    EXPECT_EQ(bypass[0], bypassBefore >= 0.5f ? 0.0f : 1.0f);
    playAudio();
    pump(300);
    screenshot("main-after-input");

    // The About tab.
    ASSERT_TRUE(userDrag(110, 10, 110, 10));
    pump(300);
    auto shown = screenshot("about");
    ASSERT_TRUE(shown);
    EXPECT_LT(shareOf(shown.get(), 4 + 245, 27 + 69, 230, 60, 0x525B6F), 0.01)
        << "no plot on About";
    send(effect, effEditClose);
    pump(100);
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: editor_in_host LIBRARY [SCREENSHOT-PREFIX]\n");
        return 2;
    }
    // A bare file name means the one in the working folder, not one on the
    // system's search path.
    libraryPath = argv[1];
    if (libraryPath.find_first_of("/\\") == std::string::npos) libraryPath = "./" + libraryPath;
    if (argc > 2) screenshotPrefix = argv[2];
    return RUN_ALL_TESTS();
}
