#pragma once

#include <QString>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

#include "core/files/week_page_session.h"

namespace orbelquint {

// Why the page shown cannot be had for `use` ("op te slaan", "af te drukken"): there is none yet,
// or the page of `week` could not be made. nullopt when it can.
std::optional<QString> PageRefusal(const WeekPageSession& page, std::int16_t week, const char* use);

// Why the page shown cannot be saved as a copy named `name` (UTF-8): it lives in memory only, it
// cannot be had, or the name is too long or not a plain file name. nullopt when it can.
std::optional<QString> CopyRefusal(const WeekPageSession& page, std::int16_t week, std::string_view name);

// Why nothing may be written to `target`: it is one of `inputs`, the files the page is made from.
// nullopt when it may.
std::optional<QString> OverwriteRefusal(const std::filesystem::path& target,
                                        std::span<const std::filesystem::path> inputs);

}  // namespace orbelquint
