#include "catalogue/windows/check_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "catalogue/windows/lookalikes_window.h"

namespace orb {

CheckWindow::CheckWindow(AppState& state, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), state_(state), dialogs_(dialogs), controller_(state, dialogs) {
    setObjectName("frmCheck");
    setWindowTitle(CheckController::kCaption);
    setModal(true);

    // A line that stands for many findings opens onto their list.
    findings_ = new QStandardItemModel(this);
    auto* list = new QTreeView(this);
    list->setObjectName("lstFindings");
    list->setModel(findings_);
    list->setHeaderHidden(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setWordWrap(true);
    list->setUniformRowHeights(false);
    list->setMinimumSize(640, 240);
    summary_ = new QLabel(this);
    summary_->setObjectName("lbSummary");
    summary_->setWordWrap(true);

    auto* again = new QPushButton("Check again", this);
    again->setObjectName("cmdCheck");
    repair_ = new QPushButton("Repair", this);
    repair_->setObjectName("cmdRepair");
    lookalikes_ = new QPushButton("Look-alikes ...", this);
    lookalikes_->setObjectName("cmdLookalikes");
    auto* exit = new QPushButton("Exit", this);
    exit->setObjectName("cmdExit");
    for (QPushButton* button : {again, repair_, lookalikes_, exit}) {
        button->setAutoDefault(false);
    }
    exit->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(again);
    buttons->addWidget(repair_);
    buttons->addWidget(lookalikes_);
    buttons->addStretch();
    buttons->addWidget(exit);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list, 1);
    layout->addWidget(summary_);
    layout->addLayout(buttons);

    connect(again, &QPushButton::clicked, this, [this] { controller_.check(); });
    connect(repair_, &QPushButton::clicked, this, [this] { controller_.repair(); });
    connect(lookalikes_, &QPushButton::clicked, this, [this] {
        LookalikesWindow(state_, dialogs_, this).exec();
        controller_.check();
    });
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    controller_.onChange([this] { render(); });
    render();
}

void CheckWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The window is painted first; the check of a large catalogue then runs under the wait cursor.
    QTimer::singleShot(0, this, [this] { controller_.check(); });
}

void CheckWindow::render() {
    findings_->clear();
    for (std::size_t row = 0; row < controller_.rows().size(); ++row) {
        auto* item = new QStandardItem(QString::fromStdString(controller_.rows()[row]));
        for (const std::string& detail : controller_.details(row)) {
            item->appendRow(new QStandardItem(QString::fromStdString(detail)));
        }
        findings_->appendRow(item);
    }
    summary_->setText(QString::fromStdString(controller_.summary()));
    repair_->setEnabled(controller_.repairEnabled());
    lookalikes_->setEnabled(controller_.lookalikesEnabled());
}

}  // namespace orb
