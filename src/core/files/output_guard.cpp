#include "core/files/output_guard.h"

#include "core/reading/file_handle.h"

namespace orbelquint {

std::optional<std::filesystem::path> InputNamedBy(const std::filesystem::path& output,
                                                  std::span<const std::filesystem::path> inputs) {
    for (const std::filesystem::path& input : inputs) {
        if (IsSameFile(output, input)) return input;
    }
    return std::nullopt;
}

}  // namespace orbelquint
