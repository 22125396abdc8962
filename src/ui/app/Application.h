#pragma once

namespace kavelo::ui {
// Creates the 25 windows once, in their fixed order. False when start-up must end.
bool createAllWindows();
}  // namespace kavelo::ui
