#pragma once

#include <QString>

class QHBoxLayout;
class QPushButton;
class QWidget;

namespace orb {

// The row that closes a small dialog: the main button (the default for Enter) and "Exit",
// right-aligned. The caller connects them.
struct OkExitButtons {
    QPushButton* ok;
    QPushButton* exit;
    QHBoxLayout* row;
};
OkExitButtons makeOkExitButtons(QWidget* parent, const QString& okCaption);

}  // namespace orb
