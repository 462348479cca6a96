#include "catalogue/windows/style_edit_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "catalogue/style_changes.h"

namespace orb {
namespace {

// A stored line break is shown as a mark in its box, so the person sees what Update refuses.
constexpr char16_t kLineFeedMark = u'\u21b5';        // ↵
constexpr char16_t kCarriageReturnMark = u'\u240d';  // ␍

QString shown(const std::string& stored) {
    return QString::fromStdString(stored)
        .replace(QChar('\n'), QChar(kLineFeedMark))
        .replace(QChar('\r'), QChar(kCarriageReturnMark));
}

std::string stored(QString shownText) {
    return shownText.replace(QChar(kLineFeedMark), QChar('\n'))
        .replace(QChar(kCarriageReturnMark), QChar('\r'))
        .toStdString();
}

QLabel* valueLabel(const std::string& text, int index, QWidget* parent) {
    auto* label = new QLabel(QString::fromStdString(text), parent);
    label->setObjectName(QString("lbField%1").arg(index));
    label->setFrameShape(QFrame::StyledPanel);
    return label;
}

}  // namespace

StyleEditWindow::StyleEditWindow(const StyleRow& style, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), controller_(style, dialogs) {
    setObjectName("frmStyleEdit");
    setWindowTitle(StyleEditController::kCaption);
    setModal(true);

    // Rows as a person reads them: code, name, length, then the other values and the date.
    auto* grid = new QGridLayout;
    int row = 0;
    auto addRow = [&](const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        ++row;
    };
    auto makeField = [&](std::size_t i) {
        txtField_[i] = new QLineEdit(this);
        txtField_[i]->setObjectName(QString("txtField%1").arg(i));
        txtField_[i]->setMaxLength(kStyleFieldColumns[i]->size);
        txtField_[i]->setMinimumWidth(i == 1 ? 380 : 200);
        connect(txtField_[i], &QLineEdit::textChanged, this,
                [this, i](const QString& text) { controller_.setField(i, stored(text)); });
        return txtField_[i];
    };
    addRow("Code", valueLabel(controller_.code(), 0, this));
    addRow(kStyleFieldLabels[0], makeField(0));
    addRow("Length", valueLabel(controller_.length(), 1, this));
    for (std::size_t i = 1; i < StyleEditController::kFieldCount; ++i) {
        addRow(kStyleFieldLabels[i], makeField(i));
    }
    addRow("Date of import", valueLabel(controller_.date(), 2, this));

    auto* cbUpdate = new QPushButton("Update", this);
    cbUpdate->setObjectName("cbUpdate");
    cbUpdate->setToolTip("Updates style changes to database");
    cbUpdate->setDefault(true);
    connect(cbUpdate, &QPushButton::clicked, this, &StyleEditWindow::update);
    auto* cbExit = new QPushButton("Exit", this);
    cbExit->setObjectName("cbExit");
    cbExit->setToolTip("Cancel any update and exit");
    cbExit->setAutoDefault(false);
    connect(cbExit, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::rejected, this, [this] { controller_.exit(); });

    cmdReplaceBreaks_ = new QPushButton("Replace line breaks by blanks", this);
    cmdReplaceBreaks_->setObjectName("cmdReplaceBreaks");
    cmdReplaceBreaks_->setToolTip("The keyboard's files cannot carry a line break (shown as " +
                                  QString(QChar(kLineFeedMark)) + ")");
    cmdReplaceBreaks_->setAutoDefault(false);
    connect(cmdReplaceBreaks_, &QPushButton::clicked, this,
            [this] { controller_.replaceLineBreaks(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdReplaceBreaks_);
    buttons->addStretch();
    buttons->addWidget(cbUpdate);
    buttons->addWidget(cbExit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    controller_.onChange([this] { render(); });
    render();
    txtField_[0]->setFocus();
}

void StyleEditWindow::render() {
    for (std::size_t i = 0; i < txtField_.size(); ++i) {
        if (txtField_[i]->text() != shown(controller_.field(i))) {
            txtField_[i]->setText(shown(controller_.field(i)));
        }
    }
    cmdReplaceBreaks_->setVisible(controller_.holdsLineBreaks());
}

void StyleEditWindow::update() {
    if (controller_.update()) {
        accept();
    }
}

}  // namespace orb
