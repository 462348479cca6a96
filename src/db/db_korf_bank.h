#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "db/database.h"

namespace orb {

// Access to table KORFBanks: one bank row (number, name, description, 16 style slots, 0 for an
// empty slot) held in the column properties. The long-lived instance of the application state
// is also the current bank. The Boolean operations report a database failure only through
// their result and clsKORFBanksError ("<code> <message>", cleared at the start of each);
// NextKORFBank lets it through as DbError.
class DbKORFBank {
public:
    static constexpr int kSlotCount = 16;

    DbKORFBank() = default;
    explicit DbKORFBank(Database& connection) : ActiveConnection(&connection) {}

    std::int32_t BankProg = 0;
    std::string BankName;
    std::string BankDesc;
    std::int32_t BankStyle01 = 0;
    std::int32_t BankStyle02 = 0;
    std::int32_t BankStyle03 = 0;
    std::int32_t BankStyle04 = 0;
    std::int32_t BankStyle05 = 0;
    std::int32_t BankStyle06 = 0;
    std::int32_t BankStyle07 = 0;
    std::int32_t BankStyle08 = 0;
    std::int32_t BankStyle09 = 0;
    std::int32_t BankStyle10 = 0;
    std::int32_t BankStyle11 = 0;
    std::int32_t BankStyle12 = 0;
    std::int32_t BankStyle13 = 0;
    std::int32_t BankStyle14 = 0;
    std::int32_t BankStyle15 = 0;
    std::int32_t BankStyle16 = 0;

    Database* ActiveConnection = nullptr;
    std::string clsKORFBanksError;

    // The property BankStyle01 ... BankStyle16 of slot 1 ... 16; InvalidArgumentError outside.
    std::int32_t& BankStyle(int slot);
    std::int32_t BankStyle(int slot) const;
    std::array<std::int32_t, kSlotCount> slotValues() const;
    void setSlotValues(const std::array<std::int32_t, kSlotCount>& values);

    bool InsKORFBanks();
    // Writes name, description and slots of row BankProg; false without error text when there
    // is no such row.
    bool UpdKORFBanks();
    // Deletes row BankProg; true also when there was none.
    bool DelKORFBanks();
    // Takes the style numbered BankStyle01 out of every bank that holds it: later slots move up
    // and the freed places at the end become 0. Works on a bank object of its own, so this
    // object's properties (the current bank) stay as they are.
    bool DelKORFBanksStyle();
    // Loads row BankProg; false without error text, properties unchanged, when there is none.
    bool GetKORFBanks();
    // Loads the first row whose BankName equals the property (letter case ignored).
    bool GetKORFBanksByName();
    // The largest BankProg plus 1, or 1 for an empty table.
    std::int32_t NextKORFBank();

private:
    void load(const Rows& rows);
};

}  // namespace orb
