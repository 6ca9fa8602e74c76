#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>

namespace orbelquint {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// A C file that closes itself; empty when the file could not be opened.
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

inline FileHandle OpenForReading(const std::filesystem::path& file) {
    return FileHandle(std::fopen(file.c_str(), "rb"));
}

}  // namespace orbelquint
