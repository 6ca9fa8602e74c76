#pragma once

#include <string_view>

namespace orbelquint {

// The bytes of data/def.dat, compiled in by the build.
std::string_view BuiltInPageTemplateBytes();

}  // namespace orbelquint
