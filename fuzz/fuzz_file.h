#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace orbelquint::fuzz {

// The builder and the settings reader take file paths; each input is written to a file of this
// process in the temporary folder first.
inline std::filesystem::path WriteInput(const std::uint8_t* data, std::size_t size, const char* name) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("orbelquint-fuzz-" + std::to_string(getpid()) + "-" + name);
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (out != nullptr) {
        std::fwrite(data, 1, size, out);
        std::fclose(out);
    }
    return file;
}

}  // namespace orbelquint::fuzz
