#pragma once

#include <QDialog>

#include "catalogue/style_filter.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace orb {

// The filter window: a view over StyleFilterController. Accepted when the filter was set.
class StyleFilterWindow : public QDialog {
    Q_OBJECT
public:
    explicit StyleFilterWindow(AppState& state, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void render();

    StyleFilterController controller_;
    QLineEdit* txtField_[6];
    QComboBox* cmdOrder_[6];
    QCheckBox* chDesc_[6];
};

}  // namespace orb
