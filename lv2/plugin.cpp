// The LV2 plug-in: its descriptor, its state interface and its entry point.
#include <lv2/core/lv2.h>
#include <lv2/core/lv2_util.h>

#include <memory>
#include <new>
#include <optional>
#include <string_view>

#include "lv2/Instance.h"
#include "lv2/plugin.h"
#include "lv2/state.h"

namespace lv2 {
namespace {

struct Handle {
    std::unique_ptr<Instance> instance;
    // Only with the host's URI map (lv2apply, for one, offers none).
    std::optional<StateKeys> keys;
};

Handle* handleOf(LV2_Handle handle) { return static_cast<Handle*>(handle); }

LV2_Handle instantiate(const LV2_Descriptor*, double rate, const char*,
                       const LV2_Feature* const* features) {
    auto instance = Instance::create(rate);
    if (!instance) return nullptr;
    auto* handle = new (std::nothrow) Handle{std::move(instance), std::nullopt};
    const auto* map = static_cast<const LV2_URID_Map*>(lv2_features_data(features, LV2_URID__map));
    if (handle && map) handle->keys.emplace(*map);
    return handle;
}

void connectPort(LV2_Handle handle, uint32_t port, void* data) {
    handleOf(handle)->instance->connect(port, static_cast<float*>(data));
}

void activate(LV2_Handle handle) { handleOf(handle)->instance->activate(); }
void run(LV2_Handle handle, uint32_t frames) { handleOf(handle)->instance->run(frames); }
void deactivate(LV2_Handle handle) { handleOf(handle)->instance->deactivate(); }
void cleanup(LV2_Handle handle) { delete handleOf(handle); }

LV2_State_Status save(LV2_Handle handle, LV2_State_Store_Function store, LV2_State_Handle state,
                      uint32_t, const LV2_Feature* const*) {
    Handle& self = *handleOf(handle);
    if (!self.keys) return LV2_STATE_ERR_NO_FEATURE;
    return saveState(self.instance->effect(), *self.keys, store, state);
}

LV2_State_Status restore(LV2_Handle handle, LV2_State_Retrieve_Function retrieve,
                         LV2_State_Handle state, uint32_t, const LV2_Feature* const*) {
    Handle& self = *handleOf(handle);
    if (!self.keys) return LV2_STATE_ERR_NO_FEATURE;
    return restoreState(self.instance->effect(), *self.keys, retrieve, state);
}

const void* extensionData(const char* uri) {
    static const LV2_State_Interface state{save, restore};
    if (std::string_view(uri) == LV2_STATE__interface) return &state;
    return nullptr;
}

const LV2_Descriptor descriptor{kPluginUri, instantiate, connectPort, activate,
                                run,        deactivate,  cleanup,     extensionData};

}  // namespace

Instance& instanceOf(LV2_Handle handle) { return *handleOf(handle)->instance; }

}  // namespace lv2

extern "C" LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
    return index == 0 ? &lv2::descriptor : nullptr;
}
