// A small LV2 host of our own (lilv) that loads the built bundle and drives
// each plug-in's state interface: save, change, restore, with renamed
// programs and damaged states; and applies each plug-in's presets as a host
// does, through its ports.
//
//   lv2_state_test BUNDLE_DIR [gtest options]
#include <gtest/gtest.h>
#include <lilv/lilv.h>
#include <lv2/atom/atom.h>
#include <lv2/presets/presets.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "support/MessageLog.h"
#include "tests/lv2/LilvHost.h"

namespace {

using namespace lv2host;

// One plug-in of the bundle, as its saved state and ports show it.
struct Plugin {
    const char* name;
    const char* uri;
    const char* effectName;  // as the effect's messages name it
    int numParams;           // values in each program's entry of the bank
    int numPrograms;
    float latency;
    uint32_t switchPort;
    // A value of the first control port, and the 0..1 value the effect takes from it.
    float firstPortValue;
    float firstEffectValue;
};

const Plugin kZindra{"Zindra", kUri, "Zindra", 12, 10, 8192.0f, kHiResPort, 0.25f, 0.25f};
// Deep's ports carry units: "Depth" 15 dB is a quarter of its 60 dB.
const Plugin kDeep{"Deep", kDeepUri, "Zindra Deep", 8, 6, 4096.0f, 11, 15.0f, 0.25f};

class LV2State : public testing::TestWithParam<Plugin> {
protected:
    LV2State() : world(GetParam().uri) {}
    void SetUp() override {
        ASSERT_NE(world.plugin, nullptr) << "no " << p.uri << " in " << bundlePath;
        bank = uris.map((std::string(p.uri) + "#bank").c_str());
        program = uris.map((std::string(p.uri) + "#program").c_str());
    }

    // The bank: an 8-byte header, then an entry per program: 8 bytes, the
    // values, a 51-byte name, 256 reserved bytes and one more.
    size_t entrySize() const { return 316 + 4 * static_cast<size_t>(p.numParams); }
    size_t bankSize() const { return 8 + entrySize() * static_cast<size_t>(p.numPrograms); }
    size_t valuesAt(int index) const { return 8 + entrySize() * static_cast<size_t>(index) + 8; }
    size_t nameAt(int index) const {
        return valuesAt(index) + 4 * static_cast<size_t>(p.numParams);
    }
    std::string nameIn(const State& s, int index) const {
        return reinterpret_cast<const char*>(s.at(bank).bytes.data() + nameAt(index));
    }
    std::vector<float> valuesIn(const State& s, int index) const {
        std::vector<float> values(static_cast<size_t>(p.numParams));
        std::memcpy(values.data(), s.at(bank).bytes.data() + valuesAt(index), 4 * values.size());
        return values;
    }
    void rename(State& s, int index, const char* name) const {
        std::strcpy(reinterpret_cast<char*>(s[bank].bytes.data() + nameAt(index)), name);
    }
    void choose(State& s, int32_t index) const {
        std::memcpy(s[program].bytes.data(), &index, sizeof index);
    }

    const Plugin& p = GetParam();
    MessageLog log;
    World world;
    UriMap uris;
    LV2_URID bank = 0, program = 0;
};

TEST_P(LV2State, SavedStateCarriesTheBankAndTheProgram) {
    Instance a(world.plugin, uris);
    ASSERT_TRUE(a.ready());
    a.controls[4] = p.firstPortValue;
    a.run();
    EXPECT_EQ(a.controls[a.controls.size() - 1], p.latency);
    const State s = a.save();
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s.at(bank).type, uris.map(LV2_ATOM__Chunk));
    EXPECT_EQ(s.at(bank).bytes.size(), bankSize());
    EXPECT_EQ(s.at(program).type, uris.map(LV2_ATOM__Int));
    int32_t index = -1;
    std::memcpy(&index, s.at(program).bytes.data(), sizeof index);
    EXPECT_EQ(index, 0);
    // The control value reached the current program (first value of entry 0).
    EXPECT_EQ(valuesIn(s, 0)[0], p.firstEffectValue);
}

TEST_P(LV2State, RenamedProgramsAndTheCurrentProgramReturnInAFreshInstance) {
    Instance a(world.plugin, uris);
    ASSERT_TRUE(a.ready());
    State s = a.save();
    // A session saved after the user renamed two programs and chose the fourth.
    const int last = p.numPrograms - 1;
    rename(s, 3, "Lead vocal, take 2");
    rename(s, last, "Choir");
    choose(s, 3);

    // Restored into an instance that ran, and into one that did not run yet
    // (its ports at their defaults, which its first block must not take for
    // changes).
    for (const bool ranBefore : {true, false}) {
        SCOPED_TRACE(ranBefore ? "restored after a block" : "restored before the first block");
        Instance b(world.plugin, uris);
        ASSERT_TRUE(b.ready());
        if (ranBefore) b.run();
        ASSERT_EQ(b.restore(s), LV2_STATE_SUCCESS);
        b.run();
        const State back = b.save();
        EXPECT_EQ(back.at(bank).bytes, s.at(bank).bytes);
        EXPECT_EQ(back.at(program).bytes, s.at(program).bytes);
        EXPECT_EQ(nameIn(back, 3), "Lead vocal, take 2");
        EXPECT_EQ(nameIn(back, last), "Choir");
    }
    EXPECT_TRUE(log.take().empty());
}

TEST_P(LV2State, DamagedStatesAreRefusedAndChangeNothing) {
    Instance a(world.plugin, uris);
    ASSERT_TRUE(a.ready());
    State edited = a.save();
    rename(edited, 1, "Kept");
    choose(edited, 1);
    ASSERT_EQ(a.restore(edited), LV2_STATE_SUCCESS);
    const State before = a.save();

    const std::string effect = p.effectName;
    const uint32_t b = bank, pr = program;
    const size_t size = bankSize();
    const auto programs = static_cast<uint8_t>(p.numPrograms);
    struct Damage {
        const char* what;
        std::function<void(State&)> apply;
        std::string message;  // what the effect reports, or empty when it is never asked
    };
    const Damage damages[] = {
        {"a short bank", [&](State& s) { s[b].bytes.resize(size - 600); },
         "E5 - Not a valid " + effect + " bank."},
        {"a long bank", [&](State& s) { s[b].bytes.push_back(0); },
         "E5 - Not a valid " + effect + " bank."},
        {"an empty bank", [&](State& s) { s[b].bytes.clear(); },
         "E1 - Not a valid " + effect + " preset."},
        {"a foreign magic", [&](State& s) { s[b].bytes[0] ^= 0xFF; },
         "E2 - Not a valid " + effect + " preset."},
        {"another version", [&](State& s) { s[b].bytes[4] = 9; },
         "E3 - Wrong version of " + effect + " preset."},
        {"no bank", [&](State& s) { s.erase(b); }, ""},
        {"no program", [&](State& s) { s.erase(pr); }, ""},
        {"a program past the last",
         [&](State& s) {
             s[pr].bytes = {programs, 0, 0, 0};
         },
         ""},
        {"a negative program",
         [&](State& s) {
             s[pr].bytes = {0xFF, 0xFF, 0xFF, 0xFF};
         },
         ""},
        {"a program of two bytes",
         [&](State& s) {
             s[pr].bytes = {1, 0};
         },
         ""},
        {"a bank of another type", [&](State& s) { s[b].type += 1000; }, ""},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        State damaged = edited;
        rename(damaged, 1, "Lost");
        damage.apply(damaged);
        EXPECT_NE(a.restore(damaged), LV2_STATE_SUCCESS);
        a.run();
        const State after = a.save();
        EXPECT_EQ(after.at(bank).bytes, before.at(bank).bytes);
        EXPECT_EQ(after.at(program).bytes, before.at(program).bytes);
        const auto messages = log.take();
        if (!damage.message.empty())
            EXPECT_EQ(messages, std::vector<std::string>{damage.message});
        else
            EXPECT_TRUE(messages.empty());
    }
}

// A host applies a preset by setting the ports to its values: the effect
// then holds exactly the values of the program the preset stands for, which
// the bank keeps untouched in that program's entry.
TEST_P(LV2State, EachPresetGivesTheEffectItsProgramsValues) {
    LilvNode* presetClass = lilv_new_uri(world.world, LV2_PRESETS__Preset);
    LilvNodes* presets = lilv_plugin_get_related(world.plugin, presetClass);
    lilv_node_free(presetClass);
    std::map<std::string, LilvNode*> byUri;
    LILV_FOREACH(nodes, i, presets) {
        const LilvNode* preset = lilv_nodes_get(presets, i);
        byUri[lilv_node_as_uri(preset)] = lilv_node_duplicate(preset);
    }
    lilv_nodes_free(presets);
    ASSERT_EQ(byUri.size(), static_cast<size_t>(p.numPrograms));

    for (int index = 0; index < p.numPrograms; ++index) {
        const std::string uri = std::string(p.uri) + "#program" + std::to_string(index);
        SCOPED_TRACE(uri);
        ASSERT_EQ(byUri.count(uri), 1u);
        lilv_world_load_resource(world.world, byUri[uri]);
        LilvState* preset = lilv_state_new_from_world(world.world, &uris.feature, byUri[uri]);
        ASSERT_NE(preset, nullptr);
        EXPECT_EQ(lilv_state_get_num_properties(preset), 0u);

        Instance a(world.plugin, uris);
        ASSERT_TRUE(a.ready());
        struct Target {
            const World& world;
            Instance& instance;
            int set = 0;
        } target{world, a};
        lilv_state_emit_port_values(
            preset,
            [](const char* symbol, void* data, const void* value, uint32_t size, uint32_t type) {
                auto& t = *static_cast<Target*>(data);
                LilvNode* name = lilv_new_string(t.world.world, symbol);
                const LilvPort* port = lilv_plugin_get_port_by_symbol(t.world.plugin, name);
                lilv_node_free(name);
                ASSERT_NE(port, nullptr) << symbol;
                ASSERT_EQ(size, sizeof(float));
                (void)type;
                std::memcpy(&t.instance.controls[lilv_port_get_index(t.world.plugin, port)], value,
                            sizeof(float));
                ++t.set;
            },
            &target);
        lilv_state_free(preset);
        EXPECT_EQ(target.set, p.numParams);
        a.run();
        const State s = a.save();
        EXPECT_EQ(valuesIn(s, 0), valuesIn(s, index));
    }
    for (auto& [uri, node] : byUri) lilv_node_free(node);
    EXPECT_TRUE(log.take().empty());
}

// The host's audio thread runs blocks with moving controls (a switch among
// them: Zindra's "Hi-Res" resets its engine) while its other thread saves the
// state, as hosts may.
TEST_P(LV2State, SavingWhileTheAudioRuns) {
    Instance a(world.plugin, uris);
    ASSERT_TRUE(a.ready());
    std::atomic<bool> saving{false}, running{true};
    std::thread audio([&] {
        while (!saving) std::this_thread::yield();
        for (int block = 0; block < 2000; ++block) {
            a.controls[4] = static_cast<float>(block % 100) / 100.0f;
            a.controls[p.switchPort] = static_cast<float>(block / 500 % 2);
            for (uint32_t i = 0; i < a.block; ++i)
                a.audio[0][i] = a.audio[1][i] = static_cast<float>((block + i) % 7) * 0.1f;
            a.run();
        }
        running = false;
    });
    saving = true;
    do {
        const State s = a.save();
        EXPECT_EQ(s.at(bank).bytes.size(), bankSize());
    } while (running);
    audio.join();
    EXPECT_TRUE(log.take().empty());
}

INSTANTIATE_TEST_SUITE_P(Plugins, LV2State, testing::Values(kZindra, kDeep),
                         [](const testing::TestParamInfo<Plugin>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace

int main(int argc, char** argv) { return lv2host::runTests(argc, argv); }
