#pragma once

namespace kavelo::ui {
// Creates the windows once (the 25, then the analysis window), in their fixed order. False when start-up must end.
bool createAllWindows();
}  // namespace kavelo::ui
