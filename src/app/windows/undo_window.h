#pragma once

#include <QDialog>

#include "app/undo_controller.h"

class QLabel;
class QListView;
class QPushButton;
class QStringListModel;

namespace orb {

// Lists the restore points of the catalogue; "Undo" brings the selected one back.
class UndoWindow : public QDialog {
    Q_OBJECT
public:
    UndoWindow(AppState& state, UserDialogs& dialogs, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    static constexpr int kListWidth = 520;

    void render();
    void fitRows();

    UndoController controller_;
    QStringListModel* model_ = nullptr;
    QListView* list_ = nullptr;
    QLabel* empty_ = nullptr;
    QPushButton* undo_ = nullptr;
};

}  // namespace orb
