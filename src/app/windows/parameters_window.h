#pragma once

#include <QDialog>
#include <array>

#include "app/parameters_controller.h"

class QLineEdit;

namespace orb {

class AppState;
class UserDialogs;

// The parameters window: the five paths, each with its Search button, Save and Exit. A view over
// ParametersController: it renders the controller's state when told that it changed and
// forwards what the person types and clicks.
class ParametersWindow : public QDialog {
    Q_OBJECT
public:
    ParametersWindow(AppState& state, UserDialogs& dialogs, QWidget* parent = nullptr);

protected:
    // Each opening shows the values in use.
    void showEvent(QShowEvent* event) override;

private:
    void render();
    void save();

    ParametersController controller_;
    std::array<QLineEdit*, ParametersController::kFieldCount> txtField_{};
};

}  // namespace orb
