#pragma once

#include <cmath>

namespace brivane {

// Rounds to two decimal places, halves to the even neighbour (the default rounding
// mode), in extended precision so that values such as 1023.999... round up cleanly.
inline long double RoundToHundredths(long double aValue) {
    return std::nearbyint(aValue * 100.0L) / 100.0L;
}

} // namespace brivane
