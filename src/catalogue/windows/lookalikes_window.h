#pragma once

#include <QAbstractTableModel>
#include <QDialog>

#include "catalogue/lookalikes_controller.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;

namespace orb {

// The look-alikes grid's rows, read from the controller as the view asks for them.
class LookalikesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumnCount = 11;

    explicit LookalikesModel(const LookalikesController& controller, QObject* parent = nullptr)
        : QAbstractTableModel(parent), controller_(controller) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void reset() {
        beginResetModel();
        endResetModel();
    }

private:
    const LookalikesController& controller_;
};

// The look-alike groups of the catalogue and "Keep this style".
class LookalikesWindow : public QDialog {
    Q_OBJECT
public:
    LookalikesWindow(AppState& state, UserDialogs& dialogs, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void render();

    LookalikesController controller_;
    LookalikesModel* model_ = nullptr;
    QTableView* grid_ = nullptr;
    QLabel* none_ = nullptr;
    QCheckBox* deleteOthers_ = nullptr;
    QPushButton* keep_ = nullptr;
    std::vector<LookalikesController::Row> shownRows_;
};

}  // namespace orb
