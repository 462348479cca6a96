#pragma once

namespace orb {

// A progress bar's value and maximum as the bars count them: in int, which a catalogue's rows
// or bytes can outgrow.
struct ProgressSteps {
    int value = 0;
    int maximum = 1;
    bool operator==(const ProgressSteps&) const = default;
};

// Scales `value` of `maximum` down so that both fit an int. The maximum is at least 1, so that
// nothing to do still shows a bar rather than a busy indicator; the value stays within
// 0 .. maximum.
ProgressSteps scaleProgress(long long value, long long maximum);

}  // namespace orb
