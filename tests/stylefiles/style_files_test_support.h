#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "db/database.h"
#include "db/style_store.h"
#include "stylefiles/ssf_export.h"
#include "stylefiles/style_confirmation.h"
#include "stylefiles/style_import.h"
#include "support/query_column.h"
#include "support/sty_file_builder.h"

namespace orb::test {

// The first and second block of style `index` (from 0) of a bank file made by `bankFile`.
inline std::string firstBlock(std::uint32_t seed, int index) {
    return makeChunk(200 + static_cast<std::size_t>(index) * 7,
                     seed * 100 + static_cast<std::uint32_t>(index));
}
inline std::string secondBlock(std::uint32_t seed, int index) {
    return makeChunk(30 + static_cast<std::size_t>(index),
                     seed * 100 + 50 + static_cast<std::uint32_t>(index));
}

// A bank file of `count` styles in slots 0..count-1, named NAME1, NAME2 ... after `prefix`, with
// contents made from `seed` (the same prefix and seed give the same bytes).
inline std::string bankFile(const std::string& prefix, int count, std::uint32_t seed,
                            int bank = 0) {
    StyFileBuilder builder;
    for (int i = 0; i < count; ++i) {
        const std::string name = prefix + std::to_string(i + 1);
        builder.style(i, name, firstBlock(seed, i), name + "B", secondBlock(seed, i), bank);
    }
    return builder.bytes();
}

inline long long styleCount(Database& connection) {
    return rowCount(connection, "KORFStyles");
}

// The stored style `prog`; a missing one fails the test.
inline StyleRow storedStyle(Database& connection, std::int32_t prog) {
    const std::optional<StyleRow> style = StyleStore(connection).find(prog);
    EXPECT_TRUE(style.has_value()) << prog;
    return style.value_or(StyleRow{});
}

// A part of `size` bytes holding every byte value, shifted by `seed`.
inline std::string everyByte(std::size_t size, int seed) {
    std::string part(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        part[i] = static_cast<char>((i + static_cast<std::size_t>(seed)) & 0xFF);
    }
    return part;
}

// A stored style with parts of 1000 + prog and 200 + prog bytes, descriptive texts that name
// it and Windows-1252 characters in its author, dated 2026/12/06.
inline StyleRow ssfStyle(std::int32_t prog, const std::string& name) {
    const std::string n = std::to_string(prog);
    const auto size = static_cast<std::size_t>(prog);
    return StyleRow(prog, name, "VAR " + n, 1000 + prog, 200 + prog, everyByte(1000 + size, prog),
                    makeChunk(192 + size, static_cast<std::uint32_t>(prog)), "2026/12/06",
                    "Description of " + n, "Group " + n, "Family " + n,
                    "USER0" + std::to_string(prog % 7) + ".STY", "Jos\xC3\xA9 \xE2\x82\xAC" + n);
}

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

class RecordingExportWindows : public SsfExportWindows {
public:
    void showLeftOut(const std::string& log) override { logs.push_back(log); }
    std::vector<std::string> logs;
};

}  // namespace orb::test
