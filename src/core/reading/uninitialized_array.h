#pragma once

#include <cstddef>
#include <memory>
#include <version>

namespace orbelquint {

// An array whose elements start uninitialised, for buffers that are written before they are read:
// std::make_unique_for_overwrite, or its equal where the standard library lacks it (libc++ 14).
template <class T>
std::unique_ptr<T[]> UninitializedArray(std::size_t count) {
#if defined(__cpp_lib_smart_ptr_for_overwrite)
    return std::make_unique_for_overwrite<T[]>(count);
#else
    return std::unique_ptr<T[]>(new T[count]);  // default-initialised, as above
#endif
}

}  // namespace orbelquint
