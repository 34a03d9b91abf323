// The user message function in its logged form, and the hand-over of
// messages raised on the audio thread to the user-interface thread.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/messages.h"
#include "platform/system.h"

namespace {

class MessageLog : public testing::Test {
protected:
    void SetUp() override {
        // The object's address alone repeats between processes under Wine,
        // and the same tests run in several processes at once.
        path =
            std::filesystem::temp_directory_path() /
            ("zindra-messages-" + std::to_string(reinterpret_cast<uintptr_t>(this)) + "-" +
             std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + ".log");
        std::filesystem::remove(path);
        platform::setEnvironmentVariable("ZINDRA_MESSAGE_LOG", path.string().c_str());
        messages::showPending();  // nothing left over from other tests
    }
    void TearDown() override {
        platform::setEnvironmentVariable("ZINDRA_MESSAGE_LOG", "");
        std::filesystem::remove(path);
    }
    std::vector<std::string> lines() const {
        std::ifstream in(path);
        std::vector<std::string> result;
        for (std::string line; std::getline(in, line);) result.push_back(line);
        return result;
    }
    std::filesystem::path path;
};

TEST_F(MessageLog, EachMessageIsOneAppendedLine) {
    messages::report("E1 - Not a valid Zindra preset.");
    messages::report("two\nlines", "zindra");
    EXPECT_EQ(lines(),
              (std::vector<std::string>{"E1 - Not a valid Zindra preset.", "zindra: two lines"}));
}

TEST_F(MessageLog, QueuedMessagesAppearOnlyWhenShownAndInOrder) {
    std::thread audio([] {
        EXPECT_TRUE(messages::queue("first"));
        EXPECT_TRUE(messages::queue("second", "VCF"));
    });
    audio.join();
    EXPECT_TRUE(lines().empty()) << "queueing must not show anything";
    messages::showPending();
    EXPECT_EQ(lines(), (std::vector<std::string>{"first", "VCF: second"}));
    messages::showPending();
    EXPECT_EQ(lines().size(), 2u) << "each queued message is shown once";
}

TEST_F(MessageLog, AFullQueueRefusesWithoutLosingWhatItHolds) {
    int accepted = 0;
    for (int i = 0; i < 100; ++i)
        if (messages::queue(("message " + std::to_string(i)).c_str())) ++accepted;
    EXPECT_GT(accepted, 0);
    EXPECT_LT(accepted, 100);
    messages::showPending();
    const auto shown = lines();
    ASSERT_EQ(static_cast<int>(shown.size()), accepted);
    for (int i = 0; i < accepted; ++i) EXPECT_EQ(shown[i], "message " + std::to_string(i));
    EXPECT_TRUE(messages::queue("after")) << "room again once shown";
    messages::showPending();
    EXPECT_EQ(lines().back(), "after");
}

TEST_F(MessageLog, LongTextsAreCutNotOverrun) {
    const std::string longText(5000, 'a');
    EXPECT_TRUE(messages::queue(longText.c_str()));
    messages::showPending();
    const auto shown = lines();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_GT(shown[0].size(), 100u);
    EXPECT_LT(shown[0].size(), longText.size());
}

}  // namespace
