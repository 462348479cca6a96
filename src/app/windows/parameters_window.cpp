#include "app/windows/parameters_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orb {

ParametersWindow::ParametersWindow(AppState& state, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), controller_(state, dialogs) {
    setObjectName("frmParameters");
    setWindowTitle(ParametersController::kCaption);
    setModal(true);

    auto* grid = new QGridLayout;
    for (std::size_t i = 0; i < ParametersController::kFieldCount; ++i) {
        auto* label = new QLabel(ParametersController::kLabels[i], this);
        label->setObjectName(QString("lbDesc%1").arg(i));
        txtField_[i] = new QLineEdit(this);
        txtField_[i]->setObjectName(QString("txtField%1").arg(i));
        txtField_[i]->setMinimumWidth(380);
        label->setBuddy(txtField_[i]);
        grid->addWidget(label, static_cast<int>(i), 0);
        grid->addWidget(txtField_[i], static_cast<int>(i), 1);
    }
    for (std::size_t i = 0; i < ParametersController::kSearchCount; ++i) {
        auto* button = new QPushButton("Search", this);
        button->setObjectName(QString("cmdSearch%1").arg(i));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, i] { search(i); });
        grid->addWidget(button, static_cast<int>(ParametersController::kSearchTargets[i]), 2);
    }

    auto* cmdOk = new QPushButton("Save Parameters Value", this);
    cmdOk->setObjectName("cmdOk");
    cmdOk->setToolTip("Exit and save parameters value");
    cmdOk->setAutoDefault(false);
    connect(cmdOk, &QPushButton::clicked, this, &ParametersWindow::save);
    auto* cmdExit = new QPushButton("Exit", this);
    cmdExit->setObjectName("cmdExit");
    cmdExit->setToolTip("Exit without saving new values");
    cmdExit->setAutoDefault(false);
    connect(cmdExit, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdExit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    showFields();
}

void ParametersWindow::showEvent(QShowEvent* event) {
    controller_.load();
    showFields();
    QDialog::showEvent(event);
}

void ParametersWindow::showFields() {
    for (std::size_t i = 0; i < txtField_.size(); ++i) {
        txtField_[i]->setText(QString::fromStdString(controller_.field(i)));
    }
}

void ParametersWindow::takeFields() {
    for (std::size_t i = 0; i < txtField_.size(); ++i) {
        controller_.setField(i, txtField_[i]->text().toStdString());
    }
}

void ParametersWindow::search(std::size_t index) {
    takeFields();
    const std::size_t changed = controller_.search(index);
    if (changed < txtField_.size()) {
        txtField_[changed]->setText(QString::fromStdString(controller_.field(changed)));
    }
}

void ParametersWindow::save() {
    takeFields();
    if (controller_.save()) {
        accept();
    }
}

}  // namespace orb
