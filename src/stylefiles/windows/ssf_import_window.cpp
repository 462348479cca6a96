#include "stylefiles/windows/ssf_import_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "widgets/job_panel.h"
#include "widgets/rendered_text.h"

namespace orb {

SsfImportWindow::SsfImportWindow(AppState& state, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), controller_(state, dialogs) {
    setObjectName("frmSSFImport");
    setWindowTitle(SsfImportController::kCaption);
    setModal(true);
    controls_ = layOutSsfWindow(*this, controller_.job(),
                                {"Import folder",
                                 {"Selected SSF file only", "All SSF files in folder"},
                                 "Start Import Process",
                                 "ProgressBar1",
                                 SsfImportController::kSkipPresentCaption,
                                 "chkSkipPresent"});
    connect(controls_.txtFolder, &QLineEdit::textChanged, this,
            [this](const QString& text) { controller_.setPath(text.toStdString()); });
    for (std::size_t i = 0; i < 2; ++i) {
        connect(controls_.opStyle[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked) {
                controller_.setChoice(static_cast<SsfImportController::Choice>(i));
            }
        });
    }
    connect(controls_.option, &QCheckBox::toggled, this,
            [this](bool checked) { controller_.setSkipPresent(checked); });
    connect(controls_.cmdSearch, &QPushButton::clicked, this, [this] { controller_.search(); });
    connect(controls_.cmdOk, &QPushButton::clicked, this, [this] {
        controller_.run();
        if (afterRun_) {
            afterRun_();
        }
    });
    controller_.onChange([this] { render(); });
    render();
}

void SsfImportWindow::prepare() {
    controller_.load();
    controls_.txtFolder->setFocus();
}

bool SsfImportWindow::importStyles() {
    prepare();
    exec();
    return controller_.importedAny();
}

void SsfImportWindow::done(int result) {
    if (controller_.controlsEnabled()) {
        QDialog::done(result);
    } else {
        controller_.job().requestCancel();
    }
}

void SsfImportWindow::render() {
    showText(controls_.txtFolder, controller_.path());
    controls_.opStyle[static_cast<std::size_t>(controller_.choice())]->setChecked(true);
    controls_.option->setChecked(controller_.skipPresent());
    controls_.option->setEnabled(controller_.skipPresentEnabled());
    const bool enabled = controller_.controlsEnabled();
    for (QPushButton* button : {controls_.cmdOk, controls_.cmdCancel, controls_.cmdSearch}) {
        button->setEnabled(enabled);
    }
    controls_.job->render(controller_.progressVisible());
}

}  // namespace orb
