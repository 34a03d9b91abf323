// Whole-file writes that never leave a half-written file behind.
#pragma once

#include <string>

namespace platform {

// Replaces the content of the file at `path` (creating it if needed) with
// `bytes`. The bytes go to a fresh file in the same folder first, which then
// takes the place of the old one, so that a failure at any step leaves the
// old file as it was and no partial file. On failure returns false and says
// why in `error`.
bool replaceFile(const std::string& path, const std::string& bytes, std::string& error);

}  // namespace platform
