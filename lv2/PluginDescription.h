// What the bundle says of one effect beyond its own table: the URIs hosts and
// saved sessions know it by, its Turtle files, and how its control ports
// carry values. Each effect's is a specialisation of DescriptionOf
// (ZindraDescription.h, DeepDescription.h); BundleEffects.h lists them.
#pragma once

#include <cstddef>
#include <iterator>
#include <string_view>

#include "core/ParameterTable.h"

namespace lv2 {

struct PluginDescription {
    const char* uri;
    // The X11 UI, or null for an effect without an editor.
    const char* uiUri;
    // Keys of the saved state: the bank chunk and the current program.
    const char* bankKey;
    const char* programKey;
    // The plug-in's Turtle file and its presets' file, in the bundle.
    const char* pluginFile;
    const char* presetsFile;
    // False: a control port holds the 0..1 value every format sets (and the
    // port has no unit). True: it holds the value in the unit of the row's
    // readout (0 to 60 dB, 0 to 100 %), with that unit.
    bool portsInUnits;
};

// Specialised for every effect the bundle holds: a member
// `static constexpr PluginDescription kDescription`.
template <typename Effect>
struct DescriptionOf;

// The symbols saved sessions and presets name an effect's ports by: a
// parameter may be added, never renamed. True when the table still starts
// with them.
template <size_t N>
constexpr bool symbolsArePublished(core::ParameterTable table, const char* const (&published)[N]) {
    if (N > table.size()) return false;
    for (size_t i = 0; i < N; ++i)
        if (std::string_view(table[i].symbol) != published[i]) return false;
    return true;
}

}  // namespace lv2
