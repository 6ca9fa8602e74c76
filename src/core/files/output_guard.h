#pragma once

#include <filesystem>
#include <optional>
#include <span>

namespace orbelquint {

// The one of `inputs` (the data file, the template, the week page shown) that `output` names, by
// any name or link: writing there would destroy what the page is made from. nullopt when `output`
// may be written. Callers say it in their own words.
std::optional<std::filesystem::path> InputNamedBy(const std::filesystem::path& output,
                                                  std::span<const std::filesystem::path> inputs);

}  // namespace orbelquint
