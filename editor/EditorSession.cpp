#include "editor/EditorSession.h"

#include <algorithm>
#include <exception>
#include <string>

#include "editor/DeepEditorWindow.h"
#include "editor/uEditor.h"
#include "editor/uEditorTexts.h"
#include "platform/messages.h"
#include "platform/system.h"

namespace editor {

const WindowKind kZindraWindow{TPluginEditorWindow::kClientWidth,
                               TPluginEditorWindow::kClientHeight,
                               [](std::unique_ptr<platform::NativeWindow> w) -> EffectWindow* {
                                   return new TPluginEditorWindow(std::move(w));
                               },
                               TPluginEditorWindow::kCaption};
const WindowKind kDeepWindow{DeepEditorWindow::kClientWidth, DeepEditorWindow::kClientHeight,
                             [](std::unique_ptr<platform::NativeWindow> w) -> EffectWindow* {
                                 return new DeepEditorWindow(std::move(w));
                             },
                             DeepEditorWindow::kCaption};

EditorSession::EditorSession(EditController& effect, NativeWindowFactory factory,
                             bool spectrumWithTick, const WindowKind& windowKind)
    : controller(effect), makeWindow(factory), spectrumOnTick(spectrumWithTick), kind(windowKind) {}

TPluginEditorWindow* EditorSession::editorWindow() const {
    return dynamic_cast<TPluginEditorWindow*>(window.load());
}

EditorSession::~EditorSession() {
    if (window.load()) {
        editorClosed.store(true);
        destroyWindow();
    }
}

bool EditorSession::open(void* parent) {
    // The first open (or the first after the last close) makes the window.
    EffectWindow* w = window.load();
    if (!w) {
        // Without a native window (the system refused one) the form still
        // holds the state, so that the host's rectangle and the values stay right.
        try {
            w = kind.create(makeWindow(parent, kind.width, kind.height));
        } catch (const std::exception& error) {
            // No memory for the window: the host hears of the failure, not of an exception.
            const std::string text = std::string("The editor cannot be shown: ") + error.what();
            messages::report(text.c_str(), kind.caption);
            return false;
        }
        copyParameters(*w);
        w->Plugin = &controller;
        w->OnUpdaterTick = [this, w] {
            if (spectrumOnTick) copySpectrum(*w);
            applyDisplayValues(*w);
        };
        window.store(w);
        lastWidth = w->width();
        lastHeight = w->height();
    }
    parentWindow = parent;
    ++openCount;
    editorClosed.store(false);

    controller.refreshSampleRate();
    w->Label26->setCaption(kVersionText);
    w->ms_latency->setCaption(editor::latencyReadout(controller.displayValues().latencyMs,
                                                     platform::userDecimalSeparator()));
    applyDisplayValues(*w);
    // The readouts match the values from the start, also those whose slider
    // stays at position 0 and so would keep its designed caption.
    w->writeAllReadouts();
    w->idle();

    try {
        w->updater->setEnabled(true);
    } catch (const gui::TimerError& error) {
        // Without a timer the window shows the state of its one direct
        // refresh; a window that could not be made at all has nothing to show.
        if (w->window()) messages::report(error.what(), kind.caption);
    }
    w->UpdaterTimer();
    return true;
}

void EditorSession::close() {
    openCount = std::max(openCount - 1, 0);
    if (openCount != 0) return;
    editorClosed.store(true);
    destroyWindow();
}

void EditorSession::idle() {
    EffectWindow* w = window.load();
    if (editorClosed.load() || !w) return;
    copySpectrum(*w);
    applyDisplayValues(*w);
    w->idle();
}

void EditorSession::copySpectrum(EffectWindow& w) {
    constexpr int32_t capacity = EffectWindow::kSpectrumCapacity;
    const int32_t bins =
        std::clamp(controller.copyMagnitudes(w.SpectrumA, w.SpectrumB, capacity), 0, capacity);
    // Bins the current frame size does not have show nothing.
    std::fill(w.SpectrumA + bins, w.SpectrumA + capacity, 0.0f);
    std::fill(w.SpectrumB + bins, w.SpectrumB + capacity, 0.0f);
}

void EditorSession::update() {
    const UseCounter::Use use = windowUses.use();
    if (!editorClosed.load())
        if (EffectWindow* w = window.load()) copyParameters(*w);
}

void EditorSession::show(int32_t index, float value) {
    EffectWindow* w = window.load();
    if (editorClosed.load() || !w || index < 0 ||
        index >= static_cast<int32_t>(w->parameters().size()))
        return;
    w->ParamValues[index].store(value, std::memory_order_relaxed);
}

void EditorSession::copyParameters(EffectWindow& w) {
    for (int32_t i = 0; i < static_cast<int32_t>(w.parameters().size()); ++i)
        w.ParamValues[i].store(controller.parameterValue(i), std::memory_order_relaxed);
}

// The engine recomputes these on whatever thread resets it and only
// publishes them; the window takes them here, on its own thread, at every
// tick of its timer and every idle call. Setting an unchanged value repaints
// nothing.
void EditorSession::applyDisplayValues(EffectWindow& w) {
    const DisplayValues display = controller.displayValues();
    const int32_t last = std::min(display.bandLimitBin, EffectWindow::kSpectrumCapacity - 1);
    w.LastBin = last;
    w.sp_XYPlot1->BottomAxis.setMax(last);
    w.sp_LineMarker1->setPosition(display.bandLowBin);
    w.sp_LineMarker2->setPosition(display.bandHighBin);
}

// The window leaves the shared pointer first; an update that read it before
// is waited for, one that comes after finds no window.
void EditorSession::destroyWindow() {
    EffectWindow* w = window.exchange(nullptr);
    parentWindow = nullptr;
    if (!w) return;
    windowUses.waitUntilUnused();
    delete w;
}

}  // namespace editor
