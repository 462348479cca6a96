#include "catalogue/windows/bank_dialog_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "catalogue/windows/bank_tree_widget.h"
#include "catalogue/windows/setup_list_window.h"
#include "core/user_dialogs.h"
#include "widgets/failure_shown.h"
#include "widgets/window_memory.h"

namespace orb {
namespace {

// Sizes in twips, 15 to a pixel.
constexpr int pixels(int twips) {
    return twips / 15;
}

// White while an entry waits for nothing, green while a transfer has still to write it.
const QColor kPendingColour(0x00, 0xFF, 0x00);
const QColor kIdleColour(Qt::white);

QLabel* queueLabel(const QString& name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAutoFillBackground(true);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    // Wide enough for the longest bank name, so that no entry is cut.
    const QString longestName(BankDialogController::kNameLength, QChar('N'));
    label->setMinimumWidth(std::max(
        pixels(1500),
        label->fontMetrics().horizontalAdvance(longestName) + 2 * label->frameWidth() + 4));
    return label;
}

void renderEntry(QLabel* label, const QueueEntry& entry) {
    label->setText(QString::fromStdString(entry.name));
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, entry.pending ? kPendingColour : kIdleColour);
    label->setPalette(palette);
}

QPushButton* button(const char* name, const char* caption, QWidget* parent) {
    auto* made = new QPushButton(caption, parent);
    made->setObjectName(name);
    made->setAutoDefault(false);
    return made;
}

}  // namespace

BankDialogWindow::BankDialogWindow(AppState& state, UserDialogs& dialogs,
                                   const BankDialogRequest& request, QWidget* parent)
    : QDialog(parent), controller_(state, dialogs, request.bank, request.mode) {
    setObjectName("frmBankSave");
    // Loading, saving and saving as each keep their own size and place.
    using Mode = BankDialogController::Mode;
    const Mode mode = controller_.mode();
    setProperty(WindowMemory::kKeyProperty, mode == Mode::Load      ? "frmBankLoad"
                                            : mode == Mode::SaveNew ? "frmBankSaveAs"
                                                                    : "frmBankSave");
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(makeFields());
    layout->addLayout(makeOrderRow());
    layout->addLayout(makeTreePane(state, dialogs), 1);
    layout->addLayout(makeButtonRow(dialogs));
    controller_.queues().onChange([this] { renderQueues(); });
    controller_.onChange([this] { render(); });
    showMode(request);
    render();
    renderQueues();
}

QGridLayout* BankDialogWindow::makeFields() {
    const char* labels[3] = {"Name", "Description", "Order by:"};
    for (std::size_t i = 0; i < 3; ++i) {
        lbDesc_[i] = new QLabel(labels[i], this);
        lbDesc_[i]->setObjectName(QString("lbDesc%1").arg(i));
    }
    const int lengths[2] = {BankDialogController::kNameLength,
                            BankDialogController::kDescriptionLength};
    for (std::size_t i = 0; i < 2; ++i) {
        txtField_[i] = new QLineEdit(this);
        txtField_[i]->setObjectName(QString("txtField%1").arg(i));
        txtField_[i]->setMaxLength(lengths[i]);
        lbDesc_[i]->setBuddy(txtField_[i]);
    }
    txtField_[0]->setMaximumWidth(pixels(1800));
    connect(txtField_[0], &QLineEdit::textEdited, this,
            [this](const QString& text) { controller_.setName(text.toStdString()); });
    connect(txtField_[1], &QLineEdit::textEdited, this,
            [this](const QString& text) { controller_.setDescription(text.toStdString()); });

    auto* fields = new QGridLayout;
    fields->addWidget(lbDesc_[0], 0, 0);
    fields->addWidget(txtField_[0], 0, 1);
    fields->addWidget(lbDesc_[1], 1, 0);
    fields->addWidget(txtField_[1], 1, 1);
    return fields;
}

QHBoxLayout* BankDialogWindow::makeOrderRow() {
    const char* orders[4] = {"Name, asc", "Name, desc", "Code, asc", "Code, desc"};
    auto* orderRow = new QHBoxLayout;
    orderRow->addWidget(lbDesc_[2]);
    for (std::size_t i = 0; i < 4; ++i) {
        opSort_[i] = new QRadioButton(orders[i], this);
        opSort_[i]->setObjectName(QString("opSort%1").arg(i));
        opSort_[i]->setChecked(i == 0);
        orderRow->addWidget(opSort_[i]);
        connect(opSort_[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) {
                controller_.setOrder(static_cast<BankTreeOrder>(i));
            }
        });
    }
    orderRow->addStretch();

    return orderRow;
}

// The tree of stored banks beside the buttons of a selected bank, the queues and the set-ups.
QHBoxLayout* BankDialogWindow::makeTreePane(AppState& state, UserDialogs& dialogs) {
    tree_ = new QTreeWidget(this);
    tree_->setObjectName("tvBanks");
    tree_->setHeaderHidden(true);
    // Room for the longest bank name at its level of the tree.
    tree_->setMinimumWidth(
        tree_->fontMetrics().horizontalAdvance(QString(BankDialogController::kNameLength, 'N')) +
        3 * tree_->indentation());
    connect(tree_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { controller_.selectNode(bankTreeNodeIndex(item)); });
    cmdCollapse_ = new QPushButton("Collapse", this);
    cmdCollapse_->setObjectName("cmdCollapse");
    cmdCollapse_->setToolTip("Collapse all levels");
    connect(cmdCollapse_, &QPushButton::clicked, this, [this] { collapseBankNodes(tree_); });
    cmdDelete_ = new QPushButton("Delete bank from database", this);
    cmdDelete_->setObjectName("cmdDelete");
    connect(cmdDelete_, &QPushButton::clicked, this, [this, &dialogs] {
        runShowingFailure(dialogs, [this] { controller_.deleteSelected(); });
    });
    cmdDirectFD_ = button("cmdDirectFD", "To DIRECT FD", this);
    connect(cmdDirectFD_, &QPushButton::clicked, this, [this] { controller_.directFd(); });
    cmdDirectHD_ = button("cmdDirectHD", "To DIRECT HD", this);
    connect(cmdDirectHD_, &QPushButton::clicked, this, [this] { controller_.directHd(); });
    frDirectFD_ = makeFloppyFrame();
    frDirectHD_ = makeHardDiskFrame();
    // The queues, kept by name as a keyboard set-up, and set-ups brought back into them.
    cmdSaveSetup_ = button("cmdSaveSetup", "Save as set-up ...", this);
    connect(cmdSaveSetup_, &QPushButton::clicked, this, [this, &dialogs] {
        runShowingFailure(dialogs, [this] { controller_.saveQueuesAsSetup(); });
    });
    cmdSetups_ = button("cmdSetups", "Set-ups ...", this);
    connect(cmdSetups_, &QPushButton::clicked, this, [this, &state, &dialogs] {
        SetupListWindow setups(state, dialogs, true, this);
        if (const std::optional<KeyboardSetup> setup = setups.run()) {
            controller_.loadSetup(*setup);
        }
    });
    auto* side = new QVBoxLayout;
    side->addWidget(cmdCollapse_);
    side->addWidget(cmdDelete_);
    side->addWidget(cmdDirectFD_);
    side->addWidget(cmdDirectHD_);
    side->addWidget(frDirectFD_);
    side->addWidget(frDirectHD_);
    auto* setupRow = new QHBoxLayout;
    setupRow->addWidget(cmdSaveSetup_);
    setupRow->addWidget(cmdSetups_);
    side->addLayout(setupRow);
    side->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addWidget(tree_, 1);
    middle->addLayout(side);
    return middle;
}

QHBoxLayout* BankDialogWindow::makeButtonRow(UserDialogs& dialogs) {
    cmdOk_ = new QPushButton(QString::fromStdString(controller_.okCaption()), this);
    cmdOk_->setObjectName("cmdOk");
    cmdOk_->setDefault(true);
    connect(cmdOk_, &QPushButton::clicked, this, [this, &dialogs] {
        runShowingFailure(dialogs, [this] {
            if (controller_.ok()) {
                accept();
            }
        });
    });
    auto* cmdCancel = new QPushButton("Exit", this);
    cmdCancel->setObjectName("cmdCancel");
    cmdCancel->setAutoDefault(false);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    // The writing of a queue shows its line and Cancel here, where they take no room from the
    // frames.
    job_ = new JobPanel(*this, controller_.queues().job());
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(job_, 1);
    buttons->addWidget(cmdOk_);
    buttons->addWidget(cmdCancel);
    return buttons;
}

// Loading shows the tree, the order and the queues; saving only the two fields.
void BankDialogWindow::showMode(const BankDialogRequest& request) {
    const bool load = controller_.treeShown();
    for (QWidget* widget : std::initializer_list<QWidget*>{
             lbDesc_[2], opSort_[0], opSort_[1], opSort_[2], opSort_[3], tree_, cmdCollapse_,
             frDirectFD_, frDirectHD_, cmdSaveSetup_, cmdSetups_}) {
        widget->setVisible(load);
    }
    txtField_[0]->setReadOnly(controller_.nameReadOnly());
    txtField_[1]->setReadOnly(controller_.descriptionReadOnly());
    // The styles window names the dialog after its command.
    setWindowTitle(
        QString::fromStdString(request.caption.empty() ? controller_.caption() : request.caption));
    if (load) {
        // The buttons that a selected bank shows keep their room while hidden, so that the
        // window's least size holds everything whether a bank is selected or not. It opens at
        // its usual size and may be made larger or as small as that.
        for (QWidget* widget :
             std::initializer_list<QWidget*>{cmdDelete_, cmdDirectFD_, cmdDirectHD_}) {
            QSizePolicy policy = widget->sizePolicy();
            policy.setRetainSizeWhenHidden(true);
            widget->setSizePolicy(policy);
        }
        resize(std::max(pixels(9000), minimumSizeHint().width()), pixels(7050));
    } else {
        setFixedSize(pixels(7680), pixels(1600));
    }
}

QGroupBox* BankDialogWindow::makeFloppyFrame() {
    auto* frame = new QGroupBox(" DIRECT FD ", this);
    frame->setObjectName("frDirectFD");
    auto* layout = new QGridLayout(frame);
    for (std::size_t i = 0; i < lbDirectFD_.size(); ++i) {
        lbDirectFD_[i] = queueLabel(QString("lbDirectFD%1").arg(i), frame);
        layout->addWidget(lbDirectFD_[i], static_cast<int>(i), 0, 1, 2);
    }
    cbClear_ = button("cbClear", "Clear", frame);
    connect(cbClear_, &QPushButton::clicked, this, [this] { controller_.queues().clearFloppy(); });
    cbMake_ = button("cbMake", "Make", frame);
    connect(cbMake_, &QPushButton::clicked, this, [this] { controller_.queues().makeFloppy(); });
    layout->addWidget(cbClear_, kFloppyBankCount, 0);
    layout->addWidget(cbMake_, kFloppyBankCount, 1);
    return frame;
}

QGroupBox* BankDialogWindow::makeHardDiskFrame() {
    auto* frame = new QGroupBox(" DIRECT HD ", this);
    frame->setObjectName("frDirectHD");
    auto* layout = new QGridLayout(frame);
    // Each box named by where the keyboard finds it: a set folder above, a bank file beside.
    const char* folders[3] = {"!123", "!456", "!789"};
    for (int g = 0; g < 3; ++g) {
        layout->addWidget(new QLabel(folders[g], frame), 0, g + 1, Qt::AlignHCenter);
        layout->addWidget(new QLabel(QString("USER0%1").arg(g + 1), frame), g + 1, 0);
    }
    for (std::size_t i = 0; i < lbDirectHD_.size(); ++i) {
        lbDirectHD_[i] = queueLabel(QString("lbDirectHD%1").arg(i), frame);
        layout->addWidget(lbDirectHD_[i], static_cast<int>(i % 3) + 1, static_cast<int>(i / 3) + 1);
    }
    for (std::size_t g = 0; g < cbClearHD_.size(); ++g) {
        cbClearHD_[g] = button("cbClearHD", "Clear", frame);
        cbClearHD_[g]->setObjectName(QString("cbClearHD%1").arg(g));
        connect(cbClearHD_[g], &QPushButton::clicked, this,
                [this, g] { controller_.queues().clearHardDiskGroup(static_cast<int>(g)); });
        layout->addWidget(cbClearHD_[g], 4, static_cast<int>(g) + 1);
    }
    cbMakeHD_ = button("cbMakeHD", "Transfer", frame);
    connect(cbMakeHD_, &QPushButton::clicked, this, [this] { controller_.queues().transfer(); });
    layout->addWidget(cbMakeHD_, 5, 1, 1, 3);
    return frame;
}

void BankDialogWindow::renderQueues() {
    const BankQueues& queues = controller_.queues();
    for (std::size_t i = 0; i < lbDirectFD_.size(); ++i) {
        renderEntry(lbDirectFD_[i], queues.floppy()[i]);
    }
    for (std::size_t i = 0; i < lbDirectHD_.size(); ++i) {
        renderEntry(lbDirectHD_[i], queues.hardDisk()[i]);
    }
    cbClear_->setEnabled(queues.clearFloppyEnabled());
    cbMake_->setEnabled(queues.makeFloppyEnabled());
    for (std::size_t g = 0; g < cbClearHD_.size(); ++g) {
        cbClearHD_[g]->setEnabled(queues.clearHardDiskGroupEnabled(static_cast<int>(g)));
    }
    cbMakeHD_->setEnabled(queues.transferEnabled());
    cmdSaveSetup_->setEnabled(controller_.saveSetupEnabled());
    job_->render();
}

BankDialogOutcome BankDialogWindow::run() {
    if (controller_.treeShown() && !controller_.fillTree()) {
        return controller_.outcome();
    }
    exec();
    return controller_.outcome();
}

void BankDialogWindow::reject() {
    if (!job_->cancelRunningJob()) {
        QDialog::reject();
    }
}

void BankDialogWindow::render() {
    if (shownTree_ != controller_.treeVersion()) {
        const QSignalBlocker blocker(tree_);
        fillBankTree(tree_, controller_.nodes());
        shownTree_ = controller_.treeVersion();
    }
    txtField_[0]->setText(QString::fromStdString(controller_.name()));
    txtField_[1]->setText(QString::fromStdString(controller_.description()));
    cmdDelete_->setVisible(controller_.deleteShown());
    cmdDirectFD_->setVisible(controller_.directFdShown());
    cmdDirectHD_->setVisible(controller_.directHdShown());
}

}  // namespace orb
