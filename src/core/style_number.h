#pragma once

#include <compare>
#include <cstdint>

namespace orb {

// A style's number in the catalogue (its key), kept apart from slot positions and counts.
struct StyleNumber {
    std::int32_t value = 0;

    auto operator<=>(const StyleNumber&) const = default;
};

}  // namespace orb
