// The editor with the live spectrum of an audio file (WAV, FLAC, AIFF, OGG;
// mono plays on both channels), for pictures of Zindra at work on real music.
//   editor_snapshot_of_file AUDIO FOLDER   writes editor-main.png and editor-about.png
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "app/AudioFile.h"
#include "editor_pictures.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: editor_snapshot_of_file AUDIO FOLDER\n");
        return 2;
    }
    try {
        AudioReader reader(argv[1]);
        const int channels = reader.channels();
        std::vector<float> interleaved(static_cast<size_t>(reader.frames()) * channels);
        const auto frames = static_cast<size_t>(reader.read(interleaved.data(), reader.frames()));
        std::vector<float> left(frames), right(frames);
        for (size_t i = 0; i < frames; ++i) {
            left[i] = interleaved[i * channels];
            right[i] = interleaved[i * channels + (channels > 1 ? 1 : 0)];
        }
        if (!writeEditorPictures(argv[2], left, right, reader.sampleRate())) {
            std::fprintf(stderr, "editor_snapshot_of_file: cannot write the pictures into %s\n",
                         argv[2]);
            return 1;
        }
        std::printf("editor snapshots written\n");
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "editor_snapshot_of_file: %s\n", error.what());
        return 1;
    }
}
