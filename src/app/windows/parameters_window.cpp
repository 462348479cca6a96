#include "app/windows/parameters_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>
#include "widgets/rendered_text.h"

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
        connect(txtField_[i], &QLineEdit::textChanged, this,
                [this, i](const QString& text) { controller_.setField(i, text.toStdString()); });
        grid->addWidget(label, static_cast<int>(i), 0);
        grid->addWidget(txtField_[i], static_cast<int>(i), 1);
    }
    // Each box has its Search button; Tab goes box, button, next box, as the rows read.
    std::array<QPushButton*, ParametersController::kFieldCount> searchOfField{};
    for (std::size_t i = 0; i < ParametersController::kSearchCount; ++i) {
        auto* button = new QPushButton("Search", this);
        button->setObjectName(QString("cmdSearch%1").arg(i));
        button->setAutoDefault(false);  // Enter saves; it never opens a dialog
        connect(button, &QPushButton::clicked, this, [this, i] { controller_.search(i); });
        const auto row = ParametersController::kSearches[i].target;
        grid->addWidget(button, static_cast<int>(row), 2);
        searchOfField[row] = button;
    }

    auto* cmdOk = new QPushButton("Save Parameters Value", this);
    cmdOk->setObjectName("cmdOk");
    cmdOk->setToolTip("Exit and save parameters value");
    cmdOk->setDefault(true);
    connect(cmdOk, &QPushButton::clicked, this, &ParametersWindow::save);
    auto* cmdExit = new QPushButton("Exit", this);
    cmdExit->setObjectName("cmdExit");
    cmdExit->setToolTip("Exit without saving new values");
    cmdExit->setAutoDefault(false);
    connect(cmdExit, &QPushButton::clicked, this, &QDialog::reject);

    QWidget* previous = nullptr;
    for (std::size_t i = 0; i < ParametersController::kFieldCount; ++i) {
        for (QWidget* next :
             {static_cast<QWidget*>(txtField_[i]), static_cast<QWidget*>(searchOfField[i])}) {
            if (previous != nullptr) {
                setTabOrder(previous, next);
            }
            previous = next;
        }
    }
    setTabOrder(previous, cmdOk);
    setTabOrder(cmdOk, cmdExit);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdExit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    controller_.onChange([this] { render(); });
    render();
}

void ParametersWindow::showEvent(QShowEvent* event) {
    controller_.load();
    QDialog::showEvent(event);
    txtField_[0]->setFocus();
}

void ParametersWindow::render() {
    for (std::size_t i = 0; i < txtField_.size(); ++i) {
        showText(txtField_[i], controller_.field(i));
    }
}

void ParametersWindow::save() {
    if (controller_.save()) {
        accept();
    }
}

}  // namespace orb
