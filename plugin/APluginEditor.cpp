#include "plugin/APluginEditor.h"

#include <algorithm>
#include <exception>
#include <string>
#include <thread>

#include "editor/uEditor.h"
#include "editor/uEditorTexts.h"
#include "host/Messages.h"
#include "platform/system.h"
#include "plugin/uPlugin.h"

using editor::TPluginEditorWindow;

APluginEditor::APluginEditor(APlugin* owner, NativeWindowFactory factory)
    : AEffEditor(owner), plugin(owner), makeWindow(factory) {}

APluginEditor::~APluginEditor() {
    if (window.load()) {
        plugin->editorClosed.store(true);
        destroyWindow();
    }
}

int32_t APluginEditor::getRect(ERect** out) {
    rect.top = 0;
    rect.left = 0;
    if (TPluginEditorWindow* w = window.load()) {
        rect.bottom = static_cast<int16_t>(w->height());
        rect.right = static_cast<int16_t>(w->width());
    }
    *out = &rect;
    return 1;
}

int32_t APluginEditor::open(void* parent) {
    // The first open (or the first after the last close) makes the window.
    TPluginEditorWindow* w = window.load();
    if (!w) {
        // Without a native window (the system refused one) the form still
        // holds the state, so that the host's rectangle and the values stay right.
        try {
            w = new TPluginEditorWindow(makeWindow(parent, TPluginEditorWindow::kClientWidth,
                                                   TPluginEditorWindow::kClientHeight));
        } catch (const std::exception& error) {
            // No memory for the window: the host hears of the failure, not of an exception.
            const std::string text = std::string("The editor cannot be shown: ") + error.what();
            messages::report(text.c_str(), TPluginEditorWindow::kCaption);
            return 0;
        }
        copyParameters(*w);
        w->Plugin = plugin;
        w->OnUpdaterTick = [this, w] { applyDisplayValues(*w); };
        window.store(w);
    }
    parentWindow = parent;
    ++openCount;
    plugin->editorClosed.store(false);

    plugin->updateRateDependentValues();
    w->Label26->setCaption(kVersionText);
    w->ms_latency->setCaption(
        editor::latencyReadout(plugin->getLatencyMs(), platform::userDecimalSeparator()));
    w->WidthHzScale = plugin->getWidthScaleHz();
    w->CenterHzScale = plugin->getCenterScaleHz();
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
        if (w->window()) messages::report(error.what(), TPluginEditorWindow::kCaption);
    }
    w->UpdaterTimer();
    return 1;
}

void APluginEditor::close() {
    openCount = std::max(openCount - 1, 0);
    if (openCount != 0) return;
    plugin->editorClosed.store(true);
    destroyWindow();
}

void APluginEditor::idle() {
    TPluginEditorWindow* w = window.load();
    if (plugin->editorClosed.load() || !w) return;
    constexpr int32_t capacity = TPluginEditorWindow::kSpectrumCapacity;
    const int32_t bins =
        std::clamp(plugin->copyMagnitudes(w->SpectrumA, w->SpectrumB, capacity), 0, capacity);
    // Bins the current frame size does not have show nothing.
    std::fill(w->SpectrumA + bins, w->SpectrumA + capacity, 0.0f);
    std::fill(w->SpectrumB + bins, w->SpectrumB + capacity, 0.0f);
    applyDisplayValues(*w);
    w->idle();
}

void APluginEditor::update() {
    const UseCounter::Use use = windowUses.use();
    if (!plugin->editorClosed.load())
        if (TPluginEditorWindow* w = window.load()) copyParameters(*w);
}

void APluginEditor::copyParameters(TPluginEditorWindow& w) {
    for (int32_t i = 0; i < APlugin::kNumParams; ++i)
        w.ParamValues[i].store(plugin->getParameter(i), std::memory_order_relaxed);
}

// The engine recomputes these on whatever thread resets it and only
// publishes them; the window takes them here, on its own thread, at every
// tick of its timer and every idle call. Setting an unchanged value repaints
// nothing.
void APluginEditor::applyDisplayValues(TPluginEditorWindow& w) {
    const int32_t last =
        std::min(plugin->getBandLimitBin(), TPluginEditorWindow::kSpectrumCapacity - 1);
    w.LastBin = last;
    w.sp_XYPlot1->BottomAxis.setMax(last);
    w.sp_LineMarker1->setPosition(plugin->getBandLowBin());
    w.sp_LineMarker2->setPosition(plugin->getBandHighBin());
}

// The window leaves the shared pointer first; an update that read it before
// is waited for, one that comes after finds no window.
void APluginEditor::destroyWindow() {
    TPluginEditorWindow* w = window.exchange(nullptr);
    parentWindow = nullptr;
    if (!w) return;
    windowUses.waitUntilUnused();
    delete w;
}
