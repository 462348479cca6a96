#include "stylefiles/windows/ssf_export_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "app/windows/log_window.h"
#include "app/windows/rendered_text.h"
#include "core/progress_scale.h"

namespace orb {

SsfExportWindow::SsfExportWindow(AppState& state, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), controller_(state, dialogs, this) {
    setObjectName("frmSSFExport");
    setModal(true);

    auto* label = new QLabel("Export folder", this);
    label->setObjectName("Label1");
    txtFolder_ = new QLineEdit(this);
    txtFolder_->setObjectName("txtFolder");
    txtFolder_->setMinimumWidth(360);
    label->setBuddy(txtFolder_);
    connect(txtFolder_, &QLineEdit::textChanged, this,
            [this](const QString& text) { controller_.setFolder(text.toStdString()); });
    cmdSearch_ = new QPushButton("Search", this);
    cmdSearch_->setObjectName("cmdSearch");
    cmdSearch_->setAutoDefault(false);
    const char* captions[2] = {"Selected styles only", "All styles"};
    for (int i = 0; i < 2; ++i) {
        opStyle_[i] = new QRadioButton(captions[i], this);
        opStyle_[i]->setObjectName(QString("opStyle%1").arg(i));
        connect(opStyle_[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked) {
                controller_.setChoice(static_cast<SsfExportController::Choice>(i));
            }
        });
    }
    cmdOk_ = new QPushButton("Start Export Process", this);
    cmdOk_->setObjectName("cmdOk");
    cmdOk_->setDefault(true);
    cmdCancel_ = new QPushButton("Exit", this);
    cmdCancel_->setObjectName("cmdCancel");
    cmdCancel_->setAutoDefault(false);
    progress_ = new QProgressBar(this);
    progress_->setObjectName("Shape1");
    connect(cmdSearch_, &QPushButton::clicked, this, [this] { controller_.search(); });
    connect(cmdOk_, &QPushButton::clicked, this, [this] {
        if (controller_.run()) {
            accept();
        }
    });
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

void SsfExportWindow::prepare(const SsfExportRequest& request) {
    controller_.load(request);
    txtFolder_->setFocus();
}

void SsfExportWindow::exportStyles(const SsfExportRequest& request) {
    prepare(request);
    exec();
}

void SsfExportWindow::done(int result) {
    if (controller_.controlsEnabled()) {
        controller_.close();
        QDialog::done(result);
    }
}

void SsfExportWindow::render() {
    setWindowTitle(QString::fromStdString(controller_.caption()));
    showText(txtFolder_, controller_.folder());
    const int chosen = static_cast<int>(controller_.choice());
    for (int i = 0; i < 2; ++i) {
        // Unchecking the checked one of a group takes leaving the group for a moment.
        opStyle_[i]->setAutoExclusive(false);
        opStyle_[i]->setChecked(i == chosen);
        opStyle_[i]->setAutoExclusive(true);
    }
    const bool enabled = controller_.controlsEnabled();
    cmdOk_->setEnabled(enabled);
    cmdCancel_->setEnabled(enabled);
    progress_->setVisible(controller_.progressVisible());
    const ProgressSteps steps =
        scaleProgress(controller_.progressValue(), controller_.progressMaximum());
    progress_->setRange(0, steps.maximum);
    progress_->setValue(steps.value);
}

void SsfExportWindow::showLeftOut(const std::string& log) {
    LogWindow::showLog(this, "", QString::fromStdString(log));
}

}  // namespace orb
