// A small LV2 host of our own (lilv) that loads the built bundle and drives
// the plug-in's state interface: save, change, restore, with renamed
// programs and damaged states.
//
//   lv2_state_test BUNDLE_DIR [gtest options]
#include <gtest/gtest.h>
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
#include "tests/lv2/LilvHost.h"

namespace {

using namespace lv2host;

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
    std::atomic<bool> saving{false}, running{true};
    std::thread audio([&] {
        while (!saving) std::this_thread::yield();
        for (int block = 0; block < 2000; ++block) {
            a.controls[kCenterPort] = static_cast<float>(block % 100) / 100.0f;
            a.controls[kHiResPort] = static_cast<float>(block / 500 % 2);
            for (uint32_t i = 0; i < a.block; ++i)
                a.audio[0][i] = a.audio[1][i] = static_cast<float>((block + i) % 7) * 0.1f;
            a.run();
        }
        running = false;
    });
    saving = true;
    do {
        const State s = a.save();
        EXPECT_EQ(s.at(bank).bytes.size(), 3648u);
    } while (running);
    audio.join();
    EXPECT_TRUE(log.take().empty());
}

}  // namespace

int main(int argc, char** argv) { return lv2host::runTests(argc, argv); }
