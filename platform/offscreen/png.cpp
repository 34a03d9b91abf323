// PNG output of the offscreen back-end (snapshots and test evidence).
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <vector>

#include "platform/offscreen/OffscreenWindow.h"

namespace platform {

bool writePng(const std::string& path, const std::uint32_t* pixels, int width, int height,
              int stride) {
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    size_t i = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixels[y * stride + x];
            rgb[i++] = static_cast<unsigned char>(p >> 16);
            rgb[i++] = static_cast<unsigned char>(p >> 8);
            rgb[i++] = static_cast<unsigned char>(p);
        }
    return stbi_write_png(path.c_str(), width, height, 3, rgb.data(), width * 3) != 0;
}

}  // namespace platform
