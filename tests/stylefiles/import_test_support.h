#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
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

// Every row of KORFStyles and KORFBanks, with every column, in key order: two equal snapshots
// mean two equal catalogues.
std::string catalogueSnapshot(Database& connection);

struct BankRow {
    std::int32_t prog;
    std::string name;
    std::string desc;
    std::vector<std::int32_t> styles;
};
std::vector<BankRow> bankRows(Database& connection);
long long styleCount(Database& connection);

// The window's part, scripted: records what it is shown and answers the confirm dialog with
// `onConfirm` (which may change the boxes and fields and says whether "Import Selected Styles"
// was pressed).
class RecordingHooks : public ImportViewHooks {
public:
    void refresh() override { ++refreshes; }
    bool confirmStyles(StyleConfirmation& confirmation) override {
        shownConfirmations.push_back(confirmation);
        return onConfirm ? onConfirm(confirmation) : true;
    }
    void showLog(const std::string& log) override { shownLogs.push_back(log); }

    std::function<bool(StyleConfirmation&)> onConfirm;
    std::vector<StyleConfirmation> shownConfirmations;
    std::vector<std::string> shownLogs;
    int refreshes = 0;
};

}  // namespace orb::test
