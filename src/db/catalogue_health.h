#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "db/column_sizes.h"
#include "db/text_gate.h"

namespace orb {

class Database;

// The look-ups that check a catalogue as a whole: the engine's own integrity check, and rows
// that name what is no longer stored. They only read; the stores mend what they find.

// The problems the engine's integrity check finds in the file, at most `most`; none when it is
// sound.
std::vector<std::string> integrityProblems(Database& connection, int most = 10);

// A bank slot naming a style that is no longer stored.
struct GoneBankSlot {
    std::int32_t BankProg = 0;
    std::string BankName;
    int slot = 0;  // 1 to 16
    std::int32_t StyleProg = 0;
    bool operator==(const GoneBankSlot&) const = default;
};
// In bank and slot order.
std::vector<GoneBankSlot> bankSlotsOfGoneStyles(Database& connection);

// A song link naming a style that is no longer stored.
struct GoneLinkStyle {
    std::int32_t SongCode = 0;
    std::string SongTitle;  // empty when the song is gone too
    std::int32_t StyleProg = 0;
    bool operator==(const GoneLinkStyle&) const = default;
};
// In song and style order.
std::vector<GoneLinkStyle> linksOfGoneStyles(Database& connection);

// A style whose stored lengths differ from its blocks. An empty block, stored as one blank with
// the length 0, is no difference.
struct WrongStyleLengths {
    std::int32_t StyleProg = 0;
    std::string StyleName1;
    std::int64_t storedLength1 = 0;
    std::int64_t storedLength2 = 0;
    std::int64_t blockLength1 = 0;
    std::int64_t blockLength2 = 0;
    bool operator==(const WrongStyleLengths&) const = default;
};
// In style order.
std::vector<WrongStyleLengths> stylesWithWrongLengths(Database& connection);

// Calls `visit` with every text stored in the four tables (nulls left out), its column and its
// row's place, table by table in number order.
using StoredTextVisitor =
    std::function<void(const ColumnSize& column, std::string_view text, const TextPlace& place)>;
void forEachStoredText(Database& connection, const StoredTextVisitor& visit);

// The statements the look-ups above run, in that order, so that the benchmark can run the same
// in the sqlite3 shell.
std::vector<std::string> healthStatements();

}  // namespace orb
