#include "catalogue/bank_tree.h"

#include <algorithm>
#include <cstdio>

#include "core/text.h"

namespace orb {
namespace {

std::string padded(std::int64_t number, int digits) {
    char text[24];
    std::snprintf(text, sizeof text, "%0*lld", digits, static_cast<long long>(number));
    return text;
}

// A stored name pads with code 0; the tree shows it as typed.
std::string shownStyleName(std::string name) {
    std::replace(name.begin(), name.end(), '\0', ' ');
    return trimmed(name);
}

// " [description]" after a name, nothing for a description that is empty or only blanks.
std::string bracketed(const std::string& description) {
    const std::string shown = trimmed(description);
    return shown.empty() ? std::string() : " [" + shown + "]";
}

enum class TreeKind { Dialog, WhereIs };

// Appends the nodes of one bank; the root comes first, before the first bank.
void addBank(std::vector<BankTreeNode>& nodes, std::int32_t bankProg, const std::string& name,
             const std::string& description,
             const std::array<BankWithStyles::Slot, kBankSlotCount>& slotStyles, TreeKind kind,
             std::int32_t searched) {
    if (nodes.empty()) {
        nodes.push_back({BankTreeNode::Kind::Root,
                         kBankTreeRootKey,
                         "",
                         kBankTreeRootText,
                         BankTreeNode::Look::Plain,
                         0,
                         0,
                         0,
                         {},
                         {}});
    }
    const std::string bankKey = bankNodeKey(bankProg);
    nodes.push_back({BankTreeNode::Kind::Bank, bankKey, kBankTreeRootKey,
                     name + bracketed(description), BankTreeNode::Look::Bold, bankProg, 0, 0, name,
                     description});
    for (int slot = 1; slot <= kBankSlotCount; ++slot) {
        const BankWithStyles::Slot& style = slotStyles[static_cast<std::size_t>(slot - 1)];
        if (style.StyleProg == 0) {
            continue;
        }
        BankTreeNode node{BankTreeNode::Kind::Style,
                          styleNodeKey(bankProg, style.StyleProg, slot),
                          bankKey,
                          shownStyleName(style.StyleName1),
                          BankTreeNode::Look::BoldBlue,
                          bankProg,
                          style.StyleProg,
                          slot,
                          {},
                          {}};
        node.text += bracketed(style.StyleDesc);
        if (kind == TreeKind::WhereIs) {
            node.look = style.StyleProg == searched ? BankTreeNode::Look::BoldBlue
                                                    : BankTreeNode::Look::Plain;
        }
        nodes.push_back(std::move(node));
    }
}

}  // namespace

std::string bankNodeKey(std::int32_t bankProg) {
    return "B" + padded(bankProg, 5);
}

std::string styleNodeKey(std::int32_t bankProg, std::int32_t styleProg, int slot) {
    return bankNodeKey(bankProg) + "S" + padded(styleProg, 5) + padded(slot, 2);
}

std::vector<BankTreeNode> BankTree(Database& connection, BankTreeOrder order) {
    std::vector<BankTreeNode> nodes;
    BankStore(connection).withStyles(order, [&nodes](const BankWithStyles& bank) {
        addBank(nodes, bank.BankProg, bank.BankName, bank.BankDesc, bank.BankStyle,
                TreeKind::Dialog, 0);
    });
    return nodes;
}

std::vector<BankTreeNode> WhereIsTree(const std::vector<BankHolding>& holdings,
                                      std::int32_t styleProg) {
    std::vector<BankTreeNode> nodes;
    for (const BankHolding& bank : holdings) {
        addBank(nodes, bank.bankProg, bank.name, bank.description, bank.slotStyles,
                TreeKind::WhereIs, styleProg);
    }
    return nodes;
}

}  // namespace orb
