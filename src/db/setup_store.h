#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orb {

class Database;

// The places of a keyboard set-up: the floppy's three user banks and the hard disk's nine.
inline constexpr int kSetupFloppyPlaces = 3;
inline constexpr int kSetupHardDiskPlaces = 9;

// One row of KORFSetups: a name (the key, letter case aside), a description and the stored
// bank of each place, 0 for an empty place (SetupFD[0] is column SetupFD01 ...). A place keeps
// its number when its bank is deleted; it then names a gone bank.
struct SetupRow {
    std::string SetupName;
    std::string SetupDesc;
    std::array<std::int32_t, kSetupFloppyPlaces> SetupFD{};
    std::array<std::int32_t, kSetupHardDiskPlaces> SetupHD{};

    bool operator==(const SetupRow&) const = default;
};

// The table statement, as the schema step runs it.
std::string createSetupsStatement();

// Table KORFSetups. A cheap object made on the connection; every statement on the table is
// here. Failures throw StoreError; every text written passes the text gate.
class SetupStore {
public:
    explicit SetupStore(Database& connection) : connection_(connection) {}

    // The set-up named `name`, letter case aside.
    std::optional<SetupRow> find(std::string_view name);
    // Every set-up in name order.
    std::vector<SetupRow> all();
    long long count();
    // The names of the set-ups that hold bank `bankProg` in any place, in name order.
    std::vector<std::string> namesUsing(std::int32_t bankProg);

    void insert(const SetupRow& setup);
    // Writes the whole row of the set-up now named `name` (its name may change); false when
    // there is no such set-up.
    bool replace(std::string_view name, const SetupRow& setup);
    // False when there was no such set-up.
    bool remove(std::string_view name);

private:
    void checkTexts(const SetupRow& setup);

    Database& connection_;
};

}  // namespace orb
