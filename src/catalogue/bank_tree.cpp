#include "catalogue/bank_tree.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "core/text.h"
#include "db/database.h"

namespace orb {
namespace {

constexpr int kSlotCount = 16;

std::string padded(std::int64_t number, int digits) {
    char text[24];
    std::snprintf(text, sizeof text, "%0*lld", digits, static_cast<long long>(number));
    return text;
}

const char* orderText(BankTreeOrder order) {
    switch (order) {
        case BankTreeOrder::NameDescending:
            return "SELECT * FROM QUERY1 ORDER BY BANKNAME DESC";
        case BankTreeOrder::CodeAscending:
            return "SELECT * FROM QUERY1 ORDER BY BANKPROG";
        case BankTreeOrder::CodeDescending:
            return "SELECT * FROM QUERY1 ORDER BY BANKPROG DESC";
        case BankTreeOrder::NameAscending:
            break;
    }
    return "SELECT * FROM QUERY1 ORDER BY BANKNAME";
}

// The style is named once and bound once; all sixteen slots compare with it.
const std::string& whereIsSql() {
    static const std::string sql = [] {
        std::string text =
            "SELECT * FROM QUERY1 WHERE BANKPROG IN (SELECT BANKPROG FROM KORFBANKS WHERE ";
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            text += (slot > 1 ? " OR BANKSTYLE" : "BANKSTYLE") + padded(slot, 2) + " = pStyleProg";
        }
        return text + ") ORDER BY BANKNAME";
    }();
    return sql;
}

// A stored name pads with code 0; the tree shows it as typed.
std::string shownStyleName(std::string name) {
    std::replace(name.begin(), name.end(), '\0', ' ');
    return trimmed(name);
}

// Column indexes of one slot, looked up once per statement.
struct SlotColumns {
    int prog, name, desc;
};

enum class TreeKind { Dialog, WhereIs };

std::vector<BankTreeNode> buildTree(Rows rows, TreeKind kind, std::int32_t searched) {
    std::vector<BankTreeNode> nodes;
    if (!rows.next()) {
        return nodes;
    }
    const int bankProgColumn = rows.columnIndex("BankProg");
    const int bankNameColumn = rows.columnIndex("BankName");
    const int bankDescColumn = rows.columnIndex("BankDesc");
    std::array<SlotColumns, kSlotCount> slots{};
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const std::string nn = padded(slot, 2);
        slots[static_cast<std::size_t>(slot - 1)] = {rows.columnIndex("Prog" + nn),
                                                     rows.columnIndex("Name" + nn),
                                                     rows.columnIndex("Desc" + nn)};
    }
    nodes.push_back({BankTreeNode::Kind::Root, kBankTreeRootKey, "", kBankTreeRootText,
                     BankTreeNode::Look::Plain, 0, 0, 0});
    do {
        const auto bankProg = static_cast<std::int32_t>(rows.integer(bankProgColumn));
        const std::string bankKey = bankNodeKey(bankProg);
        nodes.push_back({BankTreeNode::Kind::Bank, bankKey, kBankTreeRootKey,
                         rows.text(bankNameColumn) + " [" + rows.text(bankDescColumn) + "]",
                         BankTreeNode::Look::Bold, bankProg, 0, 0});
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            const SlotColumns& columns = slots[static_cast<std::size_t>(slot - 1)];
            const auto styleProg = static_cast<std::int32_t>(rows.integer(columns.prog));
            if (styleProg == 0) {
                continue;
            }
            const std::string description = rows.text(columns.desc);
            BankTreeNode node{BankTreeNode::Kind::Style,
                              styleNodeKey(bankProg, styleProg, slot),
                              bankKey,
                              shownStyleName(rows.text(columns.name)),
                              BankTreeNode::Look::BoldBlue,
                              bankProg,
                              styleProg,
                              slot};
            if (kind == TreeKind::Dialog) {
                node.text += " [" + description + "]";
            } else {
                if (!trimmed(description).empty()) {
                    node.text += " [" + description + "] ";
                }
                node.look = styleProg == searched ? BankTreeNode::Look::BoldBlue
                                                  : BankTreeNode::Look::Plain;
            }
            nodes.push_back(std::move(node));
        }
    } while (rows.next());
    return nodes;
}

}  // namespace

std::string bankNodeKey(std::int32_t bankProg) {
    return "B" + padded(bankProg, 5);
}

std::string styleNodeKey(std::int32_t bankProg, std::int32_t styleProg, int slot) {
    return bankNodeKey(bankProg) + "S" + padded(styleProg, 5) + padded(slot, 2);
}

std::vector<BankTreeNode> BankTree(Database& connection, BankTreeOrder order) {
    return buildTree(connection.query(orderText(order)), TreeKind::Dialog, 0);
}

std::vector<BankTreeNode> WhereIsTree(Database& connection, std::int32_t styleProg) {
    return buildTree(connection.query(whereIsSql(), {styleProg}), TreeKind::WhereIs, styleProg);
}

std::string bankNameOfNode(const std::string& text) {
    return trimmed(text.substr(0, text.find('[')));
}

std::string bankDescriptionOfNode(const std::string& text) {
    const auto open = text.find('[');
    if (open == std::string::npos) {
        return {};
    }
    std::string description = text.substr(open + 1);
    std::erase(description, ']');
    return description;
}

}  // namespace orb
