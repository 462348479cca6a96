#pragma once

#include <QDialog>

#include "backup/backup_controller.h"

class QLabel;
class QLineEdit;
class QProgressBar;

namespace orb {

// frmBckpRstr: a view over BackupController. It renders the controller's state when told that
// it changed and forwards what the person types and clicks.
class BackupWindow : public QDialog {
    Q_OBJECT
public:
    BackupWindow(AppState& state, UserDialogs& dialogs, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void render();

    BackupController controller_;
    QLineEdit* fields_[2];
    QLabel* checking_;
    QProgressBar* progress_;
};

}  // namespace orb
