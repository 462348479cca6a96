#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "db/text_gate.h"

namespace orb {

class Database;

inline constexpr int kBankSlotCount = 16;
using BankSlots = std::array<std::int32_t, kBankSlotCount>;

// One row of KORFBanks: number, name, description and the style number of each of the 16 slots
// (BankStyle[0] is column BankStyle01 ... BankStyle[15] is BankStyle16), 0 for an empty slot.
struct BankRow {
    std::int32_t BankProg = 0;
    std::string BankName;
    std::string BankDesc;
    BankSlots BankStyle{};

    bool operator==(const BankRow&) const = default;
};

// A bank with the name and description of the style in each slot, as the view QUERY1 gives it
// to the bank trees. A slot without a style has number 0; a slot naming a style that is gone
// has its number and empty texts.
struct BankWithStyles {
    struct Slot {
        std::int32_t StyleProg = 0;
        std::string StyleName1;
        std::string StyleDesc;

        bool operator==(const Slot&) const = default;
    };
    std::int32_t BankProg = 0;
    std::string BankName;
    std::string BankDesc;
    std::array<Slot, kBankSlotCount> BankStyle;
};

using BankVisitor = std::function<void(const BankWithStyles&)>;

// The four orders of the bank dialog's tree.
enum class BankTreeOrder {
    NameAscending = 0,
    NameDescending = 1,
    CodeAscending = 2,
    CodeDescending = 3
};

// Table KORFBanks (and the view QUERY1 over it). A cheap object made on the connection; every
// statement on the table is here. Failures throw StoreError; every text written passes the text
// gate.
class BankStore {
public:
    explicit BankStore(Database& connection) : connection_(connection) {}

    std::optional<BankRow> find(std::int32_t bankProg);
    // The first bank whose name equals `name`, letter case aside.
    std::optional<BankRow> findByName(std::string_view name);
    // Every bank in name order (number order among equal names).
    std::vector<BankRow> all();
    // The largest number plus 1, or 1 for an empty table.
    std::int32_t next();
    long long count();

    // Hands every bank with its slots' styles to `visit`, in `order`, one after the other (the
    // same object each time, so that a large catalogue is not held twice).
    void withStyles(BankTreeOrder order, const BankVisitor& visit);
    // The same for the banks holding style `styleProg` in any slot, in name order.
    void holding(std::int32_t styleProg, const BankVisitor& visit);

    // Stores `bank` under the next free number, which it returns; bank.BankProg is not read.
    std::int32_t insert(const BankRow& bank, const TextPlace& place = TextPlace::newRow("bank"));
    // Stores `bank` under its own number.
    void insertNumbered(const BankRow& bank, const TextPlace& place = TextPlace::newRow("bank"));
    // Writes name, description and slots of bank.BankProg; false when there is no such bank.
    bool update(const BankRow& bank);
    // Deletes the bank (nothing when there is none).
    void remove(std::int32_t bankProg);
    // Takes style `styleProg` out of every bank that holds it: later slots move up and the freed
    // places at the end become 0. All banks or none.
    void removeStyle(std::int32_t styleProg);
    // Puts style `to` into every slot that holds style `from`; how many slots changed.
    int replaceStyle(std::int32_t from, std::int32_t to);
    // How many slots of all banks hold each style (styles in no bank are left out).
    std::unordered_map<std::int32_t, int> slotCounts();

private:
    void checkTexts(const BankRow& bank, const TextPlace& place);
    void write(std::int32_t bankProg, const BankRow& bank);

    Database& connection_;
};

}  // namespace orb
