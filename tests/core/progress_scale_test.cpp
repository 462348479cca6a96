#include <gtest/gtest.h>

#include "core/progress_scale.h"

namespace orb {
namespace {

TEST(ProgressScale, FitsIntKeepsABarAndStaysInRange) {
    EXPECT_EQ(scaleProgress(7, 40), (ProgressSteps{7, 40}));
    EXPECT_EQ(scaleProgress(1'000'000'000LL, 1'000'000'000LL),
              (ProgressSteps{1'000'000'000, 1'000'000'000}));
    // Beyond a thousand million both are divided by the same whole factor.
    EXPECT_EQ(scaleProgress(3'000'000'000LL, 6'000'000'000LL),
              (ProgressSteps{428'571'428, 857'142'857}));
    // Nothing to do still shows a bar; a value outside the range is held at its ends.
    EXPECT_EQ(scaleProgress(0, 0), (ProgressSteps{0, 1}));
    EXPECT_EQ(scaleProgress(5, 3), (ProgressSteps{3, 3}));
    EXPECT_EQ(scaleProgress(-2, 3), (ProgressSteps{0, 3}));
}

}  // namespace
}  // namespace orb
