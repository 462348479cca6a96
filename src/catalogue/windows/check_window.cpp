#include "catalogue/windows/check_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QTimer>
#include <QVBoxLayout>

namespace orb {

CheckWindow::CheckWindow(AppState& state, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), controller_(state, dialogs) {
    setObjectName("frmCheck");
    setWindowTitle(CheckController::kCaption);
    setModal(true);

    findings_ = new QStringListModel(this);
    auto* list = new QListView(this);
    list->setObjectName("lstFindings");
    list->setModel(findings_);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setWordWrap(true);
    list->setMinimumSize(640, 240);
    summary_ = new QLabel(this);
    summary_->setObjectName("lbSummary");
    summary_->setWordWrap(true);

    auto* again = new QPushButton("Check again", this);
    again->setObjectName("cmdCheck");
    repair_ = new QPushButton("Repair", this);
    repair_->setObjectName("cmdRepair");
    auto* exit = new QPushButton("Exit", this);
    exit->setObjectName("cmdExit");
    for (QPushButton* button : {again, repair_, exit}) {
        button->setAutoDefault(false);
    }
    exit->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(again);
    buttons->addWidget(repair_);
    buttons->addStretch();
    buttons->addWidget(exit);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list, 1);
    layout->addWidget(summary_);
    layout->addLayout(buttons);

    connect(again, &QPushButton::clicked, this, [this] { controller_.check(); });
    connect(repair_, &QPushButton::clicked, this, [this] { controller_.repair(); });
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
    QStringList rows;
    for (const std::string& row : controller_.rows()) {
        rows << QString::fromStdString(row);
    }
    if (findings_->stringList() != rows) {
        findings_->setStringList(rows);
    }
    summary_->setText(QString::fromStdString(controller_.summary()));
    repair_->setEnabled(controller_.repairEnabled());
}

}  // namespace orb
