#include "app/TempOutput.h"

#include <cstdio>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

TempOutput::TempOutput(std::string path) : finalPath(std::move(path)) {
    const fs::path target(finalPath);
    std::error_code error;
    if (target.filename().empty()) throw std::runtime_error(finalPath + ": not a file name");
    if (fs::is_directory(target, error)) throw std::runtime_error(finalPath + ": is a folder");
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    if (!fs::is_directory(folder, error))
        throw std::runtime_error(finalPath + ": the folder " + folder.string() + " does not exist");
    std::random_device random;
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%08x.part", static_cast<unsigned>(random()));
    tempPath = (folder / ("." + target.filename().string() + suffix)).string();
}

TempOutput::~TempOutput() {
    if (!committed) {
        std::error_code ignored;
        fs::remove(tempPath, ignored);
    }
}

void TempOutput::commit() {
    std::error_code error;
    // A file that is replaced keeps its permissions; a new one has those
    // the user's umask gives.
    const fs::file_status previous = fs::status(finalPath, error);
    if (!error && fs::is_regular_file(previous))
        fs::permissions(tempPath, previous.permissions(), error);
    fs::rename(tempPath, finalPath, error);
    if (error) throw std::runtime_error(finalPath + ": cannot write (" + error.message() + ")");
    committed = true;
}

void writeFileAtomically(const std::string& path, const void* data, size_t size) {
    TempOutput output(path);
    std::FILE* file = std::fopen(output.path().c_str(), "wb");
    if (!file) throw std::runtime_error(path + ": cannot write");
    const bool written = std::fwrite(data, 1, size, file) == size;
    if (std::fclose(file) != 0 || !written) throw std::runtime_error(path + ": write error");
    output.commit();
}
