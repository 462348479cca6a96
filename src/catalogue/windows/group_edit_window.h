#pragma once

#include <QDialog>
#include <array>

#include "catalogue/style_group.h"

class QCheckBox;
class QLineEdit;

namespace orb {

class UserDialogs;

// The group edit window: the view over GroupEditController.
class GroupEditWindow : public QDialog {
    Q_OBJECT
public:
    GroupEditWindow(const GroupValues& proposal, UserDialogs& dialogs, QWidget* parent = nullptr);

    // The columns to change; nullopt after "Exit", Esc or with every "Don't update!" ticked.
    const std::optional<StyleColumnChanges>& result() const { return controller_.result(); }

private:
    void update();
    void render();

    GroupEditController controller_;
    std::array<QLineEdit*, GroupEditController::kFieldCount> txtField_{};
    std::array<QCheckBox*, GroupEditController::kFieldCount> check1_{};
};

}  // namespace orb
