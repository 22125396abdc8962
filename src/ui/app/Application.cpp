#include "app/Application.h"

namespace kavelo::ui {
bool createAllWindows() { return true; }
}  // namespace kavelo::ui
