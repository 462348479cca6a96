#include "catalogue/windows/style_list_model.h"

#include "catalogue/styles_controller.h"

namespace orb {

int StyleListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : controller_.rowCount();
}

int StyleListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 5;
}

QVariant StyleListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return QString::fromStdString(controller_.cell(index.row(), index.column()));
    }
    if (role == Qt::TextAlignmentRole && index.column() > 0) {
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}

}  // namespace orb
