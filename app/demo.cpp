// `zindra demo`: a demo mix made from scratch, processed with every factory
// program of Zindra and of Zindra Deep; WAV files, spectrum pictures and a table of what each
// program kept of each part of the mix.
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
#include "app/plugin_location.h"
#include "core/ZindraIdentity.h"

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

// One line of a table: a factory program as it is, or with its band moved.
struct Setting {
    std::string label;  // the table's first column
    int32_t program;
    std::string name;
    float center = -1.0f;  // "Center" and "Width" values, when moved
    float width = -1.0f;
};

StereoSignal processWith(const std::string& pluginPath, const Setting& setting,
                         const StereoSignal& input) {
    HostedPlugin plugin(pluginPath, static_cast<float>(kRate));
    plugin.setProgram(setting.program);
    if (setting.center >= 0.0f) {
        plugin.setParameter(0, setting.center);
        plugin.setParameter(1, setting.width);
    }
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

// One effect in the demo: its library and the settings its table shows.
struct EffectDemo {
    std::string library;
    std::string name;
    std::vector<Setting> settings;
};

EffectDemo describeEffect(const std::string& library) {
    HostedPlugin plugin(library, static_cast<float>(kRate));
    EffectDemo demo{library, plugin.text(effGetEffectName), {}};
    const auto names = plugin.programNames();
    for (size_t p = 0; p < names.size(); ++p)
        demo.settings.push_back({std::to_string(p), static_cast<int32_t>(p), names[p]});
    // Zindra's first program with the band's lower edge moved from 300 Hz down
    // to 150 Hz, its upper edge kept at 8.3 kHz: Center 4225 Hz, Width 8150 Hz.
    if (plugin.uniqueID() == zindra::kUniqueId)
        demo.settings.push_back({"0*", 0, "Mode 1, band from 150 Hz", 0.21125f, 0.4075f});
    return demo;
}

// Processes one mix with every setting of an effect into `folder` and prints its table.
void demonstrate(const EffectDemo& effect, const DemoMix& mix, const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder))
        throw std::runtime_error(folder.string() + ": cannot make this folder");
    writeWav(folder / "00-mix.wav", mix.mix);
    std::printf("%s: what each program keeps of each part, in dB (0 = untouched):\n\n",
                effect.name.c_str());
    std::printf("  %-2s  %-24s %8s %10s %11s %8s\n", "#", "Program", "Voice", "Left inst.",
                "Right inst.", "Bass");
    for (size_t i = 0; i < effect.settings.size(); ++i) {
        const Setting& setting = effect.settings[i];
        const StereoSignal output = processWith(effect.library, setting, mix.mix);
        const std::string stem = fileStem(static_cast<int32_t>(i) + 1, setting.name);
        writeWav(folder / (stem + ".wav"), output);
        writePicture(folder / (stem + ".png"), mix.mix, output,
                     setting.name + " (average of left and right)");
        std::printf("  %-2s  %-24s %8.1f %10.1f %11.1f %8.1f\n", setting.label.c_str(),
                    setting.name.c_str(), keptDb(output, mix.voice),
                    keptDb(output, mix.leftInstrument), keptDb(output, mix.rightInstrument),
                    keptDb(output, mix.bass));
        std::fflush(stdout);
    }
}

// Zindra's table, then Zindra Deep's beside it (in the folder deep) when its
// library lies beside Zindra's.
void demonstrateAll(const std::vector<EffectDemo>& effects, const DemoMix& mix,
                    const fs::path& folder) {
    for (size_t e = 0; e < effects.size(); ++e) {
        if (e > 0) std::printf("\n");
        demonstrate(effects[e], mix, e == 0 ? folder : folder / "deep");
    }
}

}  // namespace

int runDemo(const std::string& pluginPath, const std::string& outputFolder) {
    const fs::path folder(outputFolder);
    InterruptGuard guard;
    std::vector<EffectDemo> effects{describeEffect(pluginPath)};
    const std::string deepLibrary = besideLibrary(pluginPath, kDeepLibrary);
    std::error_code error;
    if (fs::is_regular_file(deepLibrary, error) && !fs::equivalent(deepLibrary, pluginPath, error))
        effects.push_back(describeEffect(deepLibrary));
    std::printf(
        "Demo mix: %.0f s at %d Hz, a voice and a bass in the centre, an instrument on each "
        "side.\n",
        kSeconds, kRate);
    std::printf(
        "The voice sung around 330 Hz, inside Zindra's vocal band (300 Hz to 8.3 kHz).\n\n");
    demonstrateAll(effects, makeDemoMix(kRate, kSeconds, DemoVoice::Sung), folder);
    std::printf("\nThe same mix with a spoken voice at 200 to 250 Hz, below the vocal band.\n\n");
    demonstrateAll(effects, makeDemoMix(kRate, kSeconds, DemoVoice::Spoken), folder / "spoken");
    std::printf(
        "\n0* is Zindra's program 0 with Center 0.21125 and Width 0.4075: the band from\n"
        "150 Hz to 8.3 kHz instead of 300 Hz to 8.3 kHz.\n");
    std::printf(
        "\nFiles in %s, and the same for the spoken voice in its folder spoken;\n"
        "Zindra Deep's in the folders deep: 00-mix.wav (the input), one WAV per\n"
        "program, and one PNG per program with the input's spectrum (grey) and the\n"
        "program's result (orange).\n",
        fs::absolute(folder).lexically_normal().string().c_str());
    return 0;
}
