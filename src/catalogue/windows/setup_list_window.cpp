#include "catalogue/windows/setup_list_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "core/user_dialogs.h"
#include "widgets/failure_shown.h"

namespace orb {
namespace {

QPushButton* button(const char* name, const char* caption, QWidget* parent) {
    auto* made = new QPushButton(caption, parent);
    made->setObjectName(name);
    made->setAutoDefault(false);
    return made;
}

}  // namespace

int SetupListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(controller_.setups().size());
}

int SetupListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant SetupListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const KeyboardSetup& setup = controller_.setups()[static_cast<std::size_t>(index.row())];
    const int column = index.column();
    const SetupPlace* place = nullptr;
    if (column >= 2 && column < 2 + kSetupFloppyPlaces) {
        place = &setup.floppy[static_cast<std::size_t>(column - 2)];
    } else if (column >= 2 + kSetupFloppyPlaces) {
        place = &setup.hardDisk[static_cast<std::size_t>(column - 2 - kSetupFloppyPlaces)];
    }
    if (role == Qt::ForegroundRole && place != nullptr && place->gone) {
        return QColor(Qt::red);
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (place != nullptr) {
        return QString::fromStdString(placeText(*place));
    }
    return QString::fromStdString(column == 0 ? setup.name : setup.description);
}

QVariant SetupListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kColumnCount) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (section < 2) {
        return QString(section == 0 ? "Name" : "Description");
    }
    if (section < 2 + kSetupFloppyPlaces) {
        return QString("FD %1").arg(section - 1);
    }
    return QString("HD %1").arg(section - 1 - kSetupFloppyPlaces);
}

SetupListWindow::SetupListWindow(AppState& state, UserDialogs& dialogs, bool loading,
                                 QWidget* parent)
    : QDialog(parent), controller_(state, dialogs, loading) {
    setObjectName("frmSetups");
    setWindowTitle(SetupListController::kCaption);
    setModal(true);

    model_ = new SetupListModel(controller_, this);
    grid_ = new QTableView(this);
    grid_->setObjectName("grdSetups");
    grid_->setModel(model_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grid_->setMinimumSize(760, 200);
    none_ = new QLabel(SetupListController::kNone, this);
    none_->setObjectName("lbNoSetups");
    none_->setWordWrap(true);
    txtPlan_ = new QPlainTextEdit(this);
    txtPlan_->setObjectName("txtPlan");
    txtPlan_->setReadOnly(true);
    txtPlan_->setPlaceholderText("The files \"Write set-up\" makes are listed here first.");
    txtPlan_->setMaximumHeight(140);

    cmdLoad_ = button("cmdLoad", "Load into the queues", this);
    cmdWrite_ = button("cmdWrite", "Write set-up", this);
    cmdWrite_->setToolTip(
        "Writes the floppy and hard-disk banks to the folders of the parameters, each read back");
    cmdRename_ = button("cmdRename", "Rename ...", this);
    cmdDescribe_ = button("cmdDescribe", "Describe ...", this);
    cmdDelete_ = button("cmdDelete", "Delete", this);
    auto* exit = button("cmdExit", "Exit", this);
    exit->setDefault(true);
    job_ = new JobPanel(*this, controller_.job());

    auto* buttons = new QHBoxLayout;
    for (QPushButton* each : {cmdLoad_, cmdWrite_, cmdRename_, cmdDescribe_, cmdDelete_}) {
        buttons->addWidget(each);
    }
    buttons->addStretch();
    buttons->addWidget(exit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addWidget(none_);
    layout->addWidget(txtPlan_);
    layout->addWidget(job_);
    layout->addLayout(buttons);

    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { controller_.select(current.row()); });
    connect(cmdLoad_, &QPushButton::clicked, this, [this] {
        picked_ = controller_.pick();
        if (picked_) {
            accept();
        }
    });
    connect(cmdWrite_, &QPushButton::clicked, this,
            [this, &dialogs] { runShowingFailure(dialogs, [this] { controller_.write(); }); });
    connect(cmdRename_, &QPushButton::clicked, this,
            [this, &dialogs] { runShowingFailure(dialogs, [this] { controller_.rename(); }); });
    connect(cmdDescribe_, &QPushButton::clicked, this,
            [this, &dialogs] { runShowingFailure(dialogs, [this] { controller_.describe(); }); });
    connect(cmdDelete_, &QPushButton::clicked, this,
            [this, &dialogs] { runShowingFailure(dialogs, [this] { controller_.remove(); }); });
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    controller_.onChange([this] { render(); });
    runShowingFailure(dialogs, [this] { controller_.load(); });
    render();
}

std::optional<KeyboardSetup> SetupListWindow::run() {
    exec();
    return picked_;
}

void SetupListWindow::reject() {
    if (!job_->cancelRunningJob()) {
        QDialog::reject();
    }
}

void SetupListWindow::render() {
    if (shownSetups_ != controller_.setups()) {
        shownSetups_ = controller_.setups();
        model_->reset();
    }
    if (grid_->currentIndex().row() != controller_.selected()) {
        grid_->setCurrentIndex(model_->index(controller_.selected(), 0));
    }
    none_->setVisible(controller_.setups().empty());
    cmdLoad_->setVisible(controller_.loadShown());
    const bool enabled = controller_.actionsEnabled();
    for (QPushButton* each : {cmdLoad_, cmdWrite_, cmdRename_, cmdDescribe_, cmdDelete_}) {
        each->setEnabled(enabled);
    }
    QString plan;
    for (const std::string& line : controller_.plan()) {
        plan += QString::fromStdString(line) + "\n";
    }
    if (txtPlan_->toPlainText() != plan) {
        txtPlan_->setPlainText(plan);
    }
    job_->render();
}

}  // namespace orb
