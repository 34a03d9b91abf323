// Pictures of the editor as a host shows it, with the live spectrum of the
// given stereo audio run through "Vocal Out - Mode 1": the bridge hands the
// spectra to the window and one tick draws them. Writes editor-main.png and
// editor-about.png into folder; false when they cannot be written.
#pragma once

#include <string>
#include <vector>

bool writeEditorPictures(const std::string& folder, const std::vector<float>& left,
                         const std::vector<float>& right, int sampleRate);
