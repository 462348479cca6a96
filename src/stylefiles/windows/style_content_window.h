#pragma once

#include <QDialog>
#include <optional>

#include "stylefiles/style_confirmation.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace orb {

// The style selection dialog: a view over StyleConfirmation, in which the person ticks the
// styles of one bank to import and may change the values attached to them.
class StyleContentWindow : public QDialog {
    Q_OBJECT
public:
    StyleContentWindow(StyleConfirmation& confirmation, QWidget* parent = nullptr);
    // The confirmation may outlive the window: it stops telling it about changes.
    ~StyleContentWindow() override;

    // Shows the dialog modally; the confirmation's result when it was left with "Import
    // Selected Styles", else nothing.
    std::optional<StyleSelection> ask();

private:
    void render();

    StyleConfirmation& confirmation_;
    QLabel* names_[StyleConfirmation::kSlots];
    QCheckBox* boxes_[StyleConfirmation::kSlots];
    QLineEdit* fields_[kStyleValueCount];
};

}  // namespace orb
