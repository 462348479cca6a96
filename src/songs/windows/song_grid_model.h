#pragma once

#include <QAbstractTableModel>

namespace orb {

class SongsController;

// The song grid's rows, read from the controller's grid as the view asks for them.
class SongGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumnCount = 8;

    explicit SongGridModel(const SongsController& controller, QObject* parent = nullptr)
        : QAbstractTableModel(parent), controller_(controller) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    void reset() {
        beginResetModel();
        endResetModel();
    }

private:
    const SongsController& controller_;
};

}  // namespace orb
