#include "songs/windows/song_grid_model.h"

#include "songs/songs_controller.h"

namespace orb {

int SongGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(controller_.rows().size());
}

int SongGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant SongGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        // Tempo and transposition to the right, everything centred vertically.
        const bool right = index.column() == 5 || index.column() == 6;
        return QVariant::fromValue(Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignLeft));
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    const SongGridRow& row = controller_.rows()[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
        case 0:
            return row.SongCode;
        case 1:
            return QString::fromStdString(row.SongTitle);
        case 2:
            return QString::fromStdString(row.SongPerformer);
        case 3:
            return row.StyleProg;
        case 4:
            return QString::fromStdString(controller_.styleLabel(row));
        case 5:
            return QString::fromStdString(row.StyleTempo);
        case 6:
            return QString::fromStdString(row.StyleTranspose);
        default:
            return QString::fromStdString(row.SongNote);
    }
}

}  // namespace orb
