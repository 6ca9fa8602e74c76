#pragma once

#include <optional>

namespace orbelquint {

// A size in twips: 1/1440 inch, 15 twips to a pixel at 96 dots per inch.
struct TwipsSize {
    float width = 0;
    float height = 0;
};

inline constexpr float kTwipsPerPixel = 15;

// The browser's size in a viewer window of the given outer size, or nullopt when the window is
// too small (below 1000 twips either way) and the browser keeps its size.
inline std::optional<TwipsSize> BrowserSizeFor(TwipsSize window) {
    if (window.width < 1000 || window.height < 1000) return std::nullopt;
    return TwipsSize{window.width - 400, window.height - 800};
}

}  // namespace orbelquint
