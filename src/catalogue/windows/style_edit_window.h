#pragma once

#include <QDialog>
#include <array>

#include "catalogue/style_edit.h"

class QLineEdit;
class QPushButton;

namespace orb {

class UserDialogs;

// The style edit window: the view over StyleEditController.
class StyleEditWindow : public QDialog {
    Q_OBJECT
public:
    StyleEditWindow(const StyleRow& style, UserDialogs& dialogs, QWidget* parent = nullptr);

    // The values handed back by "Update"; nullopt after "Exit" or Esc.
    const std::optional<StyleEditValues>& result() const { return controller_.result(); }

private:
    void update();
    void render();

    StyleEditController controller_;
    std::array<QLineEdit*, StyleEditController::kFieldCount> txtField_{};
    QPushButton* cmdReplaceBreaks_ = nullptr;
};

}  // namespace orb
