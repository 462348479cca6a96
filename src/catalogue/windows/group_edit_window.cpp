#include "catalogue/windows/group_edit_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/rendered_text.h"

namespace orb {

GroupEditWindow::GroupEditWindow(const GroupValues& proposal, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), controller_(proposal, dialogs) {
    setObjectName("frmGroupEdit");
    setWindowTitle("Group edit");
    setModal(true);

    auto* grid = new QGridLayout;
    for (std::size_t i = 0; i < GroupEditController::kFieldCount; ++i) {
        const int row = static_cast<int>(i);
        txtField_[i] = new QLineEdit(this);
        txtField_[i]->setObjectName(QString("txtField%1").arg(i));
        txtField_[i]->setMaxLength(GroupEditController::kFieldColumns[i]->size);
        txtField_[i]->setMinimumWidth(260);
        check1_[i] = new QCheckBox("Don't update!", this);
        check1_[i]->setObjectName(QString("Check1%1").arg(i));
        auto* label = new QLabel(GroupEditController::kLabels[i], this);
        label->setBuddy(txtField_[i]);
        grid->addWidget(label, row, 0);
        grid->addWidget(txtField_[i], row, 1);
        grid->addWidget(check1_[i], row, 2);
        connect(txtField_[i], &QLineEdit::textChanged, this,
                [this, i](const QString& text) { controller_.setField(i, text.toStdString()); });
        connect(check1_[i], &QCheckBox::toggled, this,
                [this, i](bool ticked) { controller_.setDontUpdate(i, ticked); });
    }

    auto* cmdOk = new QPushButton("Update!", this);
    cmdOk->setObjectName("cmdOk");
    cmdOk->setDefault(true);
    connect(cmdOk, &QPushButton::clicked, this, &GroupEditWindow::update);
    auto* cmdCancel = new QPushButton("Exit", this);
    cmdCancel->setObjectName("cmdCancel");
    cmdCancel->setAutoDefault(false);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::rejected, this, [this] { controller_.exit(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    controller_.onChange([this] { render(); });
    render();
    txtField_[0]->setFocus();
}

void GroupEditWindow::render() {
    for (std::size_t i = 0; i < txtField_.size(); ++i) {
        showText(txtField_[i], controller_.field(i));
        check1_[i]->setChecked(controller_.dontUpdate(i));
    }
}

void GroupEditWindow::update() {
    if (controller_.update()) {
        accept();
    }
}

}  // namespace orb
