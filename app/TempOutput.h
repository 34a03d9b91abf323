// An output file that appears only when it is complete: everything is
// written to a temporary file in the same folder, which commit() renames
// over the final name, keeping the permissions of a file it replaces.
// Without commit() the temporary file is removed.
#pragma once

#include <string>

class TempOutput {
public:
    explicit TempOutput(std::string finalPath);
    ~TempOutput();
    TempOutput(const TempOutput&) = delete;
    TempOutput& operator=(const TempOutput&) = delete;

    const std::string& path() const { return tempPath; }
    const std::string& finalName() const { return finalPath; }
    void commit();

private:
    std::string finalPath;
    std::string tempPath;
    bool committed = false;
};

// Writes bytes to path through a TempOutput.
void writeFileAtomically(const std::string& path, const void* data, size_t size);
