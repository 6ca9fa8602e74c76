#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orbelquint {

// Doubles to and from decimal text in the C locale's form, whatever locale the process runs in.
// Where the standard library has std::from_chars and std::to_chars for doubles they do the work;
// where it lacks them (libc++ 14, which the web build and other platforms' compilers bring) the C
// library's functions do, which the tests prove equal to them.

// The double nearest to a decimal number written [-]d[.ddd]e[-]N; nullopt when it overflows or
// underflows to zero.
std::optional<double> ReadDouble(std::string_view text);

// The shortest decimal text that reads back as `value`, plain or with an exponent, whichever is
// shorter, without a leading blank ("7", "-3", "2.5", "1e+20").
std::string NumberText(double value);

// The C library's way to both, used where the standard library lacks its own.
std::optional<double> ReadDoubleWithC(std::string_view text);
std::string NumberTextWithC(double value);

}  // namespace orbelquint
