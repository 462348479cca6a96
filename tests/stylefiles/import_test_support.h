#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "db/database.h"
#include "stylefiles/style_confirmation.h"
#include "stylefiles/style_import.h"

namespace orb::test {

// A bank file of `count` styles in slots 0..count-1, named NAME1, NAME2 ... after `prefix`, with
// contents made from `seed` (the same prefix and seed give the same bytes).
std::string bankFile(const std::string& prefix, int count, std::uint32_t seed, int bank = 0);
// The first and second block of style `index` (from 0) of such a file.
std::string firstBlock(std::uint32_t seed, int index);
std::string secondBlock(std::uint32_t seed, int index);

long long styleCount(Database& connection);

// The windows the import opens, scripted: records what they are shown and answers the confirm
// dialog with `onConfirm` (by default: every listed style with the values as shown).
class RecordingWindows : public ImportWindows {
public:
    std::optional<StyleSelection> confirmStyles(StyleConfirmation& confirmation) override {
        shownConfirmations.push_back(confirmation);
        return onConfirm ? onConfirm(confirmation)
                         : StyleSelection{confirmation.checked(), confirmation.values()};
    }
    void showLog(const std::string& log) override { shownLogs.push_back(log); }

    std::function<std::optional<StyleSelection>(StyleConfirmation&)> onConfirm;
    std::vector<StyleConfirmation> shownConfirmations;
    std::vector<std::string> shownLogs;
};

}  // namespace orb::test
