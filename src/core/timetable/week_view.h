#pragma once

namespace orbelquint {

// How the week is shown, on screen and on paper: as the week page has it, one day under the other,
// or as a grid with the days side by side.
enum class WeekView { List, Grid };

}  // namespace orbelquint
