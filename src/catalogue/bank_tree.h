#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/bank_operations.h"
#include "db/bank_store.h"

namespace orb {

class Database;

// One node of a bank tree. What a node is travels with it, so a bank numbered 100000 or more
// (a key of 7 characters) is still a bank; the keys keep their text form for the tree widget.
struct BankTreeNode {
    enum class Kind { Root, Bank, Style };
    enum class Look { Plain, Bold, BoldBlue };

    Kind kind = Kind::Root;
    std::string key;
    std::string parentKey;  // empty for the root
    std::string text;
    Look look = Look::Plain;
    std::int32_t bankProg = 0;   // the bank, and the bank a style node stands in
    std::int32_t styleProg = 0;  // style nodes only
    int slot = 0;                // style nodes only: 1 to 16
    std::string bankName;        // bank nodes only: the bank's name and description as stored
    std::string bankDescription;

    bool operator==(const BankTreeNode&) const = default;
};

inline constexpr const char* kBankTreeRootKey = "ROOT";
inline constexpr const char* kBankTreeRootText = "ORB";

// "B" and the bank number in at least five digits.
std::string bankNodeKey(std::int32_t bankProg);
// The bank's key, "S", the style number in at least five digits and the slot in two.
std::string styleNodeKey(std::int32_t bankProg, std::int32_t styleProg, int slot);

// The bank dialog's tree: the root, then each bank in `order` with a node per occupied slot,
// bold and blue. Descriptions follow names in brackets, trimmed, and only when there is one.
// Empty when no bank is stored.
std::vector<BankTreeNode> BankTree(Database& connection, BankTreeOrder order);

// The tree of the banks holding style `styleProg` (WhereIs), in their order: that style blue
// and bold wherever it stands, the others plain, their description in brackets only when they
// have one. Empty when no bank holds it.
std::vector<BankTreeNode> WhereIsTree(const std::vector<BankHolding>& holdings,
                                      std::int32_t styleProg);

}  // namespace orb
