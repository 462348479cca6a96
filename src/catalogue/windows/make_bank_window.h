#pragma once

#include <QDialog>
#include <array>

#include "catalogue/make_bank.h"

class QRadioButton;

namespace orb {

// The "Make .STY file" window: the view over MakeBankController.
class MakeBankWindow : public QDialog {
    Q_OBJECT
public:
    MakeBankWindow(AppState& state, UserDialogs& dialogs, const CurrentBank& bank,
                   QWidget* parent = nullptr);

    MakeBankController& controller() { return controller_; }

private:
    void render();

    MakeBankController controller_;
    std::array<QRadioButton*, MakeBankController::kTargets.size()> optSave_{};
};

}  // namespace orb
