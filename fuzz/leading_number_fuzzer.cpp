// The leading-number rule over any text: never NaN, the shortest text of the number reads back as
// the same number, and the C library's shortest text is the same.
#include <cmath>
#include <string_view>

#include "core/text/float_text.h"
#include "core/text/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = orbelquint::LeadingNumber(text);
    if (std::isnan(value)) __builtin_trap();
    if (std::isfinite(value) && orbelquint::LeadingNumber(orbelquint::NumberText(value)) != value)
        __builtin_trap();
    if (orbelquint::NumberText(value) != orbelquint::NumberTextWithC(value)) __builtin_trap();
    if (const auto rounded = orbelquint::RoundToInt16(value); rounded && std::fabs(*rounded - value) > 0.5) {
        __builtin_trap();
    }
    return 0;
}
