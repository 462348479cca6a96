#pragma once

#include <QDialog>
#include <vector>

#include "backup/backup_controller.h"
#include "widgets/job_panel.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace orb {

// The backup and restore window: a view over BackupController. It renders the controller's
// state when told that it changed and forwards what the person types and clicks.
class BackupWindow : public QDialog {
    Q_OBJECT
public:
    BackupWindow(AppState& state, UserDialogs& dialogs, QWidget* parent = nullptr);

    // A backup opened with ORB: the restore field shows it and the restore starts, which checks
    // the file and asks before anything is replaced.
    void restoreFrom(const std::string& path);

    // Esc or the frame while a backup or restore runs cancels it rather than closing.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void render();

    BackupController controller_;
    QLineEdit* fields_[2];
    QLabel* checking_;
    std::vector<QWidget*> idleOnly_;  // the fields and buttons, disabled while a job runs
    JobPanel* job_ = nullptr;
};

}  // namespace orb
