// `zindra-render-raw`: the command's hosting code on its own, for systems
// where the command itself is not built (Windows). It runs a raw file of
// interleaved stereo 32-bit little-endian floats through a plug-in library,
// aligned exactly as `zindra process` aligns it, so that the results of
// different builds of the plug-in can be compared sample by sample.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/AlignedRenderer.h"
#include "app/HostedPlugin.h"

namespace {

std::vector<float> readRaw(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) throw std::runtime_error(path + ": cannot read");
    std::vector<float> samples;
    float buffer[4096];
    for (size_t got; (got = std::fread(buffer, sizeof(float), 4096, file)) > 0;)
        samples.insert(samples.end(), buffer, buffer + got);
    std::fclose(file);
    if (samples.size() % 2) throw std::runtime_error(path + ": not whole stereo frames");
    return samples;
}

void writeRaw(const std::string& path, const std::vector<float>& samples) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) throw std::runtime_error(path + ": cannot write");
    const bool written =
        std::fwrite(samples.data(), sizeof(float), samples.size(), file) == samples.size();
    if (std::fclose(file) != 0 || !written) throw std::runtime_error(path + ": write error");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 6) {
        std::fprintf(stderr,
                     "usage: zindra-render-raw PLUGIN IN.raw OUT.raw RATE PROGRAM [BLOCK "
                     "[INDEX=VALUE ...]]\n"
                     "  IN and OUT hold interleaved stereo 32-bit little-endian floats\n");
        return 2;
    }
    try {
        const std::vector<float> input = readRaw(argv[2]);
        const auto rate = static_cast<float>(std::atof(argv[4]));
        const int32_t blockSize = argc > 6 ? std::atoi(argv[6]) : 1024;
        if (rate <= 0.0f || blockSize < 1)
            throw std::runtime_error("bad sample rate or block size");
        HostedPlugin plugin(argv[1], rate);
        plugin.setProgram(std::atoi(argv[5]));
        for (int i = 7; i < argc; ++i) {
            const std::string assignment = argv[i];
            const size_t equals = assignment.find('=');
            if (equals == std::string::npos)
                throw std::runtime_error(assignment + ": write INDEX=VALUE");
            plugin.setParameter(
                std::atoi(assignment.substr(0, equals).c_str()),
                static_cast<float>(std::atof(assignment.substr(equals + 1).c_str())));
        }
        plugin.start(blockSize);

        const size_t frames = input.size() / 2;
        std::vector<float> left(frames), right(frames), output;
        for (size_t i = 0; i < frames; ++i) {
            left[i] = input[2 * i];
            right[i] = input[2 * i + 1];
        }
        AlignedRenderer renderer(plugin, blockSize, [&](const float* l, const float* r, int32_t n) {
            for (int32_t i = 0; i < n; ++i) {
                output.push_back(l[i]);
                output.push_back(r[i]);
            }
        });
        renderer.feed(left.data(), right.data(), static_cast<int64_t>(frames));
        renderer.finish();
        writeRaw(argv[3], output);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zindra-render-raw: %s\n", error.what());
        return 1;
    }
}
