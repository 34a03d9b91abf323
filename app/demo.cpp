// `zindra demo`: a demo mix made from scratch, processed with every factory
// program; WAV files, spectrum pictures and a table of what each program
// kept of each part of the mix.
#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "app/AlignedRenderer.h"
#include "app/AudioFile.h"
#include "app/DemoMix.h"
#include "app/HostedPlugin.h"
#include "app/Interruption.h"
#include "app/PictureOfSpectra.h"
#include "app/TempOutput.h"
#include "app/commands.h"

namespace fs = std::filesystem;

namespace {

constexpr int32_t kRate = 44100;
constexpr double kSeconds = 12.0;
constexpr int32_t kBlock = 1024;

// Each file appears complete or not at all, as those of `zindra process`.
void writeWav(const fs::path& path, const StereoSignal& signal) {
    stopIfInterrupted("the demo stopped");
    TempOutput output(path.string());
    AudioWriter writer(output, SF_FORMAT_WAV | SF_FORMAT_FLOAT, kRate, 2);
    std::vector<float> interleaved(2 * signal.size());
    for (size_t i = 0; i < signal.size(); ++i) {
        interleaved[2 * i] = signal.left[i];
        interleaved[2 * i + 1] = signal.right[i];
    }
    writer.write(interleaved.data(), static_cast<int64_t>(signal.size()));
    writer.close();
    output.commit();
}

void writePicture(const fs::path& path, const StereoSignal& before, const StereoSignal& after,
                  const std::string& title) {
    stopIfInterrupted("the demo stopped");
    TempOutput output(path.string());
    writeSpectrumPicture(output.path(), before, after, kRate, title);
    output.commit();
}

StereoSignal processWithProgram(const std::string& pluginPath, int32_t program,
                                const StereoSignal& input) {
    HostedPlugin plugin(pluginPath, static_cast<float>(kRate));
    plugin.setProgram(program);
    plugin.start(kBlock);
    StereoSignal output;
    AlignedRenderer renderer(plugin, kBlock, [&](const float* l, const float* r, int32_t n) {
        output.left.insert(output.left.end(), l, l + n);
        output.right.insert(output.right.end(), r, r + n);
    });
    renderer.feed(input.left.data(), input.right.data(), static_cast<int64_t>(input.size()));
    renderer.finish();
    return output;
}

// How much of a part of the mix is still in the output, in dB: the output's
// least-squares gain onto that part (the parts are unrelated to each other,
// so each is measured as if it were alone).
double keptDb(const StereoSignal& output, const StereoSignal& part) {
    double cross = 0.0, energy = 0.0;
    for (size_t i = 0; i < part.size(); ++i) {
        cross += double{output.left[i]} * part.left[i] + double{output.right[i]} * part.right[i];
        energy += double{part.left[i]} * part.left[i] + double{part.right[i]} * part.right[i];
    }
    const double gain = energy > 0.0 ? std::fabs(cross / energy) : 0.0;
    return std::max(20.0 * std::log10(std::max(gain, 1e-10)), -99.9);
}

std::string fileStem(int32_t index, const std::string& name) {
    std::string stem = (index < 10 ? "0" : "") + std::to_string(index) + "-";
    for (char c : name) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            stem.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
        else if (stem.back() != '-')
            stem.push_back('-');
    }
    while (stem.back() == '-') stem.pop_back();
    return stem;
}

}  // namespace

int runDemo(const std::string& pluginPath, const std::string& outputFolder) {
    const fs::path folder(outputFolder);
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder))
        throw std::runtime_error(outputFolder + ": cannot make this folder");

    InterruptGuard guard;
    const DemoMix mix = makeDemoMix(kRate, kSeconds);
    writeWav(folder / "00-mix.wav", mix.mix);
    std::vector<std::string> names;
    {
        HostedPlugin plugin(pluginPath, static_cast<float>(kRate));
        names = plugin.programNames();
    }
    std::printf(
        "Demo mix: %.0f s at %d Hz, a voice and a bass in the centre, an instrument on each "
        "side.\n",
        kSeconds, kRate);
    std::printf("What each program keeps of each part, in dB (0 = untouched):\n\n");
    std::printf("  %-2s  %-24s %8s %10s %11s %8s\n", "#", "Program", "Voice", "Left inst.",
                "Right inst.", "Bass");
    for (size_t p = 0; p < names.size(); ++p) {
        const auto program = static_cast<int32_t>(p);
        const StereoSignal output = processWithProgram(pluginPath, program, mix.mix);
        const std::string stem = fileStem(program + 1, names[p]);
        writeWav(folder / (stem + ".wav"), output);
        writePicture(folder / (stem + ".png"), mix.mix, output,
                     names[p] + " (average of left and right)");
        std::printf("  %-2d  %-24s %8.1f %10.1f %11.1f %8.1f\n", program, names[p].c_str(),
                    keptDb(output, mix.voice), keptDb(output, mix.leftInstrument),
                    keptDb(output, mix.rightInstrument), keptDb(output, mix.bass));
        std::fflush(stdout);
    }
    std::printf(
        "\nFiles in %s: 00-mix.wav (the input), one WAV per program, and one PNG per\n"
        "program with the input's spectrum (grey) and the program's result (orange).\n",
        fs::absolute(folder).lexically_normal().string().c_str());
    return 0;
}
