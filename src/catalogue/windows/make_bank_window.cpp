#include "catalogue/windows/make_bank_window.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/errors.h"
#include "core/user_dialogs.h"

namespace orb {

MakeBankWindow::MakeBankWindow(AppState& state, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), controller_(state, dialogs) {
    setObjectName("frmMakeBank");
    setWindowTitle(MakeBankController::kCaption);
    setModal(true);

    auto* options = new QVBoxLayout;
    for (std::size_t i = 0; i < optSave_.size(); ++i) {
        const int option = static_cast<int>(i);
        optSave_[i] = new QRadioButton(this);
        optSave_[i]->setObjectName(QString("optSave%1").arg(option));
        options->addWidget(optSave_[i]);
        connect(optSave_[i], &QRadioButton::toggled, this, [this, option](bool on) {
            if (on) {
                controller_.selectOption(option);
            }
        });
    }
    auto* cmdMake = new QPushButton("Make .STY file", this);
    cmdMake->setObjectName("cmdMake");
    cmdMake->setDefault(true);
    connect(cmdMake, &QPushButton::clicked, this, [this, &dialogs] {
        try {
            if (controller_.make()) {
                accept();
            }
        } catch (const OrbError& error) {
            dialogs.message(error.what(), UserDialogs::Icon::Critical);
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
        const int option = static_cast<int>(i);
        optSave_[i]->setText(QString::fromStdString(controller_.optionCaption(option)));
        optSave_[i]->setEnabled(controller_.optionEnabled(option));
        optSave_[i]->setChecked(controller_.selectedOption() == option);
    }
}

}  // namespace orb
