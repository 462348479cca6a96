#include "songs/windows/song_links_window.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <set>

#include "core/user_dialogs.h"
#include "songs/windows/link_edit_window.h"
#include "widgets/failure_shown.h"

namespace orb {
namespace {

QTableView* makeGrid(QWidget* parent, const char* name, QStandardItemModel* model) {
    auto* grid = new QTableView(parent);
    grid->setObjectName(name);
    grid->setModel(model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->setWordWrap(false);
    return grid;
}

QStandardItem* cell(const std::string& text) {
    return new QStandardItem(QString::fromStdString(text));
}

}  // namespace

SongLinksWindow::SongLinksWindow(AppState& state, UserDialogs& dialogs, LinkSubject kind,
                                 std::int32_t subject, const std::string& caption, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), controller_(state, dialogs, kind, subject, caption) {
    setObjectName(kind == LinkSubject::Song ? "frmSonSty" : "frmStySon");
    // The title says whose links these are, not only a name.
    setWindowTitle(QString::fromStdString(
        (kind == LinkSubject::Song ? "Styles linked to song " : "Songs linked to style ") +
        caption));
    setModal(true);

    availableModel_ = new QStandardItemModel(this);
    localModel_ = new QStandardItemModel(this);
    grData1_ = makeGrid(this, "grData1", availableModel_);
    grData1_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grData2_ = makeGrid(this, "grData2", localModel_);
    grData2_->setSelectionMode(QAbstractItemView::SingleSelection);

    auto* filter = new QPushButton(QString::fromStdString(controller_.filterCaption()), this);
    filter->setObjectName("cmdFilter");
    auto* add = new QPushButton(">", this);
    add->setObjectName("cmdBank0");
    add->setToolTip("Move a style from grid to local buffer");
    auto* remove = new QPushButton("<", this);
    remove->setObjectName("cmdBank1");
    remove->setToolTip("Remove a style from local buffer");
    auto* ok = new QPushButton("Update", this);
    ok->setObjectName("cmdOk");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Exit", this);
    cancel->setObjectName("cmdCancel");

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QString::fromStdString(controller_.availableLabel()), this), 0, 0);
    layout->addWidget(new QLabel(QString::fromStdString(controller_.linkedLabel()), this), 0, 2);
    layout->addWidget(grData1_, 1, 0);
    auto* middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(add);
    middle->addWidget(remove);
    middle->addStretch();
    layout->addLayout(middle, 1, 1);
    layout->addWidget(grData2_, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(filter);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 2, 0, 1, 3);
    layout->setColumnStretch(0, 2);
    layout->setColumnStretch(2, 3);

    connect(filter, &QPushButton::clicked, this,
            [this] { command([this] { controller_.askFilter(); }); });
    connect(add, &QPushButton::clicked, this, [this] { addAvailable(selectedAvailableRows()); });
    connect(grData1_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { addAvailable({index.row()}); });
    connect(remove, &QPushButton::clicked, this, [this] {
        command([this] { controller_.removeLocal(grData2_->currentIndex().row()); });
    });
    connect(grData2_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (const std::optional<LinkEditRequest> request = controller_.editLocal(index.row())) {
            openLinkEditWindow(*request);
        }
    });
    connect(ok, &QPushButton::clicked, this, [this] {
        bool stored = false;
        command([this, &stored] { stored = controller_.store(); });
        if (stored) {
            accept();
        }
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    controller_.onChange([this] { render(); });
    resize(860, 420);
}

void SongLinksWindow::showEvent(QShowEvent* event) {
    command([this] { controller_.load(); });
    QDialog::showEvent(event);
}

void SongLinksWindow::command(const std::function<void()>& work) {
    runShowingFailure(dialogs_, work);
}

void SongLinksWindow::addAvailable(const std::vector<int>& rows) {
    std::vector<LinkEditRequest> asked;
    command([this, &rows, &asked] { asked = controller_.addAvailable(rows); });
    for (const LinkEditRequest& request : asked) {
        openLinkEditWindow(request);
    }
}

void SongLinksWindow::openLinkEditWindow(const LinkEditRequest& request) {
    if (const std::optional<LinkValues> edited =
            LinkEditWindow::edit(this, request.caption, request.values)) {
        command([this, &request, &edited] { controller_.localEdited(request.row, *edited); });
    }
}

std::vector<int> SongLinksWindow::selectedAvailableRows() const {
    std::set<int> rows;
    for (const QModelIndex& index : grData1_->selectionModel()->selectedIndexes()) {
        rows.insert(index.row());
    }
    if (rows.empty() && grData1_->currentIndex().isValid()) {
        rows.insert(grData1_->currentIndex().row());
    }
    return {rows.begin(), rows.end()};
}

void SongLinksWindow::render() {
    availableModel_->clear();
    for (const ListedLink& element : controller_.available()) {
        availableModel_->appendRow(
            {cell(std::to_string(controller_.idOf(element))), cell(controller_.labelOf(element))});
    }
    const int localRow = grData2_->currentIndex().row();
    localModel_->clear();
    for (const ListedLink& element : controller_.local()) {
        localModel_->appendRow({cell(std::to_string(controller_.idOf(element))),
                                cell(controller_.labelOf(element)), cell(element.SongNote),
                                cell(element.StyleTempo), cell(element.StyleTranspose)});
    }
    const QString labelHeader = controller_.kind() == LinkSubject::Song ? "Style" : "Song";
    availableModel_->setHorizontalHeaderLabels({"", labelHeader});
    localModel_->setHorizontalHeaderLabels({"", labelHeader, "Note", "Tempo", "Transposition"});
    grData1_->setColumnHidden(0, true);
    grData2_->setColumnHidden(0, true);
    if (localRow >= 0 && localRow < localModel_->rowCount()) {
        grData2_->selectRow(localRow);
    }
}

}  // namespace orb
