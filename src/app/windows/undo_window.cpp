#include "app/windows/undo_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStringListModel>
#include <QVBoxLayout>
#include <algorithm>

namespace orb {

UndoWindow::UndoWindow(AppState& state, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), controller_(state, dialogs) {
    setObjectName("frmUndo");
    setWindowTitle(UndoController::kCaption);
    setModal(true);

    model_ = new QStringListModel(this);
    list_ = new QListView(this);
    list_->setObjectName("lstRestorePoints");
    list_->setModel(model_);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setMinimumWidth(kListWidth);
    list_->setWordWrap(true);
    empty_ = new QLabel(UndoController::kNoPoints, this);
    empty_->setObjectName("lbNoRestorePoints");
    empty_->setWordWrap(true);

    undo_ = new QPushButton("Undo", this);
    undo_->setObjectName("cmdUndo");
    undo_->setDefault(true);
    auto* exit = new QPushButton("Exit", this);
    exit->setObjectName("cmdExit");
    exit->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(undo_);
    buttons->addWidget(exit);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addWidget(empty_);
    layout->addLayout(buttons);

    connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { controller_.select(current.row()); });
    connect(list_, &QListView::doubleClicked, this, [this] {
        if (controller_.undo()) {
            accept();
        }
    });
    connect(undo_, &QPushButton::clicked, this, [this] {
        if (controller_.undo()) {
            accept();
        }
    });
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    controller_.onChange([this] { render(); });
    render();
}

void UndoWindow::showEvent(QShowEvent* event) {
    controller_.load();
    QDialog::showEvent(event);
    list_->setFocus();
}

void UndoWindow::render() {
    QStringList rows;
    for (const std::string& row : controller_.rows()) {
        rows << QString::fromStdString(row);
    }
    if (model_->stringList() != rows) {
        model_->setStringList(rows);
    }
    const QModelIndex current = model_->index(controller_.selected(), 0);
    if (list_->currentIndex() != current) {
        list_->setCurrentIndex(current);
    }
    fitRows();
    empty_->setVisible(rows.isEmpty());
    undo_->setEnabled(controller_.undoEnabled());
}

void UndoWindow::fitRows() {
    // The list is as wide as its longest row, so that every row reads whole, within the screen;
    // rows wider than the screen wrap.
    int widest = 0;
    for (int row = 0; row < model_->rowCount(); ++row) {
        widest = std::max(widest, list_->sizeHintForIndex(model_->index(row, 0)).width());
    }
    const int chrome = 2 * list_->frameWidth() + list_->verticalScrollBar()->sizeHint().width();
    const QScreen* shown = screen();
    const int room = shown != nullptr ? shown->availableGeometry().width() * 9 / 10 : widest;
    list_->setMinimumWidth(std::max(kListWidth, std::min(widest + chrome, room)));
}

}  // namespace orb
