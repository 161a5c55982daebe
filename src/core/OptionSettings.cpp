#include "core/OptionSettings.h"

#include <cmath>
#include <limits>

namespace plimset {

float MaxTimeValue(qint16 maxLength, qint16 timeSeparator) {
    if (timeSeparator == 1 && maxLength == 8) {
        return 6000.0f;
    }
    // What single precision cannot hold is no limit.
    const double value = std::pow(10.0, maxLength - 3);
    if (!std::isfinite(value) || value > std::numeric_limits<float>::max()) {
        return std::numeric_limits<float>::max();
    }
    return static_cast<float>(value);
}

} // namespace plimset
