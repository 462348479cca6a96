#include "stylefiles/windows/style_content_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include "widgets/rendered_text.h"

namespace orb {

StyleContentWindow::StyleContentWindow(StyleConfirmation& confirmation, QWidget* parent)
    : QDialog(parent), confirmation_(confirmation) {
    setObjectName("frmStyContent");
    setModal(true);

    auto* slotGrid = new QGridLayout;
    for (int i = 0; i < StyleConfirmation::kSlots; ++i) {
        boxes_[i] = new QCheckBox(this);
        boxes_[i]->setObjectName(QString("Check1%1").arg(i));
        names_[i] = new QLabel(this);
        names_[i]->setObjectName(QString("lbStyleName%1").arg(i));
        names_[i]->setMinimumWidth(120);
        // Two columns of eight, as the keyboard shows a bank.
        const int row = i % 8;
        const int column = (i / 8) * 2;
        slotGrid->addWidget(boxes_[i], row, column);
        slotGrid->addWidget(names_[i], row, column + 1);
        connect(boxes_[i], &QCheckBox::toggled, this,
                [this, i](bool checked) { confirmation_.setChecked(i, checked); });
    }

    auto* values = new QGridLayout;
    const char* captions[4] = {"Family", "Group", "Author", "Description"};
    for (int i = 0; i < 4; ++i) {
        values->addWidget(new QLabel(captions[i], this), i, 0);
        fields_[i] = new QLineEdit(this);
        fields_[i]->setObjectName(QString("txtField%1").arg(i));
        fields_[i]->setMaxLength(kStyleValueLengths[static_cast<std::size_t>(i)]);
        values->addWidget(fields_[i], i, 1);
        connect(fields_[i], &QLineEdit::textChanged, this, [this, i](const QString& text) {
            confirmation_.setValue(static_cast<std::size_t>(i), text.toStdString());
        });
    }

    const char* buttonCaptions[3] = {"Select All", "Unselect All", "Import Selected Styles"};
    auto* buttons = new QHBoxLayout;
    QPushButton* commands[3];
    for (int i = 0; i < 3; ++i) {
        commands[i] = new QPushButton(buttonCaptions[i], this);
        commands[i]->setObjectName(QString("Command1%1").arg(i));
        commands[i]->setAutoDefault(false);
        buttons->addWidget(commands[i]);
    }
    commands[2]->setDefault(true);  // Enter imports what is ticked
    connect(commands[0], &QPushButton::clicked, this, [this] { confirmation_.selectAll(); });
    connect(commands[1], &QPushButton::clicked, this, [this] { confirmation_.unselectAll(); });
    connect(commands[2], &QPushButton::clicked, this, [this] {
        if (confirmation_.importSelected()) {
            accept();
        }
    });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(slotGrid);
    layout->addLayout(values);
    layout->addLayout(buttons);
    confirmation_.onChange([this] { render(); });
    render();
}

StyleContentWindow::~StyleContentWindow() {
    confirmation_.onChange(nullptr);
}

std::optional<StyleSelection> StyleContentWindow::ask() {
    exec();
    return confirmation_.result();
}

void StyleContentWindow::render() {
    setWindowTitle(QString::fromStdString(confirmation_.caption()));
    for (int i = 0; i < StyleConfirmation::kSlots; ++i) {
        const auto index = static_cast<std::size_t>(i);
        names_[i]->setText(QString::fromStdString(confirmation_.labels()[index]));
        names_[i]->setProperty("Tag", confirmation_.tags()[index]);
        boxes_[i]->setChecked(confirmation_.checked()[index]);
    }
    for (int i = 0; i < 4; ++i) {
        showText(fields_[i], confirmation_.values()[static_cast<std::size_t>(i)]);
    }
}

}  // namespace orb
