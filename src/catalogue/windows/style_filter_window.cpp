#include "catalogue/windows/style_filter_window.h"
#include "widgets/dialog_buttons.h"
#include "catalogue/style_changes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orb {

StyleFilterWindow::StyleFilterWindow(AppState& state, QWidget* parent)
    : QDialog(parent), controller_(state) {
    setObjectName("frmStyFilter");
    setWindowTitle(StyleFilterController::kCaption);
    setModal(true);

    auto* filter = new QGroupBox("Filter Settings", this);
    auto* filterLayout = new QGridLayout(filter);
    for (int i = 0; i < 6; ++i) {
        const auto field = static_cast<std::size_t>(i);
        txtField_[i] = new QLineEdit(filter);
        txtField_[i]->setObjectName(QString("txtField%1").arg(i));
        // As long as the column, so that a filter never asks for more than it can hold.
        txtField_[i]->setMaxLength(kStyleFieldColumns[field]->size);
        filterLayout->addWidget(new QLabel(kStyleFieldLabels[field], filter), i, 0);
        filterLayout->addWidget(txtField_[i], i, 1);
    }
    auto* resetFields = new QPushButton("Reset all", filter);
    resetFields->setObjectName("cmdEmpty0");
    filterLayout->addWidget(resetFields, 6, 1, Qt::AlignRight);

    auto* order = new QGroupBox("Order settings", this);
    auto* orderLayout = new QGridLayout(order);
    for (int i = 0; i < 6; ++i) {
        cmdOrder_[i] = new QComboBox(order);
        cmdOrder_[i]->setObjectName(QString("cmdOrder%1").arg(i));
        for (const char* choice : kSortChoices) {
            cmdOrder_[i]->addItem(choice);
        }
        chDesc_[i] = new QCheckBox("Descending", order);
        chDesc_[i]->setObjectName(QString("chDesc%1").arg(i));
        orderLayout->addWidget(cmdOrder_[i], i, 0);
        orderLayout->addWidget(chDesc_[i], i, 1);
    }
    auto* resetOrder = new QPushButton("Reset all", order);
    resetOrder->setObjectName("cmdEmpty1");
    orderLayout->addWidget(resetOrder, 6, 1, Qt::AlignRight);

    const auto [ok, exit, buttons] = makeOkExitButtons(this, "Set filter on");

    auto* frames = new QHBoxLayout;
    frames->addWidget(filter);
    frames->addWidget(order);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addLayout(buttons);

    connect(resetFields, &QPushButton::clicked, this, [this] {
        pullFields();
        controller_.resetFields();
        pushFields();
    });
    connect(resetOrder, &QPushButton::clicked, this, [this] {
        pullFields();
        controller_.resetOrder();
        pushFields();
    });
    connect(ok, &QPushButton::clicked, this, [this] {
        pullFields();
        controller_.setFilterOn();
        accept();
    });
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
}

void StyleFilterWindow::showEvent(QShowEvent* event) {
    controller_.load();
    pushFields();
    txtField_[0]->setFocus();
    QDialog::showEvent(event);
}

void StyleFilterWindow::pushFields() {
    for (std::size_t i = 0; i < 6; ++i) {
        txtField_[i]->setText(QString::fromStdString(controller_.fields[i]));
        const int choice =
            cmdOrder_[i]->findText(QString::fromStdString(controller_.orderChoices[i]));
        cmdOrder_[i]->setCurrentIndex(choice < 0 ? 0 : choice);
        chDesc_[i]->setChecked(controller_.descending[i]);
    }
}

void StyleFilterWindow::pullFields() {
    for (std::size_t i = 0; i < 6; ++i) {
        controller_.fields[i] = txtField_[i]->text().toStdString();
        controller_.orderChoices[i] = cmdOrder_[i]->currentText().toStdString();
        controller_.descending[i] = chDesc_[i]->isChecked();
    }
}

}  // namespace orb
