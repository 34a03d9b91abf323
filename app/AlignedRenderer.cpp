#include "app/AlignedRenderer.h"

#include <algorithm>

#include "app/HostedPlugin.h"

AlignedRenderer::AlignedRenderer(HostedPlugin& hosted, int32_t block, Sink output)
    : plugin(hosted),
      blockSize(block),
      sink(std::move(output)),
      toSkip(std::max(hosted.latency(), 0)),
      inL(block),
      inR(block),
      outL(block),
      outR(block) {}

void AlignedRenderer::feed(const float* left, const float* right, int64_t n) {
    while (n > 0) {
        const auto count = static_cast<int32_t>(std::min<int64_t>(n, blockSize));
        processBlock(left, right, count);
        left += count;
        right += count;
        n -= count;
    }
}

void AlignedRenderer::finish() {
    const std::vector<float> silence(blockSize, 0.0f);
    int64_t remaining = std::max(plugin.latency(), 0);
    while (remaining > 0) {
        const auto count = static_cast<int32_t>(std::min<int64_t>(remaining, blockSize));
        processBlock(silence.data(), silence.data(), count);
        remaining -= count;
    }
}

void AlignedRenderer::processBlock(const float* left, const float* right, int32_t n) {
    // The effect gets buffers of its own: it may write its outputs in place.
    std::copy_n(left, n, inL.data());
    std::copy_n(right, n, inR.data());
    float* inputs[2] = {inL.data(), inR.data()};
    float* outputs[2] = {outL.data(), outR.data()};
    std::fill_n(outL.data(), n, 0.0f);
    std::fill_n(outR.data(), n, 0.0f);
    plugin.process(inputs, outputs, n);
    const auto skip = static_cast<int32_t>(std::min<int64_t>(toSkip, n));
    toSkip -= skip;
    if (skip < n) sink(outL.data() + skip, outR.data() + skip, n - skip);
}
