#include "backup/windows/backup_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

namespace orb {

BackupWindow::BackupWindow(AppState& state, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), controller_(state, dialogs, this) {
    setObjectName("frmBckpRstr");
    setWindowTitle("Backup / Restore ORB database");
    setModal(true);

    auto* layout = new QGridLayout(this);
    const char* labels[2] = {"Backup database to ... ", "Restore database from ... "};
    for (int i = 0; i < 2; ++i) {
        layout->addWidget(new QLabel(labels[i], this), i, 0);
        fields_[i] = new QLineEdit(this);
        fields_[i]->setObjectName(QString("txtField%1").arg(i));
        fields_[i]->setMinimumWidth(320);
        layout->addWidget(fields_[i], i, 1);
        auto* search = new QPushButton("Search", this);
        search->setObjectName(QString("cmdSearch%1").arg(i));
        layout->addWidget(search, i, 2);
        connect(search, &QPushButton::clicked, this, [this, i] {
            pullFields();
            controller_.search(i);
            pushFields();
        });
    }

    auto* backup = new QPushButton("Backup", this);
    backup->setObjectName("cmbBackup");
    backup->setToolTip("Backup database to ODD file");
    auto* restore = new QPushButton("Restore", this);
    restore->setObjectName("cmbRestore");
    restore->setToolTip("Restore database from ODD file");
    auto* exit = new QPushButton("Exit", this);
    exit->setObjectName("cmbExit");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(backup);
    buttons->addWidget(restore);
    buttons->addStretch();
    buttons->addWidget(exit);
    layout->addLayout(buttons, 2, 0, 1, 3);

    checking_ = new QLabel("CHECKING", this);
    checking_->setObjectName("lbCheck");
    checking_->setVisible(false);
    layout->addWidget(checking_, 3, 0);
    progress_ = new QProgressBar(this);
    progress_->setObjectName("ProgressBar1");
    layout->addWidget(progress_, 3, 1, 1, 2);

    connect(backup, &QPushButton::clicked, this, [this] {
        pullFields();
        controller_.backup();
    });
    connect(restore, &QPushButton::clicked, this, [this] {
        pullFields();
        controller_.restore();
    });
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
}

void BackupWindow::showEvent(QShowEvent* event) {
    controller_.load();
    pushFields();
    QDialog::showEvent(event);
}

void BackupWindow::pullFields() {
    controller_.backupPath = fields_[0]->text().toStdString();
    controller_.restorePath = fields_[1]->text().toStdString();
}

void BackupWindow::pushFields() {
    fields_[0]->setText(QString::fromStdString(controller_.backupPath));
    fields_[1]->setText(QString::fromStdString(controller_.restorePath));
}

void BackupWindow::setProgressVisible(bool visible) {
    progress_->setVisible(visible);
}

void BackupWindow::setProgressRange(long long maximum) {
    // QProgressBar counts in int.
    progressScale_ = maximum > 1'000'000'000LL ? maximum / 1'000'000'000LL + 1 : 1;
    // An empty catalogue still shows a bar, not a busy indicator.
    progress_->setRange(0, std::max(1, static_cast<int>(maximum / progressScale_)));
}

void BackupWindow::setProgressValue(long long value) {
    progress_->setValue(static_cast<int>(value / progressScale_));
}

void BackupWindow::setCheckingVisible(bool visible) {
    checking_->setVisible(visible);
}

}  // namespace orb
