#include "catalogue/windows/lookalikes_window.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace orb {
namespace {

constexpr const char* kHeaders[LookalikesModel::kColumnCount] = {
    "Group", "Style", "Name",    "Description", "Family", "Banks",
    "Songs", "File",  "Lengths", "Imported",    "Content"};

}  // namespace

int LookalikesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(controller_.rows().size());
}

int LookalikesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant LookalikesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const LookalikesController::Row& row =
        controller_.rows()[static_cast<std::size_t>(index.row())];
    if (role == Qt::TextAlignmentRole &&
        (index.column() == 1 || index.column() == 5 || index.column() == 6)) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    switch (index.column()) {
        case 0:
            return QString::number(row.group) + "  " + QString::fromStdString(row.groupTitle);
        case 1:
            return row.style.StyleProg;
        case 2:
            return QString::fromStdString(row.style.StyleName1);
        case 3:
            return QString::fromStdString(row.style.StyleDesc);
        case 4:
            return QString::fromStdString(row.style.StyleFamily);
        case 5:
            return row.style.bankSlots;
        case 6:
            return row.style.songLinks;
        case 7:
            return QString::fromStdString(row.style.StyleFile);
        case 8:
            return QString("%1, %2").arg(row.style.StyleLength1).arg(row.style.StyleLength2);
        case 9:
            return QString::fromStdString(row.style.StyleDate);
        default:
            return QString::fromStdString(row.style.fingerprint);
    }
}

QVariant LookalikesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < kColumnCount) {
        return QString(kHeaders[section]);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

LookalikesWindow::LookalikesWindow(AppState& state, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), controller_(state, dialogs) {
    setObjectName("frmLookalikes");
    setWindowTitle(LookalikesController::kCaption);
    setModal(true);

    model_ = new LookalikesModel(controller_, this);
    grid_ = new QTableView(this);
    grid_->setObjectName("grdLookalikes");
    grid_->setModel(model_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grid_->horizontalHeader()->setStretchLastSection(false);
    grid_->setMinimumSize(760, 300);
    none_ = new QLabel(LookalikesController::kNone, this);
    none_->setObjectName("lbNoLookalikes");

    deleteOthers_ = new QCheckBox("Delete the other styles of the group", this);
    deleteOthers_->setObjectName("chkDeleteOthers");
    keep_ = new QPushButton("Keep this style", this);
    keep_->setObjectName("cmdKeep");
    keep_->setToolTip(
        "Moves every bank slot and song link of the group's other styles onto the "
        "selected one");
    auto* exit = new QPushButton("Exit", this);
    exit->setObjectName("cmdExit");
    keep_->setAutoDefault(false);
    exit->setAutoDefault(false);
    exit->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(deleteOthers_);
    buttons->addStretch();
    buttons->addWidget(keep_);
    buttons->addWidget(exit);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addWidget(none_);
    layout->addLayout(buttons);

    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { controller_.select(current.row()); });
    connect(deleteOthers_, &QCheckBox::toggled, this,
            [this](bool ticked) { controller_.setDeleteOthers(ticked); });
    connect(keep_, &QPushButton::clicked, this, [this] { controller_.keepSelected(); });
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    controller_.onChange([this] { render(); });
    render();
}

void LookalikesWindow::showEvent(QShowEvent* event) {
    controller_.load();
    QDialog::showEvent(event);
    grid_->setFocus();
}

void LookalikesWindow::render() {
    if (shownRows_ != controller_.rows()) {
        shownRows_ = controller_.rows();
        model_->reset();
    }
    const QModelIndex current = model_->index(controller_.selected(), 0);
    if (grid_->currentIndex().row() != controller_.selected()) {
        grid_->setCurrentIndex(current);
    }
    none_->setVisible(controller_.rows().empty());
    deleteOthers_->setChecked(controller_.deleteOthers());
    keep_->setEnabled(controller_.keepEnabled());
}

}  // namespace orb
