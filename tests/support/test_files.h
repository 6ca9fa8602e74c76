#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace orbelquint::test_support {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // Writes `bytes` to the file `name` in this folder and returns its path.
    std::filesystem::path Write(const std::string& name, std::string_view bytes) const;

  private:
    std::filesystem::path path_;
};

// `size` bytes of `c`, for files far larger than any real one.
std::string Filler(std::size_t size, char c);

// The whole content of a file; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& file);

// The shipped sample data file and page template.
std::filesystem::path SampleDataFile();
std::filesystem::path ShippedTemplateFile();

}  // namespace orbelquint::test_support
