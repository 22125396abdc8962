#include "statistics/Probability.h"

#include <cmath>

namespace kavelo {

const std::array<double, 14> probabilityTicks = {0.1, 0.2, 0.3, 0.4, 0.5,  0.6,   0.7,
                                                 0.8, 0.9, 0.95, 0.98, 0.99, 0.995, 0.998};

std::optional<double> gumbelVariate(double F) {
    if (!(F > 0.0 && F < 1.0)) return std::nullopt;
    return -std::log(-std::log(F));
}

}  // namespace kavelo
