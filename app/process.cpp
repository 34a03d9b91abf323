// `zindra process`: an audio file through the plug-in, aligned with the input.
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "app/AlignedRenderer.h"
#include "app/AudioFile.h"
#include "app/HostedPlugin.h"
#include "app/PluginMessages.h"
#include "app/Progress.h"
#include "app/TempOutput.h"
#include "app/commands.h"

namespace {

constexpr int64_t kReadFrames = 16384;

volatile std::sig_atomic_t interrupted = 0;
extern "C" void onInterrupt(int) { interrupted = 1; }

// Ctrl-C stops the run between reads, so that the temporary file is removed.
class InterruptGuard {
public:
    InterruptGuard() : previous(std::signal(SIGINT, onInterrupt)) {}
    ~InterruptGuard() { std::signal(SIGINT, previous); }

private:
    void (*previous)(int);
};

std::string duration(double seconds) {
    char text[32];
    const int minutes = static_cast<int>(seconds / 60.0);
    std::snprintf(text, sizeof text, "%d:%04.1f", minutes, seconds - 60.0 * minutes);
    return text;
}

}  // namespace

int runProcess(const std::string& pluginPath, const ProcessOptions& options) {
    if (options.blockSize < 1 || options.blockSize > 65536)
        throw std::runtime_error("--block " + std::to_string(options.blockSize) +
                                 ": use a block size from 1 to 65536");
    AudioReader reader(options.input);
    const int32_t format = outputFormatFor(options.output, reader.format(), options.depth);

    PluginMessages messages;
    HostedPlugin plugin(pluginPath, static_cast<float>(reader.sampleRate()));
    applySettings(plugin, messages, options.settings);
    plugin.start(options.blockSize);
    const std::string program = plugin.text(effGetProgramName);

    TempOutput output(options.output);
    AudioWriter writer(output.path(), format, reader.sampleRate(), 2);
    std::vector<float> interleaved;
    AlignedRenderer renderer(plugin, options.blockSize,
                             [&](const float* left, const float* right, int32_t n) {
                                 interleaved.resize(2 * static_cast<size_t>(n));
                                 for (int32_t i = 0; i < n; ++i) {
                                     interleaved[2 * i] = left[i];
                                     interleaved[2 * i + 1] = right[i];
                                 }
                                 writer.write(interleaved.data(), n);
                             });

    InterruptGuard guard;
    Progress progress(reader.frames());
    const auto started = std::chrono::steady_clock::now();
    const int32_t channels = reader.channels();
    std::vector<float> block(static_cast<size_t>(kReadFrames * channels));
    std::vector<float> left(kReadFrames), right(kReadFrames);
    int64_t done = 0;
    for (;;) {
        if (interrupted)
            throw std::runtime_error("interrupted; " + options.output + " was not written");
        const int64_t got = reader.read(block.data(), kReadFrames);
        if (got <= 0) break;
        for (int64_t i = 0; i < got; ++i) {
            left[i] = block[static_cast<size_t>(i * channels)];
            right[i] = block[static_cast<size_t>(i * channels + channels - 1)];  // mono: the same
        }
        renderer.feed(left.data(), right.data(), got);
        done += got;
        progress.update(done);
    }
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
    return 0;
}
