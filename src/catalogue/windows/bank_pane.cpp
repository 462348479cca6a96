#include "catalogue/windows/bank_pane.h"

#include <QDataStream>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <set>

#include "catalogue/bank_controller.h"
#include "widgets/elided_label.h"

namespace orb {
namespace {

// What a grid drags: its model's rows and columns.
constexpr const char* kGridRowsType = "application/x-qabstractitemmodeldatalist";

const QColor kSelectedColour(0xFF, 0xFF, 0x00);  // &HFFFF
const QColor kOccupiedColour(0xFF, 0xFF, 0xFF);  // &HFFFFFF
const QColor kEmptyColour(0xE0, 0xE0, 0xE0);     // &HE0E0E0

const QColor& colourOf(SlotColour colour) {
    switch (colour) {
        case SlotColour::Selected:
            return kSelectedColour;
        case SlotColour::Occupied:
            return kOccupiedColour;
        case SlotColour::Empty:
            break;
    }
    return kEmptyColour;
}

std::vector<int> droppedRows(const QMimeData& data) {
    QByteArray encoded = data.data(kGridRowsType);
    QDataStream stream(&encoded, QIODevice::ReadOnly);
    std::set<int> rows;
    while (!stream.atEnd()) {
        int row = 0;
        int column = 0;
        QMap<int, QVariant> roles;
        stream >> row >> column >> roles;
        rows.insert(row);
    }
    return {rows.begin(), rows.end()};
}

}  // namespace

BankPane::BankPane(BankController& controller, CommandHandler onCommand, DropHandler onDrop,
                   QWidget* parent)
    : QGroupBox(parent), controller_(controller), onDrop_(std::move(onDrop)) {
    setObjectName("frBank");
    setAcceptDrops(true);
    auto* layout = new QVBoxLayout(this);
    // A description of 200 characters is elided, never widening the window.
    lbBankDesc_ = new ElidedLabel(this);
    lbBankDesc_->setObjectName("lbBankDesc");
    layout->addWidget(lbBankDesc_);
    for (std::size_t i = 0; i < lbNewStyle_.size(); ++i) {
        auto* slot = new QLabel(this);
        slot->setObjectName(QString("lbNewStyle%1").arg(i));
        slot->setAutoFillBackground(true);
        slot->setMinimumWidth(100);
        slot->installEventFilter(this);
        lbNewStyle_[i] = slot;
        layout->addWidget(slot);
    }
    const char* tips[2] = {"Add selected style(s) to bank", "Remove selected style from bank"};
    const char* captions[2] = {">", "<"};
    const BankCommand commands[2] = {BankCommand::Insert, BankCommand::Remove};
    auto* buttons = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        auto* button = new QPushButton(captions[i], this);
        button->setObjectName(QString("cmdBank%1").arg(i));
        button->setToolTip(tips[i]);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this,
                [onCommand, command = commands[i]] { onCommand(command); });
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
    layout->addStretch();
    render();
}

void BankPane::render() {
    setTitle(QString::fromStdString(controller_.frameCaption()));
    const QString description = QString::fromStdString(controller_.description());
    lbBankDesc_->setText(description);
    lbBankDesc_->setToolTip(description);
    for (std::size_t i = 0; i < lbNewStyle_.size(); ++i) {
        const int slot = static_cast<int>(i);
        lbNewStyle_[i]->setText(QString::fromStdString(controller_.slotCaption(slot)));
        QPalette palette = lbNewStyle_[i]->palette();
        palette.setColor(QPalette::Window, colourOf(controller_.slotColour(slot)));
        lbNewStyle_[i]->setPalette(palette);
    }
}

bool BankPane::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        for (std::size_t i = 0; i < lbNewStyle_.size(); ++i) {
            if (watched == lbNewStyle_[i]) {
                controller_.clickSlot(static_cast<int>(i));
                return true;
            }
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

void BankPane::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasFormat(kGridRowsType)) {
        event->acceptProposedAction();
    }
}

void BankPane::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasFormat(kGridRowsType)) {
        return;
    }
    event->acceptProposedAction();
    onDrop_(droppedRows(*event->mimeData()));
}

}  // namespace orb
