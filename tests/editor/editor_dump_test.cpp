// The hidden program dump and the texts the window writes: exact bytes in
// the C locale and with a decimal comma, whole-or-nothing writing, and the
// keyboard's way in.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/ZindraParameters.h"
#include "editor/uEditor.h"
#include "editor/uEditorTexts.h"
#include "platform/offscreen/OffscreenWindow.h"
#include "platform/system.h"
#include "support/MessageLog.h"

namespace {

namespace fs = std::filesystem;
using editor::TPluginEditorWindow;

std::string contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class Dump : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("zindra-dump-" + std::to_string(reinterpret_cast<uintptr_t>(this)) + "-" +
                  std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        auto native = std::make_unique<platform::OffscreenWindow>(508, 341);
        screen = native.get();
        window = std::make_unique<TPluginEditorWindow>(std::move(native));
        platform::setEnvironmentVariable("LC_ALL", "C");
    }
    void TearDown() override {
        platform::setEnvironmentVariable("LC_ALL", "");
        fs::remove_all(folder);
    }

    fs::path folder;
    platform::OffscreenWindow* screen = nullptr;
    std::unique_ptr<TPluginEditorWindow> window;
};

TEST_F(Dump, WritesTwelveAssignmentsWithCrLf) {
    if (platform::userDecimalSeparator() != ".") GTEST_SKIP() << "the user's locale is fixed here";
    const float values[12] = {0.25f, 1.0f, 0.123456f, 0.00016f, 0.99996f, 0, 1, 0, 0, 0, 0.5f, 0};
    for (int i = 0; i < 12; ++i) window->ParamValues[i] = values[i];
    const fs::path path = folder / "Zindra_dump.txt";
    ASSERT_TRUE(window->writeDump(path.string()));
    EXPECT_EQ(contentOf(path),
              "programs[0].fpar[0]:= 0.2500;\r\n"
              "programs[0].fpar[1]:= 1.0000;\r\n"
              "programs[0].fpar[2]:= 0.1235;\r\n"
              "programs[0].fpar[3]:= 0.0002;\r\n"
              "programs[0].fpar[4]:= 1.0000;\r\n"
              "programs[0].fpar[5]:= 0.0000;\r\n"
              "programs[0].fpar[6]:= 1.0000;\r\n"
              "programs[0].fpar[7]:= 0.0000;\r\n"
              "programs[0].fpar[8]:= 0.0000;\r\n"
              "programs[0].fpar[9]:= 0.0000;\r\n"
              "programs[0].fpar[10]:= 0.5000;\r\n"
              "programs[0].fpar[11]:= 0.0000;\r\n");
}

TEST_F(Dump, UsesTheLocaleDecimalComma) {
    platform::setEnvironmentVariable("LC_ALL", "de_DE.UTF-8");
    if (platform::userDecimalSeparator() != ",")
        GTEST_SKIP() << "no locale with a decimal comma can be selected here";
    window->ParamValues[0] = 0.25f;
    const fs::path path = folder / "Zindra_dump.txt";
    ASSERT_TRUE(window->writeDump(path.string()));
    const std::string text = contentOf(path);
    EXPECT_EQ(text.substr(0, 31), "programs[0].fpar[0]:= 0,2500;\r\n");
    EXPECT_EQ(text.substr(text.size() - 32), "programs[0].fpar[11]:= 0,0000;\r\n");
}

TEST_F(Dump, ReplacesAnOldFileWholly) {
    const fs::path path = folder / "Zindra_dump.txt";
    std::ofstream(path) << std::string(5000, 'x');
    ASSERT_TRUE(window->writeDump(path.string()));
    EXPECT_EQ(contentOf(path).size(), 10 * 31 + 2 * 32u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1)
        << "no working file is left beside it";
}

TEST_F(Dump, AFailureIsShownAndLeavesNothing) {
    MessageLog log;
    const fs::path path = folder / "missing" / "Zindra_dump.txt";
    EXPECT_FALSE(window->writeDump(path.string()));
    const auto messages = log.take();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("could not be written"), std::string::npos) << messages[0];

    // A folder in the file's place: the working file is written, then cannot take its place.
    fs::create_directories(folder / "Zindra_dump.txt");
    EXPECT_FALSE(window->writeDump((folder / "Zindra_dump.txt").string()));
    EXPECT_EQ(log.take().size(), 1u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST_F(Dump, F8WritesTheFileNextToTheLibrary) {
    const fs::path path = fs::path(platform::moduleFolder()) / "Zindra_dump.txt";
    fs::remove(path);
    window->ParamValues[3] = 1.0f;
    screen->key(TPluginEditorWindow::kDumpKey);
    ASSERT_TRUE(fs::exists(path));
    EXPECT_NE(contentOf(path).find("programs[0].fpar[3]:= 1.0000;\r\n"), std::string::npos);
    fs::remove(path);

    // Also while a slider has the keyboard, which keeps its own keys.
    screen->click(4 + 29 + 100, 27 + 73 + 9);
    const int position = window->slider(0).Position();
    screen->key(platform::Key::Right);
    EXPECT_EQ(window->slider(0).Position(), position + 1);
    screen->key(TPluginEditorWindow::kDumpKey);
    EXPECT_TRUE(fs::exists(path));
    fs::remove(path);
}

TEST(EditorTexts, ReadoutsAndLatency) {
    const auto& table = zindra::kParameters;
    EXPECT_EQ(core::readoutText(table[zindra::kCenter], 0.5f), "10000 Hz");
    EXPECT_EQ(core::readoutText(table[zindra::kWidth], 1.0f), "20000 Hz");
    EXPECT_EQ(core::readoutText(table[zindra::kCenter], 0.215f), "4300 Hz");
    EXPECT_EQ(core::readoutText(table[zindra::kMix], 0.125f), "12 %") << "ties to even";
    EXPECT_EQ(core::readoutText(table[zindra::kHumidity], 0.135f), "14 %");
    // Switches read on from a half up (a half itself ties to even: off).
    EXPECT_EQ(core::readoutText(table[zindra::kHiRes], 0.5f), "off");
    EXPECT_EQ(core::readoutText(table[zindra::kSpreadilate], 0.51f), "on");
    EXPECT_EQ(editor::latencyReadout(8192.0f * 1000.0f / 44100.0f, "."), "185.76 ms");
    EXPECT_EQ(editor::latencyReadout(8192.0f * 1000.0f / 48000.0f, "."), "170.67 ms");
    EXPECT_EQ(editor::latencyReadout(8192.0f * 1000.0f / 96000.0f, ","), "85,33 ms");
    EXPECT_EQ(editor::latencyReadout(1234.567f, "."), "1234.60 ms") << "five significant digits";
    EXPECT_EQ(editor::latencyReadout(8192.0f, "."), "8192.00 ms");
    EXPECT_EQ(editor::fourDecimals(-0.25f, "."), "-0.2500");
    EXPECT_EQ(editor::fourDecimals(-0.00001f, "."), "0.0000");
}

}  // namespace
