#include "catalogue/windows/make_bank_window.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orb {

MakeBankWindow::MakeBankWindow(AppState& state, UserDialogs& dialogs, const CurrentBank& bank,
                               QWidget* parent)
    : QDialog(parent), controller_(state, dialogs, bank) {
    setObjectName("frmMakeBank");
    setWindowTitle(MakeBankController::kCaption);
    setModal(true);

    auto* options = new QVBoxLayout;
    for (std::size_t i = 0; i < optSave_.size(); ++i) {
        optSave_[i] = new QRadioButton(this);
        optSave_[i]->setObjectName(QString("optSave%1").arg(i));
        options->addWidget(optSave_[i]);
        const BankTarget target = MakeBankController::kTargets[i];
        connect(optSave_[i], &QRadioButton::toggled, this, [this, target](bool on) {
            if (on) {
                controller_.select(target);
            }
        });
    }
    auto* cmdMake = new QPushButton("Make .STY file", this);
    cmdMake->setObjectName("cmdMake");
    cmdMake->setDefault(true);
    // Every failure of the writing is shown by the controller; the window stays open then.
    connect(cmdMake, &QPushButton::clicked, this, [this] {
        if (controller_.make()) {
            accept();
        }
    });
    auto* cmdCancel = new QPushButton("Exit", this);
    cmdCancel->setObjectName("cmdCancel");
    cmdCancel->setAutoDefault(false);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdMake);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(options);
    layout->addLayout(buttons);

    controller_.onChange([this] { render(); });
    render();
    optSave_[0]->setFocus();
}

void MakeBankWindow::render() {
    for (std::size_t i = 0; i < optSave_.size(); ++i) {
        const BankTarget target = MakeBankController::kTargets[i];
        optSave_[i]->setText(QString::fromStdString(controller_.caption(target)));
        optSave_[i]->setEnabled(controller_.enabled(target));
        optSave_[i]->setChecked(controller_.selected() == target);
    }
}

}  // namespace orb
