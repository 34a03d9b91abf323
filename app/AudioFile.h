// Audio files through libsndfile: WAV, FLAC, AIFF and OGG (Vorbis).
// Every failure is a std::runtime_error whose text names the file and the problem.
#pragma once

#include <cstdint>
#include <string>

struct sf_private_tag;
class TempOutput;

class AudioReader {
public:
    explicit AudioReader(const std::string& path);
    ~AudioReader();
    AudioReader(const AudioReader&) = delete;
    AudioReader& operator=(const AudioReader&) = delete;

    // The frames the file's header promises; read() may give fewer when
    // the file was cut short.
    int64_t frames() const { return frameCount; }
    int32_t sampleRate() const { return rate; }
    int32_t channels() const { return channelCount; }
    int32_t format() const { return fileFormat; }  // libsndfile's SF_FORMAT_* bits

    // Reads up to n frames, interleaved; returns how many were read.
    int64_t read(float* interleaved, int64_t n);

private:
    std::string path;
    sf_private_tag* file = nullptr;
    int64_t frameCount = 0;
    int32_t rate = 0;
    int32_t channelCount = 0;
    int32_t fileFormat = 0;
};

// Sample formats a user may ask for instead of the input's.
enum class SampleDepth { SameAsInput, Pcm16, Pcm24, Pcm32, Float };
SampleDepth parseSampleDepth(const std::string& text);  // "16", "24", "32", "float"

// The libsndfile format for writing outPath: the container from its extension
// (.wav, .flac, .aif/.aiff, .ogg), the sample format of the input where the
// container takes it, else the nearest the container offers.
int32_t outputFormatFor(const std::string& outPath, int32_t inputFormat, SampleDepth depth);

// Writes through a file descriptor of its own, so that a failure of the
// system (a full disk, a file-size limit) is reported in the system's words
// whatever the format: libsndfile's encoders lose the reason.
class AudioWriter {
public:
    // Writes to the output's temporary file; messages name the final one.
    AudioWriter(const TempOutput& output, int32_t format, int32_t sampleRate, int32_t channels);
    ~AudioWriter();
    AudioWriter(const AudioWriter&) = delete;
    AudioWriter& operator=(const AudioWriter&) = delete;

    void write(const float* interleaved, int64_t n);
    // Completes the file; throws when the data could not be written.
    void close();

    struct Sink {
        int fd = -1;
        int error = 0;  // errno of the first failed write
    };

private:
    [[noreturn]] void fail(const std::string& libraryMessage);

    std::string path;
    Sink sink;
    sf_private_tag* file = nullptr;
};
