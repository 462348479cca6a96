#include "core/progress_scale.h"

#include <algorithm>

namespace orb {

ProgressSteps scaleProgress(long long value, long long maximum) {
    constexpr long long kLargest = 1'000'000'000LL;
    const long long top = std::max(1LL, maximum);
    const long long scale = top > kLargest ? top / kLargest + 1 : 1;
    const long long done = std::clamp(value, 0LL, top);
    return {static_cast<int>(done / scale), static_cast<int>(std::max(1LL, top / scale))};
}

}  // namespace orb
