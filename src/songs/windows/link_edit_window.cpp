#include "songs/windows/link_edit_window.h"
#include "app/windows/dialog_buttons.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "db/column_sizes.h"

namespace orb {

LinkEditWindow::LinkEditWindow(const std::string& caption, const LinkValues& values,
                               QWidget* parent)
    : QDialog(parent) {
    setObjectName("frmSSEdit");
    setWindowTitle(QString::fromStdString(caption));
    setModal(true);
    auto* layout = new QGridLayout(this);
    const char* labels[3] = {"Notes", "Tempo", "Transpose"};
    const char* columns[3] = {"SongNote", "StyleTempo", "StyleTranspose"};
    const std::string* texts[3] = {&values.SongNote, &values.StyleTempo, &values.StyleTranspose};
    for (int i = 0; i < 3; ++i) {
        layout->addWidget(new QLabel(labels[i], this), i, 0);
        fields_[i] = new QLineEdit(QString::fromStdString(*texts[i]), this);
        fields_[i]->setObjectName(QString("txtField%1").arg(i));
        fields_[i]->setMaxLength(columnSize("KORFSonSty", columns[i]));
        fields_[i]->setMinimumWidth(i == 0 ? 320 : 80);
        layout->addWidget(fields_[i], i, 1);
    }
    const auto [ok, exit, buttons] = makeOkExitButtons(this, "Ok");
    layout->addLayout(buttons, 3, 0, 1, 2);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    fields_[0]->setFocus();
}

LinkValues LinkEditWindow::values() const {
    return LinkValues{fields_[0]->text().toStdString(), fields_[1]->text().toStdString(),
                      fields_[2]->text().toStdString()};
}

std::optional<LinkValues> LinkEditWindow::edit(QWidget* parent, const std::string& caption,
                                               const LinkValues& values) {
    LinkEditWindow window(caption, values, parent);
    if (window.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return window.values();
}

}  // namespace orb
