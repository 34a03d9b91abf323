// A small LV2 host of our own (lilv) that loads the built bundle and drives
// the plug-in's state interface: save, change, restore, with renamed
// programs and damaged states.
//
//   lv2_state_test BUNDLE_DIR [gtest options]
#include <gtest/gtest.h>
#include <lilv/lilv.h>
#include <lv2/atom/atom.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "support/MessageLog.h"

namespace {

std::string bundlePath;
const char* const kUri = "urn:corvanti:zindra";
constexpr uint32_t kCenterPort = 4, kHiResPort = 9, kLatencyPort = 16, kNumPorts = 17;

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
    World() {
        world = lilv_world_new();
        LilvNode* bundle = lilv_new_file_uri(world, nullptr, (bundlePath + "/").c_str());
        lilv_world_load_bundle(world, bundle);
        lilv_node_free(bundle);
        LilvNode* uri = lilv_new_uri(world, kUri);
        plugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world), uri);
        lilv_node_free(uri);
    }
    ~World() { lilv_world_free(world); }
    LilvWorld* world;
    const LilvPlugin* plugin = nullptr;
};

class Instance {
public:
    Instance(const LilvPlugin* plugin, UriMap& uris) {
        LV2_Feature mapFeature{LV2_URID__map, &uris.feature};
        const LV2_Feature* features[] = {&mapFeature, nullptr};
        instance = lilv_plugin_instantiate(plugin, 44100.0, features);
        if (!instance) return;
        // Control ports start at their defaults, as a host sets them.
        std::vector<float> defaults(kNumPorts);
        lilv_plugin_get_port_ranges_float(plugin, nullptr, nullptr, defaults.data());
        std::copy(defaults.begin() + 4, defaults.end(), controls + 4);
        for (uint32_t p = 0; p < kNumPorts; ++p) {
            float* data = p < 4 ? audio[p] : &controls[p];
            lilv_instance_connect_port(instance, p, data);
        }
        state = static_cast<const LV2_State_Interface*>(
            lilv_instance_get_extension_data(instance, LV2_STATE__interface));
        lilv_instance_activate(instance);
    }
    ~Instance() {
        if (!instance) return;
        lilv_instance_deactivate(instance);
        lilv_instance_free(instance);
    }
    bool ready() const { return instance && state; }

    void run() { lilv_instance_run(instance, kBlock); }

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

    static constexpr uint32_t kBlock = 64;
    float audio[4][kBlock] = {};
    float controls[kNumPorts] = {};

private:
    LilvInstance* instance = nullptr;
    const LV2_State_Interface* state = nullptr;
};

class LV2State : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(world.plugin, nullptr) << "no " << kUri << " in " << bundlePath;
        bank = uris.map("urn:corvanti:zindra#bank");
        program = uris.map("urn:corvanti:zindra#program");
    }
    // The bank's program names start 56 bytes into each 364-byte entry, after
    // the 8-byte header.
    static size_t nameAt(int program) { return 8 + 364 * static_cast<size_t>(program) + 56; }
    static std::string nameIn(const State& s, uint32_t key, int p) {
        return reinterpret_cast<const char*>(s.at(key).bytes.data() + nameAt(p));
    }

    MessageLog log;
    World world;
    UriMap uris;
    LV2_URID bank = 0, program = 0;
};

TEST_F(LV2State, SavedStateCarriesTheBankAndTheProgram) {
    Instance a(world.plugin, uris);
    ASSERT_TRUE(a.ready());
    a.controls[kCenterPort] = 0.25f;
    a.run();
    EXPECT_EQ(a.controls[kLatencyPort], 8192.0f);
    const State s = a.save();
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s.at(bank).type, uris.map(LV2_ATOM__Chunk));
    EXPECT_EQ(s.at(bank).bytes.size(), 3648u);
    EXPECT_EQ(s.at(program).type, uris.map(LV2_ATOM__Int));
    int32_t index = -1;
    std::memcpy(&index, s.at(program).bytes.data(), sizeof index);
    EXPECT_EQ(index, 0);
    // The control value reached the current program (first value of entry 0).
    float center = 0.0f;
    std::memcpy(&center, s.at(bank).bytes.data() + 8 + 8, sizeof center);
    EXPECT_EQ(center, 0.25f);
}

TEST_F(LV2State, RenamedProgramsAndTheCurrentProgramReturnInAFreshInstance) {
    Instance a(world.plugin, uris);
    ASSERT_TRUE(a.ready());
    State s = a.save();
    // A session saved after the user renamed two programs and chose the fourth.
    std::strcpy(reinterpret_cast<char*>(s[bank].bytes.data() + nameAt(3)), "Lead vocal, take 2");
    std::strcpy(reinterpret_cast<char*>(s[bank].bytes.data() + nameAt(9)), "Choir");
    const int32_t fourth = 3;
    std::memcpy(s[program].bytes.data(), &fourth, sizeof fourth);

    Instance b(world.plugin, uris);
    ASSERT_TRUE(b.ready());
    b.run();
    ASSERT_EQ(b.restore(s), LV2_STATE_SUCCESS);
    b.run();
    const State back = b.save();
    EXPECT_EQ(back.at(bank).bytes, s.at(bank).bytes);
    EXPECT_EQ(back.at(program).bytes, s.at(program).bytes);
    EXPECT_EQ(nameIn(back, bank, 3), "Lead vocal, take 2");
    EXPECT_EQ(nameIn(back, bank, 9), "Choir");
    EXPECT_TRUE(log.take().empty());
}

TEST_F(LV2State, DamagedStatesAreRefusedAndChangeNothing) {
    Instance a(world.plugin, uris);
    ASSERT_TRUE(a.ready());
    State edited = a.save();
    std::strcpy(reinterpret_cast<char*>(edited[bank].bytes.data() + nameAt(1)), "Kept");
    const int32_t second = 1;
    std::memcpy(edited[program].bytes.data(), &second, sizeof second);
    ASSERT_EQ(a.restore(edited), LV2_STATE_SUCCESS);
    const State before = a.save();

    struct Damage {
        const char* what;
        void (*apply)(State&, uint32_t bank, uint32_t program);
        const char* message;  // what the effect reports, or empty when it is never asked
    };
    const Damage damages[] = {
        {"a short bank", [](State& s, uint32_t b, uint32_t) { s[b].bytes.resize(3000); },
         "E5 - Not a valid Zindra bank."},
        {"a long bank", [](State& s, uint32_t b, uint32_t) { s[b].bytes.push_back(0); },
         "E5 - Not a valid Zindra bank."},
        {"an empty bank", [](State& s, uint32_t b, uint32_t) { s[b].bytes.clear(); },
         "E1 - Not a valid Zindra preset."},
        {"a foreign magic", [](State& s, uint32_t b, uint32_t) { s[b].bytes[0] ^= 0xFF; },
         "E2 - Not a valid Zindra preset."},
        {"another version", [](State& s, uint32_t b, uint32_t) { s[b].bytes[4] = 9; },
         "E3 - Wrong version of Zindra preset."},
        {"no bank", [](State& s, uint32_t b, uint32_t) { s.erase(b); }, ""},
        {"no program", [](State& s, uint32_t, uint32_t p) { s.erase(p); }, ""},
        {"a program past the last",
         [](State& s, uint32_t, uint32_t p) {
             s[p].bytes = {10, 0, 0, 0};
         },
         ""},
        {"a negative program",
         [](State& s, uint32_t, uint32_t p) {
             s[p].bytes = {0xFF, 0xFF, 0xFF, 0xFF};
         },
         ""},
        {"a program of two bytes",
         [](State& s, uint32_t, uint32_t p) {
             s[p].bytes = {1, 0};
         },
         ""},
        {"a bank of another type", [](State& s, uint32_t b, uint32_t) { s[b].type += 1000; }, ""},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        State damaged = edited;
        std::strcpy(reinterpret_cast<char*>(damaged[bank].bytes.data() + nameAt(1)), "Lost");
        damage.apply(damaged, bank, program);
        EXPECT_NE(a.restore(damaged), LV2_STATE_SUCCESS);
        a.run();
        const State after = a.save();
        EXPECT_EQ(after.at(bank).bytes, before.at(bank).bytes);
        EXPECT_EQ(after.at(program).bytes, before.at(program).bytes);
        const auto messages = log.take();
        if (*damage.message)
            EXPECT_EQ(messages, std::vector<std::string>{damage.message});
        else
            EXPECT_TRUE(messages.empty());
    }
}

// The host's audio thread runs blocks with moving controls ("Hi-Res" among
// them) while its other thread saves the state, as hosts may.
TEST_F(LV2State, SavingWhileTheAudioRuns) {
    Instance a(world.plugin, uris);
    ASSERT_TRUE(a.ready());
    std::atomic<bool> running{true};
    std::thread audio([&] {
        for (int block = 0; block < 2000; ++block) {
            a.controls[kCenterPort] = static_cast<float>(block % 100) / 100.0f;
            a.controls[kHiResPort] = static_cast<float>(block / 500 % 2);
            for (uint32_t i = 0; i < Instance::kBlock; ++i)
                a.audio[0][i] = a.audio[1][i] = static_cast<float>((block + i) % 7) * 0.1f;
            a.run();
        }
        running = false;
    });
    int saves = 0;
    while (running) {
        const State s = a.save();
        ASSERT_EQ(s.at(bank).bytes.size(), 3648u);
        ++saves;
    }
    audio.join();
    EXPECT_GT(saves, 0);
    EXPECT_TRUE(log.take().empty());
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: lv2_state_test BUNDLE_DIR\n");
        return 2;
    }
    bundlePath = argv[1];
    return RUN_ALL_TESTS();
}
