#pragma once

#include <QDialog>

#include "backup/backup_controller.h"

class QLabel;
class QLineEdit;
class QProgressBar;

namespace orb {

// frmBckpRstr: a view over BackupController.
class BackupWindow : public QDialog, private BackupView {
    Q_OBJECT
public:
    BackupWindow(AppState& state, UserDialogs& dialogs, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setProgressVisible(bool visible) override;
    void setProgressRange(long long maximum) override;
    void setProgressValue(long long value) override;
    void setCheckingVisible(bool visible) override;

    void pullFields();
    void pushFields();

    BackupController controller_;
    QLineEdit* fields_[2];
    QLabel* checking_;
    QProgressBar* progress_;
    long long progressScale_ = 1;
};

}  // namespace orb
