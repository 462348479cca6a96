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

#include "catalogue/windows/bank_tree_widget.h"
#include "core/errors.h"
#include "core/user_dialogs.h"

namespace orb {
namespace {

// Sizes in twips, 15 to a pixel.
constexpr int pixels(int twips) {
    return twips / 15;
}

QGroupBox* directFrame(const char* name, const char* caption, QPushButton* button,
                       QWidget* parent) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(button);
    // The queues and their writing come with the disk writing.
    button->setEnabled(false);
    button->hide();
    return frame;
}

}  // namespace

BankDialogWindow::BankDialogWindow(AppState& state, UserDialogs& dialogs,
                                   const BankDialogRequest& request, QWidget* parent)
    : QDialog(parent), controller_(state, dialogs, request.state) {
    setObjectName("frmBankSave");
    setModal(true);

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
                fillTree();
            }
        });
    }
    orderRow->addStretch();

    tree_ = new QTreeWidget(this);
    tree_->setObjectName("tvBanks");
    tree_->setHeaderHidden(true);
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        controller_.selectNode(bankTreeNodeIndex(item));
        render();
    });
    cmdCollapse_ = new QPushButton("Collapse", this);
    cmdCollapse_->setObjectName("cmdCollapse");
    cmdCollapse_->setToolTip("Collapse all levels");
    connect(cmdCollapse_, &QPushButton::clicked, this, [this] { collapseBankNodes(tree_); });
    cmdDelete_ = new QPushButton("Delete bank from database", this);
    cmdDelete_->setObjectName("cmdDelete");
    connect(cmdDelete_, &QPushButton::clicked, this, [this, &dialogs] {
        try {
            controller_.deleteSelected();
        } catch (const OrbError& error) {
            dialogs.message(error.what(), UserDialogs::Icon::Critical);
        }
        fillTree();
    });
    cmdDirectFD_ = new QPushButton("DIRECT FD", this);
    cmdDirectFD_->setObjectName("cmdDirectFD");
    cmdDirectHD_ = new QPushButton("DIRECT HD", this);
    cmdDirectHD_->setObjectName("cmdDirectHD");
    frDirectFD_ = directFrame("frDirectFD", "DIRECT FD", cmdDirectFD_, this);
    frDirectHD_ = directFrame("frDirectHD", "DIRECT HD", cmdDirectHD_, this);

    cmdOk_ = new QPushButton(QString::fromStdString(controller_.okCaption()), this);
    cmdOk_->setObjectName("cmdOk");
    cmdOk_->setDefault(true);
    connect(cmdOk_, &QPushButton::clicked, this, [this, &dialogs] {
        try {
            if (controller_.ok()) {
                accept();
            }
        } catch (const OrbError& error) {
            dialogs.message(error.what(), UserDialogs::Icon::Critical);
        }
    });
    auto* cmdCancel = new QPushButton("Exit", this);
    cmdCancel->setObjectName("cmdCancel");
    cmdCancel->setAutoDefault(false);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* fields = new QGridLayout;
    fields->addWidget(lbDesc_[0], 0, 0);
    fields->addWidget(txtField_[0], 0, 1);
    fields->addWidget(lbDesc_[1], 1, 0);
    fields->addWidget(txtField_[1], 1, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(cmdCollapse_);
    side->addWidget(cmdDelete_);
    side->addWidget(frDirectFD_);
    side->addWidget(frDirectHD_);
    side->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addWidget(tree_, 1);
    middle->addLayout(side);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOk_);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(orderRow);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);

    const bool load = controller_.treeShown();
    for (QWidget* widget :
         std::initializer_list<QWidget*>{lbDesc_[2], opSort_[0], opSort_[1], opSort_[2], opSort_[3],
                                         tree_, cmdCollapse_, frDirectFD_, frDirectHD_}) {
        widget->setVisible(load);
    }
    txtField_[0]->setReadOnly(controller_.nameReadOnly());
    txtField_[1]->setReadOnly(controller_.descriptionReadOnly());
    // The styles window names the dialog after its command.
    setWindowTitle(
        QString::fromStdString(request.caption.empty() ? controller_.caption() : request.caption));
    if (load) {
        setFixedSize(pixels(9000), pixels(7050));
    } else {
        setFixedSize(pixels(7680), pixels(1600));
    }
    render();
}

BankDialogOutcome BankDialogWindow::run() {
    if (controller_.treeShown()) {
        if (!controller_.fillTree()) {
            return controller_.outcome();
        }
        fillBankTree(tree_, controller_.nodes());
    }
    exec();
    return controller_.outcome();
}

void BankDialogWindow::fillTree() {
    const QSignalBlocker blocker(tree_);
    fillBankTree(tree_, controller_.nodes());
    render();
}

void BankDialogWindow::render() {
    txtField_[0]->setText(QString::fromStdString(controller_.name()));
    txtField_[1]->setText(QString::fromStdString(controller_.description()));
    cmdDelete_->setVisible(controller_.deleteShown());
    cmdDirectFD_->setVisible(controller_.directFdShown());
    cmdDirectHD_->setVisible(controller_.directHdShown());
}

}  // namespace orb
