#include "support/test_files.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace orbelquint::test_support {

TempDir::TempDir() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() / ("orbelquint-test-" + std::to_string(random()));
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempDir::Write(const std::string& name, std::string_view bytes) const {
    std::filesystem::path file = path_ / name;
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
    return file;
}

std::string Filler(std::size_t size, char c) {
    return std::string(size, c);
}

std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::filesystem::path SampleDataFile() {
    return std::filesystem::path(ORBELQUINT_DATA_DIR) / "voorbeeld.htm";
}
std::filesystem::path ShippedTemplateFile() {
    return std::filesystem::path(ORBELQUINT_DATA_DIR) / "def.dat";
}

}  // namespace orbelquint::test_support
