#include "catalogue/windows/bank_tree_widget.h"

#include <QTreeWidget>
#include <unordered_map>

namespace orb {
namespace {

constexpr int kIndexRole = Qt::UserRole;
constexpr int kKeyRole = Qt::UserRole + 1;
const QColor kBlue(0x00, 0x00, 0xFF);  // &HFF0000

}  // namespace

void fillBankTree(QTreeWidget* tree, const std::vector<BankTreeNode>& nodes) {
    tree->clear();
    if (nodes.empty()) {
        return;
    }
    QFont bold = tree->font();
    bold.setBold(true);
    // Built apart from the widget and added at once: far quicker for thousands of banks.
    std::unordered_map<std::string, QTreeWidgetItem*> byKey;
    QTreeWidgetItem* root = nullptr;
    QTreeWidgetItem* firstBank = nullptr;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const BankTreeNode& node = nodes[i];
        QTreeWidgetItem* parent = nullptr;
        if (!node.parentKey.empty()) {
            const auto found = byKey.find(node.parentKey);
            parent = found == byKey.end() ? root : found->second;
        }
        auto* item = parent == nullptr ? new QTreeWidgetItem : new QTreeWidgetItem(parent);
        item->setText(0, QString::fromStdString(node.text));
        item->setData(0, kIndexRole, static_cast<int>(i));
        item->setData(0, kKeyRole, QString::fromStdString(node.key));
        if (node.look != BankTreeNode::Look::Plain) {
            item->setFont(0, bold);
        }
        if (node.look == BankTreeNode::Look::BoldBlue) {
            item->setForeground(0, kBlue);
        }
        if (node.kind == BankTreeNode::Kind::Root) {
            root = item;
        } else if (node.kind == BankTreeNode::Kind::Bank) {
            byKey.emplace(node.key, item);
            if (firstBank == nullptr) {
                firstBank = item;
            }
        }
    }
    tree->addTopLevelItem(root);
    root->setExpanded(true);
    if (firstBank != nullptr) {
        tree->scrollToItem(firstBank);
    }
}

int bankTreeNodeIndex(const QTreeWidgetItem* item) {
    return item == nullptr ? -1 : item->data(0, kIndexRole).toInt();
}

void setBankNodesExpanded(QTreeWidget* tree, bool expanded) {
    for (int top = 0; top < tree->topLevelItemCount(); ++top) {
        QTreeWidgetItem* root = tree->topLevelItem(top);
        for (int i = 0; i < root->childCount(); ++i) {
            root->child(i)->setExpanded(expanded);
        }
    }
}

void collapseBankNodes(QTreeWidget* tree) {
    setBankNodesExpanded(tree, false);
}

}  // namespace orb
