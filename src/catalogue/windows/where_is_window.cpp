#include "catalogue/windows/where_is_window.h"

#include <QEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "catalogue/windows/bank_tree_widget.h"

namespace orb {

WhereIsWindow::WhereIsWindow(AppState& state, UserDialogs& dialogs, CurrentBank& bank,
                             std::int32_t styleProg, const QString& caption, QWidget* parent)
    : QDialog(parent), controller_(state, dialogs, bank, styleProg) {
    setObjectName("frmShowBanks");
    setWindowTitle(caption);
    setModal(true);
    tree_ = new QTreeWidget(this);
    tree_->setObjectName("tvBanks");
    tree_->setHeaderHidden(true);
    tree_->setToolTip(WhereIsController::kToolTip);
    tree_->installEventFilter(this);
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (controller_.doubleClick(bankTreeNodeIndex(item))) {
            accept();
        }
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tree_);
    resize(480, 420);
    controller_.onChange([this] { render(); });
}

bool WhereIsWindow::run() {
    if (!controller_.build()) {
        return false;
    }
    exec();
    return controller_.loaded();
}

void WhereIsWindow::render() {
    fillBankTree(tree_, controller_.nodes());
    // Every bank here holds the style: open them all, so that it shows in blue at once.
    setBankNodesExpanded(tree_, true);
    tree_->setCurrentItem(tree_->topLevelItem(0));
}

bool WhereIsWindow::eventFilter(QObject* watched, QEvent* event) {
    // Any key closes the window, the arrow keys too.
    if (watched == tree_ && event->type() == QEvent::KeyPress) {
        reject();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace orb
