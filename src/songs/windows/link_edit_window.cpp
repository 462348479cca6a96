#include "songs/windows/link_edit_window.h"
#include "widgets/dialog_buttons.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "widgets/rendered_text.h"

namespace orb {

LinkEditWindow::LinkEditWindow(const std::string& caption, const LinkValues& values,
                               QWidget* parent)
    : QDialog(parent), controller_(caption, values) {
    setObjectName("frmSSEdit");
    setWindowTitle(QString::fromStdString(controller_.caption()));
    setModal(true);
    auto* layout = new QGridLayout(this);
    for (const LinkEditController::Field field : LinkEditController::kFields) {
        const int i = static_cast<int>(field);
        layout->addWidget(new QLabel(LinkEditController::label(field), this), i, 0);
        QLineEdit* edit = new QLineEdit(this);
        edit->setObjectName(QString("txtField%1").arg(i));
        edit->setMaxLength(LinkEditController::maxLength(field));
        edit->setMinimumWidth(field == LinkEditController::Field::Note ? 320 : 80);
        layout->addWidget(edit, i, 1);
        connect(edit, &QLineEdit::textChanged, this, [this, field](const QString& text) {
            controller_.setText(field, text.toStdString());
        });
        fields_[static_cast<std::size_t>(i)] = edit;
    }
    const auto [ok, exit, buttons] = makeOkExitButtons(this, "Ok");
    layout->addLayout(buttons, 3, 0, 1, 2);
    connect(ok, &QPushButton::clicked, this, [this] {
        controller_.ok();
        accept();
    });
    connect(exit, &QPushButton::clicked, this, [this] {
        controller_.exit();
        reject();
    });
    controller_.onChange([this] { render(); });
    render();
    fields_[0]->setFocus();
}

void LinkEditWindow::render() {
    for (const LinkEditController::Field field : LinkEditController::kFields) {
        showText(fields_[static_cast<std::size_t>(field)], controller_.text(field));
    }
}

std::optional<LinkValues> LinkEditWindow::edit(QWidget* parent, const std::string& caption,
                                               const LinkValues& values) {
    LinkEditWindow window(caption, values, parent);
    window.exec();
    return window.controller().result();
}

}  // namespace orb
