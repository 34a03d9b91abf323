// The LV2 X11 UIs: an effect's own editor, opened in the host's parent
// window, one for each effect (EditorOf.h). It reaches the instance
// through instance access; the editor's edits go to the host through
// write_function, each gesture bracketed by the host's touch feature where it
// offers one, and the host's port changes move the editor's controls.
#include <X11/Xlib.h>
#include <lv2/core/lv2_util.h>
#include <lv2/instance-access/instance-access.h>
#include <lv2/ui/ui.h>

#include <cstdint>
#include <cstring>
#include <new>
#include <string_view>

#include "editor/EditorSession.h"
#include "lv2/BundleEffects.h"
#include "lv2/plugin.h"

namespace lv2 {
namespace {

// The editor's window: the child the session made in the parent. Asked of
// the server, since the session does not name it.
Window childOf(Window parent) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 0;
    Window root = 0, up = 0, *children = nullptr;
    unsigned count = 0;
    Window child = 0;
    if (XQueryTree(display, parent, &root, &up, &children, &count) && count > 0)
        child = children[count - 1];  // the newest, on top
    if (children) XFree(children);
    XCloseDisplay(display);
    return child;
}

template <typename Effect>
struct Ui {
    Instance<Effect>* instance;
    UiLink link;

    static Ui* of(LV2UI_Handle handle) { return static_cast<Ui*>(handle); }

    static LV2UI_Handle instantiate(const LV2UI_Descriptor*, const char* pluginUri, const char*,
                                    LV2UI_Write_Function write, LV2UI_Controller controller,
                                    LV2UI_Widget* widget, const LV2_Feature* const* features) {
        void* parent = lv2_features_data(features, LV2_UI__parent);
        void* handle = lv2_features_data(features, LV2_INSTANCE_ACCESS_URI);
        const auto* resize =
            static_cast<const LV2UI_Resize*>(lv2_features_data(features, LV2_UI__resize));
        const auto* touch =
            static_cast<const LV2UI_Touch*>(lv2_features_data(features, LV2_UI__touch));
        if (!parent || !handle || !write) return nullptr;
        // The instance behind the handle is of the plug-in the host names:
        // only that plug-in's own instances are this UI's.
        if (!pluginUri || std::string_view(pluginUri) != DescriptionOf<Effect>::kDescription.uri)
            return nullptr;
        auto* ui = new (std::nothrow) Ui{&instanceOf<Effect>(handle), {write, controller, touch}};
        if (!ui) return nullptr;
        auto& editor = ui->instance->editor();
        editor::EditorSession& session = editor.editorSession();
        if (!session.open(parent)) {
            delete ui;
            return nullptr;
        }
        editor.attachUi(&ui->link);
        // The editor's size is known once its window exists.
        if (resize) resize->ui_resize(resize->handle, session.width(), session.height());
        const auto parentWindow = static_cast<Window>(reinterpret_cast<std::uintptr_t>(parent));
        *widget =
            reinterpret_cast<LV2UI_Widget>(static_cast<std::uintptr_t>(childOf(parentWindow)));
        return ui;
    }

    static void cleanup(LV2UI_Handle handle) {
        Ui* ui = of(handle);
        ui->instance->editor().attachUi(nullptr);
        ui->instance->editor().editorSession().close();
        delete ui;
    }

    // A control value from the host: the editor shows it, and the effect
    // takes it from run (or at once, when it is not active).
    static void portEvent(LV2UI_Handle handle, uint32_t port, uint32_t size, uint32_t format,
                          const void* buffer) {
        if (format != 0 || size != sizeof(float) || !Ports<Effect>::isControlInput(port)) return;
        float value = 0.0f;
        std::memcpy(&value, buffer, sizeof value);
        of(handle)->instance->controlShown(static_cast<int32_t>(port - kFirstControl), value);
    }

    static int idle(LV2UI_Handle handle) {
        of(handle)->instance->editor().editorSession().idle();
        return 0;
    }

    static const void* extensionData(const char* uri) {
        static const LV2UI_Idle_Interface idleInterface{idle};
        if (std::string_view(uri) == LV2_UI__idleInterface) return &idleInterface;
        return nullptr;
    }

    static constexpr LV2UI_Descriptor kDescriptor{DescriptionOf<Effect>::kDescription.uiUri,
                                                  instantiate, cleanup, portEvent, extensionData};
};

// The index-th UI, one per effect in the bundle's order.
template <typename... Effects>
const LV2UI_Descriptor* uiDescriptorAt(EffectList<Effects...>, uint32_t index) {
    static constexpr const LV2UI_Descriptor* kAll[] = {&Ui<Effects>::kDescriptor...};
    return index < sizeof...(Effects) ? kAll[index] : nullptr;
}

}  // namespace
}  // namespace lv2

extern "C" LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index) {
    return lv2::uiDescriptorAt(lv2::BundleEffects{}, index);
}
