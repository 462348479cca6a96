#pragma once

#include <QDialog>

#include "catalogue/check_controller.h"

class QLabel;
class QPushButton;
class QStandardItemModel;

namespace orb {

// "Check catalogue": the findings, "Check again", "Repair", "Look-alikes ..." and "Exit".
class CheckWindow : public QDialog {
    Q_OBJECT
public:
    CheckWindow(AppState& state, UserDialogs& dialogs, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void render();

    AppState& state_;
    UserDialogs& dialogs_;
    CheckController controller_;
    QStandardItemModel* findings_ = nullptr;
    QLabel* summary_ = nullptr;
    QPushButton* repair_ = nullptr;
    QPushButton* lookalikes_ = nullptr;
};

}  // namespace orb
