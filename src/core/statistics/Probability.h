#pragma once
// Double-exponential (Gumbel) probability paper.

#include <array>
#include <optional>

namespace kavelo {

// Probability values marked on the scale of the probability graph.
extern const std::array<double, 14> probabilityTicks;

// Reduced variate -ln(-ln F) for 0 < F < 1; no value outside that interval.
std::optional<double> gumbelVariate(double F);

}  // namespace kavelo
