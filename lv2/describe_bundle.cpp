// Writes the bundle's Turtle files (the manifest, and for each effect its
// plug-in and UI description and its presets: EffectTurtle.h) from what
// each effect itself says. Run by the build, so that the description cannot
// drift from the code.
//
//   describe_bundle OUTPUT_DIR BINARY_NAME MINOR_VERSION MICRO_VERSION
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "core/FixedRateHooks.h"
#include "lv2/BundleEffects.h"
#include "lv2/EffectTurtle.h"
#include "lv2/turtle_text.h"

namespace {

bool write(const std::string& path, const std::string& contents) {
    std::ofstream file(path, std::ios::binary);
    file << contents;
    return static_cast<bool>(file);
}

// Writes the plug-in's and the presets' files of Effect into dir.
template <typename Effect>
bool describe(const std::string& dir, int minor, int micro) {
    using Turtle = lv2::EffectTurtle<Effect>;
    core::FixedRateHooks hooks;
    auto effect = std::make_unique<Effect>(hooks);
    if (!effect->ready()) {
        std::fprintf(stderr, "describe_bundle: no memory for the effect\n");
        return false;
    }
    Turtle described(*effect);
    const std::string plugin = described.plugin(minor, micro);
    const std::string presets = described.presets();
    for (const std::string& value : described.unreadableValues())
        std::fprintf(stderr, "describe_bundle: no port value gives %s\n", value.c_str());
    if (!described.unreadableValues().empty()) return false;
    if (!write(dir + "/" + Turtle::kDescription.pluginFile, plugin) ||
        !write(dir + "/" + Turtle::kDescription.presetsFile, presets)) {
        std::fprintf(stderr, "describe_bundle: cannot write into %s\n", dir.c_str());
        return false;
    }
    return true;
}

template <typename... Effects>
bool describeAll(lv2::EffectList<Effects...>, const std::string& dir, const std::string& binary,
                 int minor, int micro) {
    const std::string entries[] = {lv2::EffectTurtle<Effects>::manifestEntries(binary)...};
    std::string manifest = lv2::turtle::kPrefixes;
    for (size_t i = 0; i < std::size(entries); ++i) manifest += (i ? "\n" : "") + entries[i];
    if (!write(dir + "/manifest.ttl", manifest)) {
        std::fprintf(stderr, "describe_bundle: cannot write into %s\n", dir.c_str());
        return false;
    }
    return (describe<Effects>(dir, minor, micro) && ...);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: describe_bundle OUTPUT_DIR BINARY_NAME MINOR MICRO\n");
        return 2;
    }
    return describeAll(lv2::BundleEffects{}, argv[1], argv[2], std::stoi(argv[3]),
                       std::stoi(argv[4]))
               ? 0
               : 1;
}
