#include "backup/windows/backup_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <string>

#include "widgets/rendered_text.h"

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
        search->setAutoDefault(false);  // Enter in a field runs its action, never a dialog
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
    job_ = new JobPanel(*this, controller_.job(), "ProgressBar1");
    // CHECKING and the bar keep their row's height while hidden, so the window does not change
    // size for them.
    for (QWidget* widget : {static_cast<QWidget*>(checking_), static_cast<QWidget*>(job_->bar())}) {
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
    }
    layout->addWidget(job_, 3, 1, 2, 2);
    idleOnly_ = {fields_[0],
                 fields_[1],
                 findChild<QPushButton*>("cmdSearch0"),
                 findChild<QPushButton*>("cmdSearch1"),
                 backup,
                 restore,
                 exit};

    for (QPushButton* button : {backup, restore, exit}) {
        button->setAutoDefault(false);
    }
    connect(backup, &QPushButton::clicked, this, [this] { controller_.backup(); });
    connect(restore, &QPushButton::clicked, this, [this] { controller_.restore(); });
    connect(fields_[0], &QLineEdit::returnPressed, this, [this] { controller_.backup(); });
    connect(fields_[1], &QLineEdit::returnPressed, this, [this] { controller_.restore(); });
    setTabOrder(fields_[0], findChild<QPushButton*>("cmdSearch0"));
    setTabOrder(findChild<QPushButton*>("cmdSearch0"), fields_[1]);
    setTabOrder(fields_[1], findChild<QPushButton*>("cmdSearch1"));
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    controller_.onChange([this] { render(); });
    render();
}

void BackupWindow::showEvent(QShowEvent* event) {
    controller_.load();
    QDialog::showEvent(event);
    fields_[0]->setFocus();
}

void BackupWindow::restoreFrom(const std::string& path) {
    controller_.setRestorePath(path);
    fields_[1]->setFocus();
    controller_.restore();
}

void BackupWindow::reject() {
    if (!job_->cancelRunningJob()) {
        QDialog::reject();
    }
}

void BackupWindow::render() {
    const std::string* paths[2] = {&controller_.backupPath(), &controller_.restorePath()};
    for (int i = 0; i < 2; ++i) {
        showText(fields_[i], *paths[i]);
    }
    checking_->setVisible(controller_.checkingVisible());
    for (QWidget* widget : idleOnly_) {
        widget->setEnabled(!controller_.job().running());
    }
    job_->render(controller_.progressVisible());
}

}  // namespace orb
