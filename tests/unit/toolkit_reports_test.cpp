#include <gtest/gtest.h>

#include <cfloat>
#include <thread>

#include "dsp/VCFmath.h"
#include "dsp/VecLib.h"
#include "platform/messages.h"
#include "platform/toolkit_reports.h"
#include "support/MessageLog.h"

// The toolkit's reports from the audio thread reach the user later, once.
TEST(HostileAudioReport, MagnitudeOverflowOnTheAudioThreadIsShownLaterOnce) {
    installToolkitReports();
    V_forgetLastMathError();
    MessageLog log;
    // Parts within range whose magnitude is not.
    const ComplexF huge[2] = {{3e38f, 3e38f}, {-3e38f, 2e38f}};
    float magnitudes[2] = {};
    std::thread audio([&] {
        for (int frame = 0; frame < 10; ++frame) cfabs(magnitudes, huge, 2);
    });
    audio.join();
    EXPECT_EQ(magnitudes[0], FLT_MAX);
    EXPECT_TRUE(log.lines().empty()) << "nothing is shown on the audio thread";
    messages::showPending();
    const auto shown = log.lines();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Zindra: VCF_abs: OVERFLOW error");
}
