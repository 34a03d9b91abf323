// A small LV2 host of our own over lilv: one of the built bundle's plug-ins
// with its ports connected as a host connects them, and its state interface.
#pragma once

#include <gtest/gtest.h>
#include <lilv/lilv.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace lv2host {

inline std::string bundlePath;
inline const char* const kUri = "urn:corvanti:zindra";
inline const char* const kDeepUri = "urn:corvanti:zindra-deep";
// Zindra's ports.
constexpr uint32_t kCenterPort = 4, kHiResPort = 9, kLatencyPort = 16;

// The host's URI table.
class UriMap {
public:
    LV2_URID map(const char* uri) {
        auto [it, fresh] = ids.emplace(uri, static_cast<LV2_URID>(ids.size() + 1));
        return it->second;
    }
    LV2_URID_Map feature{this, [](LV2_URID_Map_Handle h, const char* uri) {
                             return static_cast<UriMap*>(h)->map(uri);
                         }};

private:
    std::map<std::string, LV2_URID> ids;
};

// A saved state as the host keeps it: key -> (type, bytes).
struct Property {
    uint32_t type;
    std::vector<uint8_t> bytes;
};
using State = std::map<uint32_t, Property>;

class World {
public:
    explicit World(const char* pluginUri = kUri) {
        world = lilv_world_new();
        LilvNode* bundle = lilv_new_file_uri(world, nullptr, (bundlePath + "/").c_str());
        lilv_world_load_bundle(world, bundle);
        lilv_node_free(bundle);
        LilvNode* uri = lilv_new_uri(world, pluginUri);
        plugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world), uri);
        lilv_node_free(uri);
    }
    ~World() { lilv_world_free(world); }
    LilvWorld* world;
    const LilvPlugin* plugin = nullptr;
};

class Instance {
public:
    // Audio buffers of the given block size; a host may run fewer frames.
    Instance(const LilvPlugin* plugin, UriMap& uris, uint32_t blockSize = 64)
        : block(blockSize), controls(lilv_plugin_get_num_ports(plugin), 0.0f) {
        for (auto& buffer : audio) buffer.assign(block, 0.0f);
        LV2_Feature mapFeature{LV2_URID__map, &uris.feature};
        const LV2_Feature* features[] = {&mapFeature, nullptr};
        instance = lilv_plugin_instantiate(plugin, 44100.0, features);
        if (!instance) return;
        // Control ports start at their defaults, as a host sets them.
        std::vector<float> defaults(controls.size());
        lilv_plugin_get_port_ranges_float(plugin, nullptr, nullptr, defaults.data());
        std::copy(defaults.begin() + 4, defaults.end(), controls.begin() + 4);
        for (uint32_t p = 0; p < controls.size(); ++p) {
            float* data = p < 4 ? audio[p].data() : &controls[p];
            lilv_instance_connect_port(instance, p, data);
        }
        state = static_cast<const LV2_State_Interface*>(
            lilv_instance_get_extension_data(instance, LV2_STATE__interface));
        lilv_instance_activate(instance);
        active = true;
    }
    ~Instance() {
        if (!instance) return;
        if (active) lilv_instance_deactivate(instance);
        lilv_instance_free(instance);
    }
    bool ready() const { return instance && state; }

    void run() { run(block); }
    void run(uint32_t frames) { lilv_instance_run(instance, frames); }
    void deactivate() {
        lilv_instance_deactivate(instance);
        active = false;
    }
    LV2_Handle handle() const { return lilv_instance_get_handle(instance); }

    State save() {
        State saved;
        const auto store = [](LV2_State_Handle h, uint32_t key, const void* value, size_t size,
                              uint32_t type, uint32_t) {
            const auto* bytes = static_cast<const uint8_t*>(value);
            (*static_cast<State*>(h))[key] = {type, std::vector<uint8_t>(bytes, bytes + size)};
            return LV2_STATE_SUCCESS;
        };
        EXPECT_EQ(state->save(lilv_instance_get_handle(instance), store, &saved, 0, nullptr),
                  LV2_STATE_SUCCESS);
        return saved;
    }

    LV2_State_Status restore(const State& from) {
        const auto retrieve = [](LV2_State_Handle h, uint32_t key, size_t* size, uint32_t* type,
                                 uint32_t* flags) -> const void* {
            const auto& properties = *static_cast<const State*>(h);
            const auto it = properties.find(key);
            if (it == properties.end()) return nullptr;
            *size = it->second.bytes.size();
            *type = it->second.type;
            *flags = LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE;
            return it->second.bytes.data();
        };
        return state->restore(lilv_instance_get_handle(instance), retrieve,
                              const_cast<State*>(&from), 0, nullptr);
    }

    const uint32_t block;
    std::vector<float> audio[4];  // inputs left and right, outputs left and right
    std::vector<float> controls;  // by port index; the audio ports' places unused

private:
    LilvInstance* instance = nullptr;
    const LV2_State_Interface* state = nullptr;
    bool active = false;
};

// The test program's main: BUNDLE_DIR, then the test framework's options.
inline int runTests(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s BUNDLE_DIR [test options]\n", argv[0]);
        return 2;
    }
    bundlePath = argv[1];
    return RUN_ALL_TESTS();
}

}  // namespace lv2host
