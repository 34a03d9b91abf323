// A slider and a spectrum plot in a form on the platform's real child window,
// embedded in a top-level window that plays the host.
#pragma once

#include <cstdlib>
#include <memory>

#include "editor/Artwork.h"
#include "gui/Form.h"
#include "platform/window.h"
#include "tests/editor/Showcase.h"

// Under run-with-display.sh a display is promised: missing it is a failure there.
inline bool displayPromised() { return std::getenv("ZINDRA_DISPLAY_PROMISED") != nullptr; }

#define SKIP_WITHOUT_DISPLAY(scene)                                            \
    do {                                                                       \
        if (!(scene).host) {                                                   \
            if (displayPromised()) FAIL() << "no display on the promised one"; \
            GTEST_SKIP() << "no display";                                      \
        }                                                                      \
    } while (0)

struct NativeScene {
    static constexpr int kWidth = 300, kHeight = 200;

    NativeScene() {
        host = platform::createHostWindow(kWidth, kHeight, "Zindra test host");
        if (!host) return;
        auto child = platform::createChildWindow(host->handle(), kWidth, kHeight);
        if (!child) return;
        form = std::make_unique<gui::Form>(std::move(child), kWidth, kHeight);
        form->setColor(gui::hex(0xC9D1D8));
        editor::artwork::fillImageList(images);
        slider = &showcase::addSlider(*form, images, 20, 20, 2000);
        spectrum = showcase::addSpectrumPlot(*form, 20, 50);
        spectrum.low->setPosition(300);
        spectrum.high->setPosition(900);
        showcase::fillTestSpectrum(spectrum, 2048);
    }

    // Lets both windows handle their events for about `ms` milliseconds.
    void pump(unsigned ms) {
        for (unsigned t = 0; t < ms; t += 20) {
            form->window()->runFor(10);
            host->runFor(10);
        }
    }

    // The share of the host window's pixels that equal the form's.
    double matchingPixels() {
        auto shown = host->readBack(kWidth, kHeight);
        if (!shown) return 0;
        int same = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                same +=
                    (shown[y * kWidth + x] & 0xFFFFFFu) == (form->pixels().at(x, y) & 0xFFFFFFu);
        return same / double(kWidth * kHeight);
    }

    std::unique_ptr<platform::HostWindow> host;
    gui::ImageList images;
    std::unique_ptr<gui::Form> form;
    editor::TDIBSlider* slider = nullptr;
    showcase::SpectrumPlot spectrum;
};
