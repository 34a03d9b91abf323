#include "app/AudioFile.h"

#include <fcntl.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <stdexcept>

#include "app/SampleDataSize.h"
#include "app/TempOutput.h"

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

// Bytes per sample of the uncompressed sample formats, 0 for the others.
int32_t bytesPerSample(int32_t format) {
    switch (format & SF_FORMAT_SUBMASK) {
        case SF_FORMAT_PCM_S8:
        case SF_FORMAT_PCM_U8:
        case SF_FORMAT_ULAW:
        case SF_FORMAT_ALAW: return 1;
        case SF_FORMAT_PCM_16: return 2;
        case SF_FORMAT_PCM_24: return 3;
        case SF_FORMAT_PCM_32:
        case SF_FORMAT_FLOAT: return 4;
        case SF_FORMAT_DOUBLE: return 8;
        default: return 0;
    }
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
    // libsndfile counts the frames a cut WAV or AIFF file still holds; the
    // header says how many there should be.
    const int32_t sampleBytes = bytesPerSample(fileFormat);
    const auto data = sampleDataSize(path);
    if (data && sampleBytes > 0 && data->promised > data->present)
        frameCount = data->promised / (sampleBytes * channelCount);
}

AudioReader::~AudioReader() {
    if (file) sf_close(file);
}

int64_t AudioReader::read(float* interleaved, int64_t n) {
    const sf_count_t got = sf_readf_float(file, interleaved, n);
    if (got < n && sf_error(file) != SF_ERR_NO_ERROR)
        throw fileError(path, std::string("damaged or cut short: ") + sf_strerror(file));
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

namespace {

// libsndfile's file operations on the writer's descriptor; the first failure
// of a write keeps its errno.
using Sink = AudioWriter::Sink;

sf_count_t sinkLength(void* user) {
    struct stat info {};
    return fstat(static_cast<Sink*>(user)->fd, &info) == 0 ? info.st_size : -1;
}

sf_count_t sinkSeek(sf_count_t offset, int whence, void* user) {
    return lseek(static_cast<Sink*>(user)->fd, offset, whence);
}

sf_count_t sinkTell(void* user) { return lseek(static_cast<Sink*>(user)->fd, 0, SEEK_CUR); }

sf_count_t sinkRead(void* data, sf_count_t count, void* user) {
    auto* bytes = static_cast<char*>(data);
    sf_count_t done = 0;
    while (done < count) {
        const ssize_t got =
            ::read(static_cast<Sink*>(user)->fd, bytes + done, static_cast<size_t>(count - done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += got;
    }
    return done;
}

sf_count_t sinkWrite(const void* data, sf_count_t count, void* user) {
    auto* sink = static_cast<Sink*>(user);
    const auto* bytes = static_cast<const char*>(data);
    sf_count_t done = 0;
    while (done < count) {
        const ssize_t put = ::write(sink->fd, bytes + done, static_cast<size_t>(count - done));
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            if (sink->error == 0) sink->error = put < 0 ? errno : ENOSPC;
            break;
        }
        done += put;
    }
    return done;
}

SF_VIRTUAL_IO sinkOperations = {sinkLength, sinkSeek, sinkRead, sinkWrite, sinkTell};

}  // namespace

AudioWriter::AudioWriter(const TempOutput& output, int32_t format, int32_t sampleRate,
                         int32_t channels)
    : path(output.finalName()) {
    sink.fd = ::open(output.path().c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (sink.fd < 0) throw fileError(path, std::string("cannot write: ") + std::strerror(errno));
    SF_INFO info{};
    info.format = format;
    info.samplerate = sampleRate;
    info.channels = channels;
    file = sf_open_virtual(&sinkOperations, SFM_WRITE, &info, &sink);
    if (!file) fail(sf_strerror(nullptr));
    // Integer formats clip what lies beyond full scale instead of wrapping round.
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
}

AudioWriter::~AudioWriter() {
    if (file) sf_close(file);
    if (sink.fd >= 0) ::close(sink.fd);
}

void AudioWriter::fail(const std::string& libraryMessage) {
    throw fileError(
        path, "cannot write: " + (sink.error != 0 ? std::strerror(sink.error) : libraryMessage));
}

void AudioWriter::write(const float* interleaved, int64_t n) {
    if (sf_writef_float(file, interleaved, n) != n || sink.error != 0) fail(sf_strerror(file));
}

void AudioWriter::close() {
    if (!file) return;
    const int result = sf_close(file);
    file = nullptr;
    if (result != 0 || sink.error != 0) fail(sf_error_number(result));
    // A full disk may show only when the data reaches it.
    if (fsync(sink.fd) != 0 && errno != EINVAL) sink.error = errno;
    if (::close(sink.fd) != 0 && sink.error == 0) sink.error = errno;
    sink.fd = -1;
    if (sink.error != 0) fail("");
}
