// The plug-in as constructed: the order of its requests to the host, what it
// reports about itself, and its pins.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "support/RecordingHost.h"
#include "vst2/uPlugin.h"

namespace {

TEST(PluginConstruction, AsksTheHostForItsSampleRateAndAdoptsIt) {
    RecordingHost host;
    host.answers[audioMasterGetSampleRate] = 48000;
    APlugin plugin(RecordingHost::callback);
    EXPECT_EQ(plugin.getSampleRate(), 48000.0f);
    ASSERT_EQ(host.count(audioMasterGetSampleRate), 1u);
    EXPECT_EQ(host.calls[0].effect, plugin.getAeffect());
}

TEST(PluginConstruction, AHostWithoutARateLeavesTheDefault) {
    RecordingHost host;
    host.answers[audioMasterGetSampleRate] = 0;
    APlugin plugin(RecordingHost::callback);
    EXPECT_EQ(plugin.getSampleRate(), 44100.0f);
    APlugin withoutHost(nullptr);
    EXPECT_EQ(withoutHost.getSampleRate(), 44100.0f);
}

TEST(PluginIdentity, NamesVendorAndVersion) {
    APlugin plugin(nullptr);
    char text[64];
    EXPECT_TRUE(plugin.getEffectName(text));
    EXPECT_STREQ(text, "Zindra");
    EXPECT_TRUE(plugin.getProductString(text));
    EXPECT_STREQ(text, "Zindra");
    EXPECT_TRUE(plugin.getVendorString(text));
    EXPECT_STREQ(text, "Corvanti");
    EXPECT_EQ(plugin.getVendorVersion(), 1);
    EXPECT_FALSE(plugin.getEffectName(nullptr)) << "no buffer, nothing written";
}

TEST(PluginIdentity, PinsAreTwoStereoInputsAndOutputs) {
    APlugin plugin(nullptr);
    VstPinProperties pin;
    std::memset(&pin, 0x5A, sizeof pin);
    ASSERT_TRUE(plugin.getOutputProperties(1, &pin));
    EXPECT_STREQ(pin.label, "Output #2");
    EXPECT_EQ(pin.flags, kVstPinIsActive | kVstPinIsStereo);
    EXPECT_EQ(pin.arrangementType, 0x5A5A5A5A) << "not written";
    ASSERT_TRUE(plugin.getInputProperties(0, &pin));
    EXPECT_STREQ(pin.label, "Input #1");

    VstPinProperties untouched;
    std::memset(&untouched, 0x33, sizeof untouched);
    VstPinProperties copy = untouched;
    EXPECT_FALSE(plugin.getOutputProperties(2, &copy));
    EXPECT_FALSE(plugin.getInputProperties(-1, &copy));
    EXPECT_EQ(std::memcmp(&copy, &untouched, sizeof copy), 0);
    EXPECT_FALSE(plugin.getInputProperties(0, nullptr));
}

TEST(PluginIdentity, VuIsAlwaysZero) {
    APlugin plugin(nullptr);
    EXPECT_EQ(plugin.getVu(), 0.0f);
    EXPECT_EQ(plugin.dispatcher(effGetVu, 0, 0, nullptr, 0.0f), 0);
}

}  // namespace
