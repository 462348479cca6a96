#pragma once

#include <QAbstractTableModel>

namespace orb {

class StylesController;

// The style grid's rows, read from the controller's list as the view asks for them: filling the
// grid costs no more than the query.
class StyleListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit StyleListModel(const StylesController& controller, QObject* parent = nullptr)
        : QAbstractTableModel(parent), controller_(controller) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // Rows may be dragged onto the bank pane.
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return QAbstractTableModel::flags(index) | Qt::ItemIsDragEnabled;
    }

    void listAboutToChange() { beginResetModel(); }
    void listChanged() { endResetModel(); }
    void rowChanged(int row) { emit dataChanged(index(row, 0), index(row, columnCount() - 1)); }

private:
    const StylesController& controller_;
};

}  // namespace orb
