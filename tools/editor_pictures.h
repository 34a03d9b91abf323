// Pictures of the editors as a host shows them, with the live spectrum of the
// given stereo audio run through Zindra's "Vocal Out - Mode 1" and Zindra
// Deep's "Deep Removal": the bridge hands the spectra to the window and one
// tick draws them. Writes editor-main.png, editor-about.png, deep-editor-main.png
// and deep-editor-about.png into folder; false when they cannot be written.
#pragma once

#include <string>
#include <vector>

bool writeEditorPictures(const std::string& folder, const std::vector<float>& left,
                         const std::vector<float>& right, int sampleRate);
