#include "stylefiles/windows/ssf_import_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "app/windows/rendered_text.h"
#include "core/progress_scale.h"

namespace orb {

SsfImportWindow::SsfImportWindow(AppState& state, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), controller_(state, dialogs) {
    setObjectName("frmSSFImport");
    setWindowTitle(SsfImportController::kCaption);
    setModal(true);

    auto* label = new QLabel("Import folder", this);
    label->setObjectName("Label1");
    txtFolder_ = new QLineEdit(this);
    txtFolder_->setObjectName("txtFolder");
    txtFolder_->setMinimumWidth(360);
    label->setBuddy(txtFolder_);
    connect(txtFolder_, &QLineEdit::textChanged, this,
            [this](const QString& text) { controller_.setPath(text.toStdString()); });
    cmdSearch_ = new QPushButton("Search", this);
    cmdSearch_->setObjectName("cmdSearch");
    cmdSearch_->setAutoDefault(false);
    const char* captions[2] = {"Selected SSF file only", "All SSF files in folder"};
    for (int i = 0; i < 2; ++i) {
        opStyle_[i] = new QRadioButton(captions[i], this);
        opStyle_[i]->setObjectName(QString("opStyle%1").arg(i));
        connect(opStyle_[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked) {
                controller_.setChoice(static_cast<SsfImportController::Choice>(i));
            }
        });
    }
    cmdOk_ = new QPushButton("Start Import Process", this);
    cmdOk_->setObjectName("cmdOk");
    cmdOk_->setDefault(true);
    cmdCancel_ = new QPushButton("Exit", this);
    cmdCancel_->setObjectName("cmdCancel");
    cmdCancel_->setAutoDefault(false);
    progress_ = new QProgressBar(this);
    progress_->setObjectName("ProgressBar1");
    connect(cmdSearch_, &QPushButton::clicked, this, [this] { controller_.search(); });
    connect(cmdOk_, &QPushButton::clicked, this, [this] { controller_.run(); });
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(txtFolder_, 0, 1);
    layout->addWidget(cmdSearch_, 0, 2);
    layout->addWidget(opStyle_[0], 1, 1);
    layout->addWidget(opStyle_[1], 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOk_);
    buttons->addWidget(cmdCancel_);
    layout->addLayout(buttons, 3, 0, 1, 3);
    layout->addWidget(progress_, 4, 0, 1, 3);
    setTabOrder(txtFolder_, cmdSearch_);
    setTabOrder(cmdSearch_, opStyle_[0]);
    setTabOrder(opStyle_[0], opStyle_[1]);
    setTabOrder(opStyle_[1], cmdOk_);
    setTabOrder(cmdOk_, cmdCancel_);
    controller_.onChange([this] { render(); });
    render();
}

void SsfImportWindow::prepare() {
    controller_.load();
    txtFolder_->setFocus();
}

bool SsfImportWindow::importStyles() {
    prepare();
    exec();
    return controller_.importedAny();
}

void SsfImportWindow::done(int result) {
    if (controller_.controlsEnabled()) {
        QDialog::done(result);
    }
}

void SsfImportWindow::render() {
    showText(txtFolder_, controller_.path());
    opStyle_[static_cast<int>(controller_.choice())]->setChecked(true);
    const bool enabled = controller_.controlsEnabled();
    for (QWidget* control : {static_cast<QWidget*>(cmdOk_), static_cast<QWidget*>(cmdCancel_),
                             static_cast<QWidget*>(cmdSearch_)}) {
        control->setEnabled(enabled);
    }
    progress_->setVisible(controller_.progressVisible());
    const ProgressSteps steps =
        scaleProgress(controller_.progressValue(), controller_.progressMaximum());
    progress_->setRange(0, steps.maximum);
    progress_->setValue(steps.value);
}

}  // namespace orb
