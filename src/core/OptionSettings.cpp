#include "core/OptionSettings.h"

#include <cmath>
#include <limits>

namespace plimset {

Seconds LargestTime(int displayLength, TimeSeparator separator) {
    if (separator == TimeSeparator::Colon && displayLength == 8) {
        return TimeValueDuration(6000.0f);
    }
    // What single precision cannot hold is no limit.
    const double value = std::pow(10.0, displayLength - 3);
    if (!std::isfinite(value) || value > std::numeric_limits<float>::max()) {
        return TimeValueDuration(std::numeric_limits<float>::max());
    }
    return TimeValueDuration(static_cast<float>(value));
}

} // namespace plimset
