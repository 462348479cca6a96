#include "backup/windows/backup_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <string>

#include "app/windows/rendered_text.h"
#include "core/progress_scale.h"

namespace orb {

BackupWindow::BackupWindow(AppState& state, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), controller_(state, dialogs) {
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
        connect(fields_[i], &QLineEdit::textChanged, this, [this, i](const QString& text) {
            if (i == 0) {
                controller_.setBackupPath(text.toStdString());
            } else {
                controller_.setRestorePath(text.toStdString());
            }
        });
        auto* search = new QPushButton("Search", this);
        search->setObjectName(QString("cmdSearch%1").arg(i));
        layout->addWidget(search, i, 2);
        connect(search, &QPushButton::clicked, this, [this, i] { controller_.search(i); });
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
    layout->addWidget(checking_, 3, 0);
    progress_ = new QProgressBar(this);
    progress_->setObjectName("ProgressBar1");
    layout->addWidget(progress_, 3, 1, 1, 2);

    connect(backup, &QPushButton::clicked, this, [this] { controller_.backup(); });
    connect(restore, &QPushButton::clicked, this, [this] { controller_.restore(); });
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    controller_.onChange([this] { render(); });
    render();
}

void BackupWindow::showEvent(QShowEvent* event) {
    controller_.load();
    QDialog::showEvent(event);
}

void BackupWindow::render() {
    const std::string* paths[2] = {&controller_.backupPath(), &controller_.restorePath()};
    for (int i = 0; i < 2; ++i) {
        showText(fields_[i], *paths[i]);
    }
    checking_->setVisible(controller_.checkingVisible());
    progress_->setVisible(controller_.progressVisible());
    const ProgressSteps steps =
        scaleProgress(controller_.progressValue(), controller_.progressMaximum());
    progress_->setRange(0, steps.maximum);
    progress_->setValue(steps.value);
}

}  // namespace orb
