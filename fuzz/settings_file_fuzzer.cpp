// The settings file reader over any file content: it restores or starts afresh, never more.
#include "core/files/settings_file.h"
#include "fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const orbelquint::SettingsLoad load =
        orbelquint::LoadSettings(orbelquint::fuzz::WriteInput(data, size, "prev.ini"));
    if (load.kind == orbelquint::SettingsLoad::Kind::Unusable) __builtin_trap();
    if (load.kind == orbelquint::SettingsLoad::Kind::FirstStart && size != 0) __builtin_trap();
    if (load.settings.series && *load.settings.series == 0) __builtin_trap();
    return 0;
}
