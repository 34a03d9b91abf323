// The editor part of an instance of each effect, which its UI shows: an
// EditorPart (EditorPart.h) over the effect's reading controller and its
// window. An effect's UI is named by the UI's URI in its description.
//
// An editor part is built from the effect (still under construction then)
// and offers update() ([any thread] the effect's values changed) and
// show(index, value) ([ui thread] a 0..1 value the host shows).
#pragma once

#include "core/ZindraEffect.h"
#include "core/deep/DeepEffect.h"
#include "editor/DeepEditController.h"
#include "editor/ZindraEditController.h"
#include "lv2/EditorPart.h"
#include "lv2/PluginDescription.h"

namespace lv2 {

template <typename Effect>
struct EditorOf;

template <>
struct EditorOf<core::ZindraEffect> {
    using type =
        EditorPart<editor::ZindraEditController, core::ZindraEffect, editor::kZindraWindow>;
};

template <>
struct EditorOf<deep::DeepEffect> {
    using type = EditorPart<editor::DeepEditController, deep::DeepEffect, editor::kDeepWindow>;
};

}  // namespace lv2
