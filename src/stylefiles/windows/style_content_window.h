#pragma once

#include <QDialog>

#include "stylefiles/style_confirmation.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace orb {

// frmStyContent: a view over StyleConfirmation, in which the person ticks the styles of one bank
// to import and may change the values attached to them.
class StyleContentWindow : public QDialog {
    Q_OBJECT
public:
    StyleContentWindow(StyleConfirmation& confirmation, QWidget* parent = nullptr);

    // Shows the dialog modally; true when it was left with "Import Selected Styles".
    bool ask();

private:
    void render();
    void pullFields();

    StyleConfirmation& confirmation_;
    QLabel* names_[StyleConfirmation::kSlots];
    QCheckBox* boxes_[StyleConfirmation::kSlots];
    QLineEdit* fields_[4];
};

}  // namespace orb
