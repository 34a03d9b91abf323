#include "app/AudioFile.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <stdexcept>

namespace {

std::runtime_error fileError(const std::string& path, const std::string& what) {
    return std::runtime_error(path + ": " + what);
}

std::string lowerExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

int32_t depthFormat(SampleDepth depth) {
    switch (depth) {
        case SampleDepth::Pcm16: return SF_FORMAT_PCM_16;
        case SampleDepth::Pcm24: return SF_FORMAT_PCM_24;
        case SampleDepth::Pcm32: return SF_FORMAT_PCM_32;
        case SampleDepth::Float: return SF_FORMAT_FLOAT;
        case SampleDepth::SameAsInput: break;
    }
    return 0;
}

bool valid(int32_t format, int32_t channels) {
    SF_INFO info{};
    info.format = format;
    info.channels = channels;
    info.samplerate = 44100;
    return sf_format_check(&info) != 0;
}

}  // namespace

AudioReader::AudioReader(const std::string& filePath) : path(filePath) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) throw fileError(path, "no such file");
    if (std::filesystem::is_directory(path, error))
        throw fileError(path, "is a folder, not an audio file");
    SF_INFO info{};
    file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) {
        const int code = sf_error(nullptr);
        if (code == SF_ERR_UNRECOGNISED_FORMAT || code == SF_ERR_MALFORMED_FILE ||
            code == SF_ERR_UNSUPPORTED_ENCODING)
            throw fileError(path, "not a readable WAV, FLAC, AIFF or OGG file (" +
                                      std::string(sf_error_number(code)) + ")");
        throw fileError(path, std::string("cannot read: ") + sf_strerror(nullptr));
    }
    frameCount = info.frames;
    rate = info.samplerate;
    channelCount = info.channels;
    fileFormat = info.format;
    if (channelCount < 1 || channelCount > 2) {
        sf_close(file);
        file = nullptr;
        throw fileError(
            path, std::to_string(channelCount) + " channels; Zindra takes mono or stereo files");
    }
    if (rate <= 0) {
        sf_close(file);
        file = nullptr;
        throw fileError(path, "no valid sample rate");
    }
}

AudioReader::~AudioReader() {
    if (file) sf_close(file);
}

int64_t AudioReader::read(float* interleaved, int64_t n) {
    const sf_count_t got = sf_readf_float(file, interleaved, n);
    if (got < n && sf_error(file) != SF_ERR_NO_ERROR)
        throw fileError(path, std::string("read error: ") + sf_strerror(file));
    return got;
}

SampleDepth parseSampleDepth(const std::string& text) {
    if (text == "16") return SampleDepth::Pcm16;
    if (text == "24") return SampleDepth::Pcm24;
    if (text == "32") return SampleDepth::Pcm32;
    if (text == "float") return SampleDepth::Float;
    throw std::runtime_error("--bits " + text + ": use 16, 24, 32 or float");
}

int32_t outputFormatFor(const std::string& outPath, int32_t inputFormat, SampleDepth depth) {
    const std::string ext = lowerExtension(outPath);
    int32_t major = 0;
    int32_t fallback = SF_FORMAT_PCM_16;
    if (ext == ".wav") {
        major = SF_FORMAT_WAV;
    } else if (ext == ".flac") {
        major = SF_FORMAT_FLAC;
        fallback = SF_FORMAT_PCM_24;
    } else if (ext == ".aif" || ext == ".aiff") {
        major = SF_FORMAT_AIFF;
    } else if (ext == ".ogg") {
        major = SF_FORMAT_OGG;
        fallback = SF_FORMAT_VORBIS;
    } else {
        throw fileError(outPath, "unsupported output format '" + ext +
                                     "' (use .wav, .flac, .aif, .aiff or .ogg)");
    }
    if (depth != SampleDepth::SameAsInput) {
        const int32_t asked = major | depthFormat(depth);
        if (!valid(asked, 2))
            throw fileError(outPath, "this format cannot hold the asked sample format");
        return asked;
    }
    const int32_t same = major | (inputFormat & SF_FORMAT_SUBMASK);
    return valid(same, 2) ? same : (major | fallback);
}

AudioWriter::AudioWriter(const std::string& filePath, int32_t format, int32_t sampleRate,
                         int32_t channels)
    : path(filePath) {
    SF_INFO info{};
    info.format = format;
    info.samplerate = sampleRate;
    info.channels = channels;
    file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) throw fileError(path, std::string("cannot write: ") + sf_strerror(nullptr));
    // Integer formats clip what lies beyond full scale instead of wrapping round.
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
}

AudioWriter::~AudioWriter() {
    if (file) sf_close(file);
}

void AudioWriter::write(const float* interleaved, int64_t n) {
    if (sf_writef_float(file, interleaved, n) != n)
        throw fileError(path, std::string("write error: ") + sf_strerror(file));
}

void AudioWriter::close() {
    if (!file) return;
    sf_write_sync(file);
    const int result = sf_close(file);
    file = nullptr;
    if (result != 0) throw fileError(path, std::string("write error: ") + sf_error_number(result));
}
