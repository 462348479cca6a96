#pragma once

#include <vector>

#include "catalogue/bank_tree.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace orb {

// Fills `tree` with the nodes: each item keeps its key and its node's index, bold and blue as
// the node's look says; the root is open on the banks, every bank closed.
void fillBankTree(QTreeWidget* tree, const std::vector<BankTreeNode>& nodes);
// The index of the node the item shows; -1 for none.
int bankTreeNodeIndex(const QTreeWidgetItem* item);
// Closes every bank node; the root stays as it is.
void collapseBankNodes(QTreeWidget* tree);
// Every bank node opened or closed.
void setBankNodesExpanded(QTreeWidget* tree, bool expanded);

}  // namespace orb
