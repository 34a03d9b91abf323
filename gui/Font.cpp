#include "gui/Font.h"

#include <cmath>
#include <map>
#include <mutex>
#include <tuple>

#define STB_TRUETYPE_IMPLEMENTATION
#define STBTT_STATIC
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wconversion"
#pragma GCC diagnostic ignored "-Wshadow"
#pragma GCC diagnostic ignored "-Wunused-function"
#endif
#include <stb/stb_truetype.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

extern const unsigned char font_sans[];
extern const unsigned char font_sans_bold[];
extern const unsigned char font_comic[];
extern const unsigned char font_comic_bold[];

namespace gui {
namespace {

struct Face {
    stbtt_fontinfo info{};
    bool ok = false;
};

// Editor windows may live on different threads of a host; the faces and the
// glyph cache are shared, so they are guarded.
std::mutex& cacheMutex() {
    static std::mutex m;
    return m;
}

const Face& faceOf(const Font& font) {
    static Face faces[4];
    static std::once_flag once;
    std::call_once(once, [] {
        const unsigned char* data[4] = {font_sans, font_sans_bold, font_comic, font_comic_bold};
        for (int i = 0; i < 4; ++i)
            faces[i].ok = stbtt_InitFont(&faces[i].info, data[i],
                                         stbtt_GetFontOffsetForIndex(data[i], 0)) != 0;
    });
    const int base = font.family == FontFamily::ComicSansMS ? 2 : 0;
    return faces[base + (font.bold ? 1 : 0)];
}

float scaleOf(const Face& face, const Font& font) {
    const float size = static_cast<float>(font.size > 0 ? font.size : 1);
    return font.heightKind == FontHeight::Cell ? stbtt_ScaleForPixelHeight(&face.info, size)
                                               : stbtt_ScaleForMappingEmToPixels(&face.info, size);
}

}  // namespace

FontMetrics metricsOf(const Font& font) {
    const Face& face = faceOf(font);
    if (!face.ok) return {font.size, 0};
    int ascent = 0, descent = 0, gap = 0;
    stbtt_GetFontVMetrics(&face.info, &ascent, &descent, &gap);
    const float scale = scaleOf(face, font);
    return {static_cast<int>(std::lround(static_cast<float>(ascent) * scale)),
            static_cast<int>(std::lround(static_cast<float>(-descent) * scale))};
}

const Glyph& glyphOf(const Font& font, unsigned char ch) {
    using Key = std::tuple<int, bool, int, int, unsigned char>;
    static std::map<Key, Glyph> cache;
    const std::lock_guard<std::mutex> lock(cacheMutex());
    const Key key{static_cast<int>(font.family), font.bold, font.size,
                  static_cast<int>(font.heightKind), ch};
    auto found = cache.find(key);
    if (found != cache.end()) return found->second;

    Glyph glyph;
    const Face& face = faceOf(font);
    if (face.ok) {
        const float scale = scaleOf(face, font);
        int advance = 0, bearing = 0;
        stbtt_GetCodepointHMetrics(&face.info, ch, &advance, &bearing);
        glyph.advance = static_cast<float>(advance) * scale;
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        stbtt_GetCodepointBitmapBox(&face.info, ch, scale, scale, &x0, &y0, &x1, &y1);
        glyph.left = x0;
        glyph.top = y0;
        glyph.width = x1 - x0;
        glyph.height = y1 - y0;
        if (glyph.width > 0 && glyph.height > 0) {
            glyph.coverage.resize(static_cast<size_t>(glyph.width * glyph.height));
            stbtt_MakeCodepointBitmap(&face.info, glyph.coverage.data(), glyph.width, glyph.height,
                                      glyph.width, scale, scale, ch);
        }
    }
    return cache.emplace(key, std::move(glyph)).first->second;
}

float kerningOf(const Font& font, unsigned char left, unsigned char right) {
    const Face& face = faceOf(font);
    if (!face.ok) return 0;
    return static_cast<float>(stbtt_GetCodepointKernAdvance(&face.info, left, right)) *
           scaleOf(face, font);
}

}  // namespace gui
