#pragma once

#include <QDialog>
#include <array>

#include "catalogue/bank_dialog.h"
#include "widgets/job_panel.h"

class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace orb {

// The bank dialog (save, update or load a bank): the view over BankDialogController.
class BankDialogWindow : public QDialog {
    Q_OBJECT
public:
    BankDialogWindow(AppState& state, UserDialogs& dialogs, const BankDialogRequest& request,
                     QWidget* parent = nullptr);

    // Shows the window modally; in load mode without any stored bank it closes at once.
    BankDialogOutcome run();

    // Exit, Esc or the frame while a queue is written cancel the writing rather than closing.
    void reject() override;

private:
    // The controller's fields and buttons, and its tree when it was built again since.
    void render();
    void renderQueues();
    QGridLayout* makeFields();
    QHBoxLayout* makeOrderRow();
    QHBoxLayout* makeTreePane(AppState& state, UserDialogs& dialogs);
    QHBoxLayout* makeButtonRow(UserDialogs& dialogs);
    void showMode(const BankDialogRequest& request);
    QGroupBox* makeFloppyFrame();
    QGroupBox* makeHardDiskFrame();

    BankDialogController controller_;
    int shownTree_ = 0;
    std::array<QLineEdit*, 2> txtField_{};
    std::array<QLabel*, 3> lbDesc_{};
    std::array<QRadioButton*, 4> opSort_{};
    QTreeWidget* tree_;
    QPushButton* cmdCollapse_;
    QPushButton* cmdDelete_;
    QPushButton* cmdOk_;
    QPushButton* cmdDirectFD_;
    QPushButton* cmdDirectHD_;
    QGroupBox* frDirectFD_;
    QGroupBox* frDirectHD_;
    std::array<QLabel*, kFloppyBankCount> lbDirectFD_{};
    std::array<QLabel*, kHardDiskBankCount> lbDirectHD_{};
    QPushButton* cbClear_;
    QPushButton* cbMake_;
    std::array<QPushButton*, kHardDiskBankCount / 3> cbClearHD_{};
    QPushButton* cbMakeHD_;
    QPushButton* cmdSaveSetup_;
    QPushButton* cmdSetups_;
    JobPanel* job_ = nullptr;
};

}  // namespace orb
