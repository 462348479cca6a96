#include "catalogue/windows/style_filter_window.h"
#include "catalogue/style_changes.h"
#include "widgets/dialog_buttons.h"
#include "widgets/rendered_text.h"

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
        connect(txtField_[i], &QLineEdit::textChanged, this, [this, field](const QString& text) {
            controller_.setField(field, text.toStdString());
        });
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
        const auto key = static_cast<std::size_t>(i);
        connect(cmdOrder_[i], &QComboBox::currentTextChanged, this,
                [this, key](const QString& text) {
                    controller_.setOrderChoice(key, text.toStdString());
                });
        connect(chDesc_[i], &QCheckBox::toggled, this,
                [this, key](bool on) { controller_.setDescending(key, on); });
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

    connect(resetFields, &QPushButton::clicked, this, [this] { controller_.resetFields(); });
    connect(resetOrder, &QPushButton::clicked, this, [this] { controller_.resetOrder(); });
    connect(ok, &QPushButton::clicked, this, [this] {
        controller_.setFilterOn();
        accept();
    });
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    controller_.onChange([this] { render(); });
}

void StyleFilterWindow::showEvent(QShowEvent* event) {
    controller_.load();
    txtField_[0]->setFocus();
    QDialog::showEvent(event);
}

void StyleFilterWindow::render() {
    for (std::size_t i = 0; i < 6; ++i) {
        showText(txtField_[i], controller_.field(i));
        const int choice =
            cmdOrder_[i]->findText(QString::fromStdString(controller_.orderChoice(i)));
        cmdOrder_[i]->setCurrentIndex(choice < 0 ? 0 : choice);
        chDesc_[i]->setChecked(controller_.descending(i));
    }
}

}  // namespace orb
