// The `zindra` command as a user runs it: files in, files out, and one clear
// line with a non-zero exit for every kind of bad input, with no output file
// left behind.
#include <gtest/gtest.h>

#include <sndfile.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "app/PresetFile.h"

namespace fs = std::filesystem;

namespace {

struct Result {
    int status;
    std::string output;  // standard output and error together
};

class Command : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("zindra-command-test-" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string path(const std::string& name) const { return (folder / name).string(); }

    Result run(const std::string& arguments) const {
        const std::string plugin = arguments.find("--plugin") == std::string::npos
                                       ? std::string(" --plugin ") + ZINDRA_PLUGIN_PATH
                                       : "";
        return runShell(std::string(ZINDRA_CLI_PATH) + " " + arguments + plugin);
    }

    // A shell command line, its output gathered.
    Result runShell(const std::string& commands) const {
        const std::string log = path("command.log");
        const std::string line = "(" + commands + ") >" + log + " 2>&1";
        const int status = std::system(line.c_str());
        std::ifstream in(log);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        fs::remove(log);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text};
    }

    // Files in the folder other than the given inputs.
    std::vector<std::string> leftovers(const std::vector<std::string>& inputs) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            if (std::find(inputs.begin(), inputs.end(), name) == inputs.end())
                names.push_back(name);
        }
        return names;
    }

    fs::path folder;
};

struct Audio {
    int rate = 44100;
    int channels = 2;
    std::vector<float> samples;  // interleaved
    int format = 0;
    int64_t frames() const { return static_cast<int64_t>(samples.size()) / channels; }
};

void writeAudio(const std::string& file, const Audio& audio, int format) {
    SF_INFO info{};
    info.samplerate = audio.rate;
    info.channels = audio.channels;
    info.format = format;
    SNDFILE* out = sf_open(file.c_str(), SFM_WRITE, &info);
    ASSERT_NE(out, nullptr) << sf_strerror(nullptr);
    sf_writef_float(out, audio.samples.data(), audio.frames());
    sf_close(out);
}

Audio readAudio(const std::string& file) {
    SF_INFO info{};
    SNDFILE* in = sf_open(file.c_str(), SFM_READ, &info);
    EXPECT_NE(in, nullptr) << file;
    Audio audio;
    if (!in) return audio;
    audio.rate = info.samplerate;
    audio.channels = info.channels;
    audio.format = info.format;
    audio.samples.resize(static_cast<size_t>(info.frames * info.channels));
    sf_readf_float(in, audio.samples.data(), info.frames);
    sf_close(in);
    return audio;
}

Audio clicks(int channels, int64_t frames, int rate = 44100) {
    Audio audio;
    audio.rate = rate;
    audio.channels = channels;
    audio.samples.assign(static_cast<size_t>(frames * channels), 0.0f);
    for (int64_t at : {int64_t{0}, frames / 3, frames - 1})
        for (int c = 0; c < channels; ++c)
            audio.samples[static_cast<size_t>(at * channels + c)] = 0.5f;
    return audio;
}

Audio tone(int64_t frames) {
    Audio audio;
    audio.samples.resize(static_cast<size_t>(frames * 2));
    for (int64_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / 44100.0;
        const double centre = 0.3 * std::sin(2 * M_PI * 440 * t);
        audio.samples[static_cast<size_t>(2 * i)] =
            static_cast<float>(centre + 0.2 * std::sin(2 * M_PI * 1300 * t));
        audio.samples[static_cast<size_t>(2 * i + 1)] = static_cast<float>(centre);
    }
    return audio;
}

}  // namespace

// Each effect's dry setting gives the input back, in time.
TEST_F(Command, DryProcessingGivesTheInputBackAlignedInEveryFormat) {
    const Audio input = clicks(2, 30000);
    writeAudio(path("in.wav"), input, SF_FORMAT_WAV | SF_FORMAT_PCM_24);
    const struct {
        std::string library;
        std::string dry;
    } effects[] = {{" --plugin " + std::string(ZINDRA_PLUGIN_PATH), " --set Humidity=0"},
                   {" --plugin " + std::string(ZINDRA_DEEP_PLUGIN_PATH), " --set Mix=0"}};
    for (const auto& effect : effects) {
        for (const char* name : {"out.wav", "out.flac", "out.aiff"}) {
            const Result result =
                run("process " + path("in.wav") + " " + path(name) + effect.library + effect.dry);
            ASSERT_EQ(result.status, 0) << result.output;
            const Audio output = readAudio(path(name));
            EXPECT_EQ(output.frames(), input.frames()) << name;
            EXPECT_EQ(output.format & SF_FORMAT_SUBMASK, SF_FORMAT_PCM_24) << name;
            ASSERT_EQ(output.samples.size(), input.samples.size());
            for (size_t i = 0; i < input.samples.size(); ++i)
                ASSERT_NEAR(output.samples[i], input.samples[i], 1e-6)
                    << effect.library << " " << name << " sample " << i;
        }
    }
    const Result ogg = run("process " + path("in.wav") + " " + path("out.ogg"));
    ASSERT_EQ(ogg.status, 0) << ogg.output;
    EXPECT_EQ(readAudio(path("out.ogg")).frames(), input.frames());
}

TEST_F(Command, MonoInputIsProcessedAsIdenticalLeftAndRightAtItsOwnRate) {
    writeAudio(path("mono.flac"), clicks(1, 20000, 48000), SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
    const Result result =
        run("process " + path("mono.flac") + " " + path("out.wav") + " --set humidity=0");
    ASSERT_EQ(result.status, 0) << result.output;
    const Audio output = readAudio(path("out.wav"));
    EXPECT_EQ(output.rate, 48000);
    EXPECT_EQ(output.channels, 2);
    ASSERT_EQ(output.frames(), 20000);
    for (int64_t i = 0; i < output.frames(); ++i)
        ASSERT_EQ(output.samples[static_cast<size_t>(2 * i)],
                  output.samples[static_cast<size_t>(2 * i + 1)]);
    EXPECT_NEAR(output.samples[0], 0.5f, 1e-4);
}

TEST_F(Command, ProgramsByIndexAndByNameAndBlockSizesAgree) {
    writeAudio(path("in.wav"), tone(20000), SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    ASSERT_EQ(run("process " + path("in.wav") + " " + path("a.wav") + " --program 4").status, 0);
    ASSERT_EQ(run("process " + path("in.wav") + " " + path("b.wav") +
                  " --program 'isolate VOCAL' --block 77")
                  .status,
              0);
    ASSERT_EQ(run("process " + path("in.wav") + " " + path("c.wav") + " --program 0").status, 0);
    const Audio a = readAudio(path("a.wav"));
    EXPECT_EQ(a.samples, readAudio(path("b.wav")).samples);
    EXPECT_NE(a.samples, readAudio(path("c.wav")).samples);
    EXPECT_EQ(a.format & SF_FORMAT_SUBMASK, SF_FORMAT_FLOAT);
}

TEST_F(Command, SavedPresetsAndBanksReproduceTheirSettings) {
    writeAudio(path("in.wav"), tone(20000), SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    const std::string settings = " --program 'Vocal Band Only' --set Width=0.25 --set Spread=0.5";
    ASSERT_EQ(run("save-preset " + path("p.fxp") + settings).status, 0);
    ASSERT_EQ(run("process " + path("in.wav") + " " + path("direct.wav") + settings).status, 0);
    ASSERT_EQ(
        run("process " + path("in.wav") + " " + path("preset.wav") + " --preset " + path("p.fxp"))
            .status,
        0);
    EXPECT_EQ(readAudio(path("direct.wav")).samples, readAudio(path("preset.wav")).samples);

    const Result params = run("params --preset " + path("p.fxp"));
    EXPECT_NE(params.output.find("Width          0.25"), std::string::npos) << params.output;

    ASSERT_EQ(run("save-bank " + path("b.fxb") + " --program 2 --set Center=0.75").status, 0);
    const Result current = run("params --bank " + path("b.fxb"));
    EXPECT_NE(current.output.find("Program: 2 \"Full Spectrum\""), std::string::npos)
        << current.output;
    const Result fromBank = run("params --bank " + path("b.fxb") + " --program 2");
    EXPECT_NE(fromBank.output.find("Center         0.75"), std::string::npos) << fromBank.output;
    const Result otherProgram = run("params --bank " + path("b.fxb") + " --program 3");
    EXPECT_NE(otherProgram.output.find("Center         0.215"), std::string::npos)
        << otherProgram.output;
}

TEST_F(Command, ParameterListPresetsAndBanksAreApplied) {
    // Files as hosts write them for effects without chunks: plain values.
    PresetFile preset;
    preset.opaque = false;
    preset.effectID = 0x5A51374E;
    preset.name = "Listed";
    preset.values = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f};
    const auto presetBytes = encodePresetFile(preset);
    std::ofstream(path("list.fxp"), std::ios::binary)
        .write(reinterpret_cast<const char*>(presetBytes.data()),
               static_cast<std::streamsize>(presetBytes.size()));
    const Result fromPreset = run("params --program 7 --preset " + path("list.fxp"));
    EXPECT_NE(fromPreset.output.find("Program: 7 \"Listed\""), std::string::npos)
        << fromPreset.output;
    EXPECT_NE(fromPreset.output.find("Humidity       0.5"), std::string::npos) << fromPreset.output;

    PresetFile bank;
    bank.kind = PresetFile::Kind::Bank;
    bank.opaque = false;
    bank.effectID = 0x5A51374E;
    bank.currentProgram = 2;
    for (int i = 0; i < 10; ++i) {
        preset.name = "Listed " + std::to_string(i);
        preset.values[0] = 0.05f * static_cast<float>(i);
        bank.programs.push_back(preset);
    }
    const auto bankBytes = encodePresetFile(bank);
    std::ofstream(path("list.fxb"), std::ios::binary)
        .write(reinterpret_cast<const char*>(bankBytes.data()),
               static_cast<std::streamsize>(bankBytes.size()));
    const Result fromBank = run("params --bank " + path("list.fxb"));
    EXPECT_NE(fromBank.output.find("Program: 2 \"Listed 2\""), std::string::npos)
        << fromBank.output;
    EXPECT_NE(fromBank.output.find("Center         0.1"), std::string::npos) << fromBank.output;

    preset.values.pop_back();
    const auto shortBytes = encodePresetFile(preset);
    std::ofstream(path("short-list.fxp"), std::ios::binary)
        .write(reinterpret_cast<const char*>(shortBytes.data()),
               static_cast<std::streamsize>(shortBytes.size()));
    const Result wrongCount = run("params --preset " + path("short-list.fxp"));
    EXPECT_NE(wrongCount.status, 0);
    EXPECT_NE(wrongCount.output.find("holds 11 parameter values, the plug-in has 12"),
              std::string::npos)
        << wrongCount.output;
}

TEST_F(Command, BadInputGivesOneLineAndNoOutputFile) {
    writeAudio(path("in.wav"), tone(5000), SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    std::ofstream(path("text.wav")) << "this is not audio\n";
    Audio quad = clicks(4, 1000);
    writeAudio(path("quad.wav"), quad, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    ASSERT_EQ(run("save-preset " + path("good.fxp")).status, 0);
    ASSERT_EQ(run("save-bank " + path("good.fxb")).status, 0);
    {
        std::ifstream in(path("good.fxp"), std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        std::ofstream(path("short.fxp"), std::ios::binary).write(bytes.data(), 100);
        bytes[16] = 'X';  // the effect's ID
        std::ofstream(path("other.fxp"), std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        bytes[16] = 'Z';
        bytes[60] = 0;  // the chunk's own magic: the plug-in refuses it
        std::ofstream(path("rejected.fxp"), std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    const std::vector<std::string> inputs = {"in.wav",   "text.wav",  "quad.wav",  "good.fxp",
                                             "good.fxb", "short.fxp", "other.fxp", "rejected.fxp"};
    const std::string in = path("in.wav") + " ";
    const std::string out = path("out.wav");
    const struct {
        std::string arguments;
        std::string message;
    } cases[] = {
        {"process " + path("missing.wav") + " " + out, "missing.wav: no such file"},
        {"process " + path("text.wav") + " " + out,
         "text.wav: not a readable WAV, FLAC, AIFF or OGG file"},
        {"process " + path("quad.wav") + " " + out, "quad.wav: 4 channels"},
        {"process " + in + path("out.mp3"), "unsupported output format '.mp3'"},
        {"process " + in + out + " --program 'Vocal Out - Mode 9'",
         "no program named 'Vocal Out - Mode 9'"},
        {"process " + in + out + " --program 10", "program 10 does not exist"},
        {"process " + in + out + " --set Loudness=0.5", "no parameter named 'Loudness'"},
        {"process " + in + out + " --set Humidity=1.5",
         "Humidity=1.5: the value must lie from 0 to 1"},
        {"process " + in + out + " --set Humidity=-0.1", "the value must lie from 0 to 1"},
        {"process " + in + out + " --set Humidity=lots", "the value is not a number"},
        {"process " + in + out + " --set Humidity", "write NAME=VALUE"},
        {"process " + in + out + " --preset " + path("short.fxp"), "short.fxp: damaged file"},
        {"process " + in + out + " --preset " + path("other.fxp"),
         "made for another plug-in (ID 'XQ7N')"},
        {"process " + in + out + " --preset " + path("rejected.fxp"), "the plug-in rejected it: "},
        {"process " + in + out + " --preset " + path("good.fxb"), "is a bank (.fxb), not a preset"},
        {"process " + in + out + " --bank " + path("good.fxp"), "is a preset (.fxp), not a bank"},
        {"process " + in + out + " --preset " + path("in.wav"),
         "in.wav: not a VST preset or bank file"},
        {"process " + in + out + " --block 0", "--block 0: use a block size from 1 to 65536"},
        {"process " + in + path("no-folder/out.wav"), "does not exist"},
        {"process " + in + out + " --plugin " + path("in.wav"), "cannot load the plug-in library"},
        {"process " + in + out + " --plugin " + ZINDRA_CLI_PATH, "cannot load the plug-in library"},
    };
    for (const auto& c : cases) {
        const Result result = run(c.arguments);
        EXPECT_NE(result.status, 0) << c.arguments;
        EXPECT_NE(result.output.find(c.message), std::string::npos) << c.arguments << "\n"
                                                                    << result.output;
        EXPECT_EQ(std::count(result.output.begin(), result.output.end(), '\n'), 1) << result.output;
        EXPECT_TRUE(leftovers(inputs).empty()) << c.arguments << ": " << leftovers(inputs).front();
    }
}

namespace {

std::string readBytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Stereo noise: it fills compressed formats as much as plain ones.
Audio noise(int64_t frames, float level) {
    Audio audio;
    audio.samples.resize(static_cast<size_t>(frames * 2));
    uint32_t seed = 7;
    for (float& sample : audio.samples) {
        seed = seed * 1664525u + 1013904223u;
        sample = level * (static_cast<float>(seed >> 8) / 8388608.0f - 1.0f);
    }
    return audio;
}

// Runs the command with the given arguments in the background; returns its process.
pid_t start(const std::vector<std::string>& arguments) {
    std::vector<std::string> words = {ZINDRA_CLI_PATH};
    words.insert(words.end(), arguments.begin(), arguments.end());
    words.push_back("--plugin");
    words.push_back(ZINDRA_PLUGIN_PATH);
    const pid_t child = fork();
    if (child == 0) {
        // A test run from a background shell would pass SIGINT on as ignored.
        for (int signal : {SIGINT, SIGHUP, SIGTERM}) std::signal(signal, SIG_DFL);
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return child;
}

bool anyFileEndingIn(const fs::path& folder, const std::string& ending) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        if (entry.path().filename().string().ends_with(ending)) return true;
    return false;
}

// Waits up to ten seconds for the file that shows the command at work.
bool waitFor(const fs::path& folder, const std::string& ending) {
    for (int i = 0; i < 5000; ++i, usleep(2000))
        if (anyFileEndingIn(folder, ending)) return true;
    return false;
}

}  // namespace

TEST_F(Command, FindsThePluginFromItsOwnFileNeverFromTheCurrentFolder) {
    // The installed layout, the command alone beside the library, and the
    // build tree's layout; each run from a folder that holds a false library.
    const fs::path elsewhere = folder / "elsewhere";
    fs::create_directories(elsewhere);
    std::ofstream(elsewhere / "zindra.so") << "not a library\n";
    const struct {
        std::string command;
        std::string library;
    } layouts[] = {{"installed/bin/zindra", "installed/lib/vst/zindra.so"},
                   {"beside/zindra", "beside/zindra.so"},
                   {"tree/bin/zindra", "tree/zindra.so"}};
    for (const auto& layout : layouts) {
        fs::create_directories((folder / layout.command).parent_path());
        fs::create_directories((folder / layout.library).parent_path());
        fs::copy_file(ZINDRA_CLI_PATH, folder / layout.command);
        fs::copy_file(ZINDRA_PLUGIN_PATH, folder / layout.library);
        const std::string bin = (folder / layout.command).parent_path().string();
        const Result result =
            runShell("cd " + elsewhere.string() + " && PATH=" + bin + ":$PATH zindra info");
        ASSERT_EQ(result.status, 0) << layout.command << "\n" << result.output;
        EXPECT_NE(result.output.find("Library:     " + path(layout.library) + "\n"),
                  std::string::npos)
            << result.output;
    }
    fs::remove(folder / "beside/zindra.so");
    const Result missing =
        runShell("cd " + elsewhere.string() + " && " + path("beside/zindra") + " info");
    EXPECT_NE(missing.status, 0);
    EXPECT_NE(missing.output.find(path("beside/zindra.so") + ": cannot load"), std::string::npos)
        << missing.output;
}

TEST_F(Command, RefusesToWriteOverItsInputByAnyName) {
    writeAudio(path("in.wav"), tone(5000), SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    const std::string original = readBytes(path("in.wav"));
    fs::create_directories(folder / "sub");
    fs::create_symlink(path("in.wav"), path("link.wav"));
    fs::create_hard_link(path("in.wav"), path("hard.wav"));
    for (const std::string& output :
         {path("in.wav"), path("sub/../in.wav"), path("link.wav"), path("hard.wav")}) {
        const Result result = run("process " + path("in.wav") + " " + output);
        EXPECT_EQ(result.status, 1) << output;
        EXPECT_NE(result.output.find(output + ": is the input file itself"), std::string::npos)
            << result.output;
    }
    const Result throughLink = run("process " + path("link.wav") + " " + path("hard.wav"));
    EXPECT_NE(throughLink.output.find("is the input file itself"), std::string::npos);
    EXPECT_EQ(readBytes(path("in.wav")), original);
    EXPECT_EQ((leftovers({"in.wav", "sub", "link.wav", "hard.wav"})), std::vector<std::string>{});
}

TEST_F(Command, TerminationSignalsStopTheWorkAndLeaveNoFiles) {
    Audio silence;
    silence.rate = 22050;
    silence.samples.assign(22050 * 2 * 300, 0.0f);
    writeAudio(path("long.wav"), silence, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
        const pid_t child = start({"process", path("long.wav"), path("out.wav")});
        EXPECT_TRUE(waitFor(folder, ".part")) << signal;
        kill(child, signal);
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        EXPECT_EQ(leftovers({"long.wav"}), std::vector<std::string>{}) << signal;
    }
    const pid_t demo = start({"demo", path("demo")});
    EXPECT_TRUE(waitFor(folder / "demo", "00-mix.wav"));
    kill(demo, SIGTERM);
    int status = 0;
    waitpid(demo, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    EXPECT_FALSE(anyFileEndingIn(folder / "demo", ".part"));
}

TEST_F(Command, InputCutShortIsAnErrorAndLeavesNothing) {
    const Audio input = noise(44100, 0.5f);
    writeAudio(path("in.wav"), input, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    writeAudio(path("in.aiff"), input, SF_FORMAT_AIFF | SF_FORMAT_FLOAT);
    writeAudio(path("in.flac"), input, SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
    for (const char* name : {"in.wav", "in.aiff", "in.flac"})
        fs::resize_file(path(name), fs::file_size(path(name)) / 2);
    for (const char* name : {"in.wav", "in.aiff", "in.flac"}) {
        const Result result = run("process " + path(name) + " " + path("out.wav"));
        EXPECT_EQ(result.status, 1) << name << "\n" << result.output;
        EXPECT_NE(result.output.find(path(name) + ": "), std::string::npos) << result.output;
        EXPECT_NE(result.output.find("cut short"), std::string::npos) << result.output;
        EXPECT_EQ((leftovers({"in.wav", "in.aiff", "in.flac"})), std::vector<std::string>{});
    }
    const Result wav = run("process " + path("in.wav") + " " + path("out.wav"));
    EXPECT_NE(
        wav.output.find("cut short: it holds 22044 of the 44100 frames its header promises; " +
                        path("out.wav") + " was not written"),
        std::string::npos)
        << wav.output;
}

TEST_F(Command, WarnsOfSamplesThatAreNoNumbersAndOfClippedOutput) {
    Audio input = tone(44100);
    for (float& sample : input.samples) sample *= 3.0f;  // peaks of 1.5
    input.samples[2 * 1000] = std::nanf("");
    input.samples[2 * 3000 + 1] = INFINITY;
    writeAudio(path("in.wav"), input, SF_FORMAT_WAV | SF_FORMAT_FLOAT);

    const Result toInteger =
        run("process " + path("in.wav") + " " + path("out.wav") + " --bits 16");
    ASSERT_EQ(toInteger.status, 0) << toInteger.output;
    EXPECT_NE(toInteger.output.find(
                  "in.wav: 2 of 88200 samples (0.0%), the first at 0:00.023 (sample 1000) are "
                  "not numbers"),
              std::string::npos)
        << toInteger.output;
    EXPECT_NE(toInteger.output.find("were clipped; --bits float"), std::string::npos)
        << toInteger.output;
    const Result toFloat =
        run("process " + path("in.wav") + " " + path("float.wav") + " --bits float");
    ASSERT_EQ(toFloat.status, 0);
    EXPECT_EQ(toFloat.output.find("clipped"), std::string::npos) << toFloat.output;
    const Audio output = readAudio(path("float.wav"));
    EXPECT_TRUE(std::all_of(output.samples.begin(), output.samples.end(),
                            [](float sample) { return std::isfinite(sample); }));
    EXPECT_GT(*std::max_element(output.samples.begin(), output.samples.end()), 1.0f);

    writeAudio(path("tone.wav"), tone(20000), SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    const Result quiet = run("process " + path("tone.wav") + " " + path("tone.flac"));
    EXPECT_EQ(quiet.output.find("warning"), std::string::npos) << quiet.output;
}

TEST_F(Command, AFullDiskIsReportedForEveryFormatAndLeavesNothing) {
    writeAudio(path("in.wav"), noise(5 * 44100, 0.5f), SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    // A limit on the size of files fails writes as a full disk does, with a
    // reason of its own.
    const std::string limited = "ulimit -f 40; ";
    for (const char* name : {"out.wav", "out.flac", "out.ogg", "out.aiff"}) {
        const Result result = runShell(limited + ZINDRA_CLI_PATH + " process " + path("in.wav") +
                                       " " + path(name) + " --plugin " + ZINDRA_PLUGIN_PATH);
        EXPECT_EQ(result.status, 1) << name;
        EXPECT_NE(result.output.find(path(name) + ": cannot write: File too large"),
                  std::string::npos)
            << result.output;
        EXPECT_EQ(leftovers({"in.wav"}), std::vector<std::string>{});
    }
    const Result demo = runShell(limited + ZINDRA_CLI_PATH + " demo " + path("demo") +
                                 " --plugin " + ZINDRA_PLUGIN_PATH);
    EXPECT_EQ(demo.status, 1);
    EXPECT_NE(demo.output.find("00-mix.wav: cannot write: File too large"), std::string::npos)
        << demo.output;
    EXPECT_TRUE(fs::is_empty(folder / "demo"));

    // A disk that is really full, where the system lets a small one be made.
    const fs::path disk = folder / "disk";
    fs::create_directories(disk);
    if (std::system(
            ("mount -t tmpfs -o size=64k tmpfs " + disk.string() + " 2>/dev/null").c_str()) != 0)
        return;
    for (const char* name : {"out.wav", "out.flac", "out.ogg", "out.aiff"}) {
        const Result result = run("process " + path("in.wav") + " " + (disk / name).string());
        EXPECT_NE(result.output.find(name + std::string(": cannot write: No space left on device")),
                  std::string::npos)
            << result.output;
        EXPECT_TRUE(fs::is_empty(disk)) << name;
    }
    std::system(("umount " + disk.string()).c_str());
}

TEST_F(Command, VersionHelpAndSeveralAssignmentsAfterOneSet) {
    const std::string zindra = std::string(ZINDRA_CLI_PATH) + " ";
    const Result version = runShell(zindra + "--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.output.rfind("zindra 1.", 0), 0u) << version.output;
    const Result help = runShell(zindra + "help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("Usage: zindra [OPTIONS] SUBCOMMAND"), std::string::npos);
    EXPECT_NE(help.output.find("save-bank"), std::string::npos);
    const Result helpProcess = runShell(zindra + "help process");
    EXPECT_NE(helpProcess.output.find("Usage: zindra process [OPTIONS] IN OUT"), std::string::npos)
        << helpProcess.output;
    EXPECT_NE(helpProcess.output.find("one or more NAME=VALUE"), std::string::npos);
    const Result helpUnknown = runShell(zindra + "help mix");
    EXPECT_EQ(helpUnknown.status, 2);
    EXPECT_NE(helpUnknown.output.find("unknown command 'mix'"), std::string::npos);

    const Result params = run("params --set Center=0.5 'Zindra Mix=0.25' Isolate=1 --program 2");
    EXPECT_NE(params.output.find("Center         0.5       10000 Hz"), std::string::npos)
        << params.output;
    EXPECT_NE(params.output.find("Zindra Mix     0.25      25 %"), std::string::npos);
    EXPECT_NE(params.output.find("Isolate        1         on"), std::string::npos);
    // The file names after the pairs are no pairs.
    writeAudio(path("in.wav"), tone(5000), SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    const Result process =
        run("process --set Humidity=0.5 Width=0.5 " + path("in.wav") + " " + path("out.wav"));
    EXPECT_EQ(process.status, 0) << process.output;
    ASSERT_EQ(run("process " + path("in.wav") + " " + path("apart.wav") +
                  " --set Humidity=0.5 --set Width=0.5")
                  .status,
              0);
    EXPECT_EQ(readAudio(path("out.wav")).samples, readAudio(path("apart.wav")).samples);
}

TEST_F(Command, ParamsShowsTheEditorsReadingBesideTheHostsText) {
    const Result params = run("params --program 0");
    for (const char* line : {" 0  Center         0.215     4300 Hz   (host text: 0.22 %)",
                             " 1  Width          0.4       8000 Hz   (host text: 0.40 %)",
                             " 8  Stereolize!    1         on        (host text: 1.00 %)",
                             " 4  Humidity       1         100 %     (host text: 1.00 %)",
                             " 5  Hi-Res         0         off       (host text: 0.00 %)"})
        EXPECT_NE(params.output.find(line), std::string::npos) << line << "\n" << params.output;
}

TEST_F(Command, ReplacedFilesKeepTheirPermissions) {
    writeAudio(path("in.wav"), tone(5000), SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    for (const char* name : {"out.wav", "out.fxp"}) {
        std::ofstream(path(name)) << "old\n";
        fs::permissions(path(name),
                        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    }
    ASSERT_EQ(run("process " + path("in.wav") + " " + path("out.wav")).status, 0);
    ASSERT_EQ(run("save-preset " + path("out.fxp")).status, 0);
    for (const char* name : {"out.wav", "out.fxp"})
        EXPECT_EQ(fs::status(path(name)).permissions(),
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read)
            << name;
}

TEST_F(Command, PresetFilesLargerThanAnyBankAreRefusedUnread) {
    ASSERT_EQ(run("save-preset " + path("p.fxp")).status, 0);
    ASSERT_EQ(run("save-bank " + path("b.fxb")).status, 0);
    // Sparse: 300 MB of nothing after the preset costs no disk.
    fs::copy_file(path("p.fxp"), path("huge.fxp"));
    fs::resize_file(path("huge.fxp"), 300'000'000);
    const Result huge = run("params --preset " + path("huge.fxp"));
    EXPECT_EQ(huge.status, 1);
    EXPECT_NE(huge.output.find("huge.fxp: 300000000 bytes, more than any preset or bank of this "
                               "plug-in (3808 bytes at most)"),
              std::string::npos)
        << huge.output;
    // The largest valid file still loads.
    EXPECT_EQ(fs::file_size(path("b.fxb")), 3808u);
    EXPECT_EQ(run("params --bank " + path("b.fxb")).status, 0);
}
