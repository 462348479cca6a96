#pragma once

#include <QDialog>

#include "catalogue/check_controller.h"

class QLabel;
class QPushButton;
class QStringListModel;

namespace orb {

// "Check catalogue": the findings, "Check again", "Repair" and "Exit".
class CheckWindow : public QDialog {
    Q_OBJECT
public:
    CheckWindow(AppState& state, UserDialogs& dialogs, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void render();

    CheckController controller_;
    QStringListModel* findings_ = nullptr;
    QLabel* summary_ = nullptr;
    QPushButton* repair_ = nullptr;
};

}  // namespace orb
