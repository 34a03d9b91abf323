// `zindra process`: an audio file through the plug-in, aligned with the input.
#include <sndfile.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "app/AlignedRenderer.h"
#include "app/AudioFile.h"
#include "app/HostedPlugin.h"
#include "app/Interruption.h"
#include "app/PluginMessages.h"
#include "app/Progress.h"
#include "app/SampleTally.h"
#include "app/TempOutput.h"
#include "app/commands.h"

namespace {

constexpr int64_t kReadFrames = 16384;

std::string duration(double seconds) {
    char text[32];
    const int minutes = static_cast<int>(seconds / 60.0);
    std::snprintf(text, sizeof text, "%d:%04.1f", minutes, seconds - 60.0 * minutes);
    return text;
}

// Writing the output over the input would destroy the input while it is read.
void refuseSameFile(const std::string& input, const std::string& output) {
    std::error_code error;
    if (std::filesystem::equivalent(input, output, error))
        throw std::runtime_error(output + ": is the input file itself; write to another file");
}

bool clipsBeyondFullScale(int32_t format) {
    const int32_t samples = format & SF_FORMAT_SUBMASK;
    return samples == SF_FORMAT_PCM_S8 || samples == SF_FORMAT_PCM_U8 ||
           samples == SF_FORMAT_PCM_16 || samples == SF_FORMAT_PCM_24 ||
           samples == SF_FORMAT_PCM_32;
}

}  // namespace

int runProcess(const std::string& pluginPath, const ProcessOptions& options) {
    if (options.blockSize < 1 || options.blockSize > 65536)
        throw std::runtime_error("--block " + std::to_string(options.blockSize) +
                                 ": use a block size from 1 to 65536");
    // From here on a signal only asks the run to stop, so that the temporary
    // file is removed however early it comes.
    InterruptGuard guard;
    AudioReader reader(options.input);
    refuseSameFile(options.input, options.output);
    const int32_t format = outputFormatFor(options.output, reader.format(), options.depth);

    PluginMessages messages;
    HostedPlugin plugin(pluginPath, static_cast<float>(reader.sampleRate()));
    applySettings(plugin, messages, options.settings);
    plugin.start(options.blockSize);
    const std::string program = plugin.text(effGetProgramName);

    TempOutput output(options.output);
    AudioWriter writer(output, format, reader.sampleRate(), 2);
    const bool clips = clipsBeyondFullScale(format);
    SampleTally clipped;
    int64_t written = 0;
    std::vector<float> interleaved;
    AlignedRenderer renderer(plugin, options.blockSize,
                             [&](const float* left, const float* right, int32_t n) {
                                 interleaved.resize(2 * static_cast<size_t>(n));
                                 for (int32_t i = 0; i < n; ++i) {
                                     interleaved[2 * i] = left[i];
                                     interleaved[2 * i + 1] = right[i];
                                 }
                                 if (clips)
                                     for (int32_t i = 0; i < 2 * n; ++i)
                                         if (std::fabs(interleaved[i]) > 1.0f)
                                             clipped.note(written + i / 2);
                                 writer.write(interleaved.data(), n);
                                 written += n;
                             });

    const std::string notWritten = options.output + " was not written";
    Progress progress(reader.frames());
    const auto started = std::chrono::steady_clock::now();
    const int32_t channels = reader.channels();
    std::vector<float> block(static_cast<size_t>(kReadFrames * channels));
    std::vector<float> left(kReadFrames), right(kReadFrames);
    SampleTally nonFinite;
    int64_t done = 0;
    for (;;) {
        stopIfInterrupted(notWritten.c_str());
        const int64_t got = reader.read(block.data(), kReadFrames);
        if (got <= 0) break;
        // A sample that is not a number would spread over a whole frame of
        // the output; it is taken as silence.
        for (int64_t i = 0; i < got * channels; ++i)
            if (!std::isfinite(block[static_cast<size_t>(i)])) {
                nonFinite.note(done + i / channels);
                block[static_cast<size_t>(i)] = 0.0f;
            }
        for (int64_t i = 0; i < got; ++i) {
            left[i] = block[static_cast<size_t>(i * channels)];
            right[i] = block[static_cast<size_t>(i * channels + channels - 1)];  // mono: the same
        }
        renderer.feed(left.data(), right.data(), got);
        done += got;
        progress.update(done);
    }
    if (done < reader.frames())
        throw std::runtime_error(options.input + ": cut short: it holds " + std::to_string(done) +
                                 " of the " + std::to_string(reader.frames()) +
                                 " frames its header promises; " + notWritten);
    renderer.finish();
    writer.close();
    output.commit();
    progress.clear();

    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const double audioSeconds = static_cast<double>(done) / reader.sampleRate();
    std::printf("%s -> %s: program \"%s\", %s of audio at %d Hz in %.2f s (%.1fx real time)\n",
                options.input.c_str(), options.output.c_str(), program.c_str(),
                duration(audioSeconds).c_str(), reader.sampleRate(), seconds,
                seconds > 0.0 ? audioSeconds / seconds : 0.0);
    if (nonFinite.samples() > 0)
        std::fprintf(stderr,
                     "zindra: warning: %s: %s are not numbers (NaN or infinite); they were "
                     "processed as silence\n",
                     options.input.c_str(),
                     nonFinite.describe(done * channels, reader.sampleRate()).c_str());
    if (clipped.samples() > 0)
        std::fprintf(stderr,
                     "zindra: warning: %s: %s lay beyond full scale and were clipped; "
                     "--bits float with a .wav or .aiff output keeps them\n",
                     options.output.c_str(),
                     clipped.describe(2 * written, reader.sampleRate()).c_str());
    return 0;
}
