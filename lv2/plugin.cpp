// The LV2 plug-ins: a descriptor per effect of the bundle, its state
// interface, and the entry point that lists them.
#include <lv2/core/lv2.h>
#include <lv2/core/lv2_util.h>

#include <new>
#include <string_view>

#include "lv2/BundleEffects.h"
#include "lv2/plugin.h"

namespace lv2 {
namespace {

template <typename Effect>
struct Plugin {
    static constexpr const PluginDescription& kDescription = DescriptionOf<Effect>::kDescription;

    static Handle<Effect>* handleOf(LV2_Handle handle) {
        return static_cast<Handle<Effect>*>(handle);
    }

    static LV2_Handle instantiate(const LV2_Descriptor*, double rate, const char*,
                                  const LV2_Feature* const* features) {
        auto instance = Instance<Effect>::create(rate);
        if (!instance) return nullptr;
        auto* handle = new (std::nothrow) Handle<Effect>{std::move(instance), std::nullopt};
        const auto* map =
            static_cast<const LV2_URID_Map*>(lv2_features_data(features, LV2_URID__map));
        if (handle && map) handle->keys.emplace(*map, kDescription);
        return handle;
    }

    static void connectPort(LV2_Handle handle, uint32_t port, void* data) {
        handleOf(handle)->instance->connect(port, static_cast<float*>(data));
    }
    static void activate(LV2_Handle handle) { handleOf(handle)->instance->activate(); }
    static void run(LV2_Handle handle, uint32_t frames) { handleOf(handle)->instance->run(frames); }
    static void deactivate(LV2_Handle handle) { handleOf(handle)->instance->deactivate(); }
    static void cleanup(LV2_Handle handle) { delete handleOf(handle); }

    static LV2_State_Status save(LV2_Handle handle, LV2_State_Store_Function store,
                                 LV2_State_Handle state, uint32_t, const LV2_Feature* const*) {
        Handle<Effect>& self = *handleOf(handle);
        if (!self.keys) return LV2_STATE_ERR_NO_FEATURE;
        return saveState(self.instance->effect(), *self.keys, store, state);
    }
    static LV2_State_Status restore(LV2_Handle handle, LV2_State_Retrieve_Function retrieve,
                                    LV2_State_Handle state, uint32_t, const LV2_Feature* const*) {
        Handle<Effect>& self = *handleOf(handle);
        if (!self.keys) return LV2_STATE_ERR_NO_FEATURE;
        return restoreState(self.instance->effect(), *self.keys, retrieve, state);
    }

    static const void* extensionData(const char* uri) {
        static const LV2_State_Interface state{save, restore};
        if (std::string_view(uri) == LV2_STATE__interface) return &state;
        return nullptr;
    }

    static constexpr LV2_Descriptor kDescriptor{kDescription.uri, instantiate,  connectPort,
                                                activate,         run,          deactivate,
                                                cleanup,          extensionData};
};

template <typename... Effects>
const LV2_Descriptor* descriptorAt(EffectList<Effects...>, uint32_t index) {
    static constexpr const LV2_Descriptor* kDescriptors[] = {&Plugin<Effects>::kDescriptor...};
    return index < sizeof...(Effects) ? kDescriptors[index] : nullptr;
}

}  // namespace
}  // namespace lv2

extern "C" LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
    return lv2::descriptorAt(lv2::BundleEffects{}, index);
}
