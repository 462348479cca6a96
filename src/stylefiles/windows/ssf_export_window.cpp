#include "stylefiles/windows/ssf_export_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "widgets/job_panel.h"
#include "widgets/log_window.h"
#include "widgets/rendered_text.h"

namespace orb {

SsfExportWindow::SsfExportWindow(AppState& state, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), controller_(state, dialogs, this) {
    setObjectName("frmSSFExport");
    setModal(true);
    controls_ = layOutSsfWindow(*this, controller_.job(),
                                {"Export folder",
                                 {"Selected styles only", "All styles"},
                                 "Start Export Process",
                                 "Shape1",
                                 nullptr,
                                 nullptr});
    connect(controls_.txtFolder, &QLineEdit::textChanged, this,
            [this](const QString& text) { controller_.setFolder(text.toStdString()); });
    for (std::size_t i = 0; i < 2; ++i) {
        connect(controls_.opStyle[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked) {
                controller_.setChoice(static_cast<SsfExportController::Choice>(i));
            }
        });
    }
    connect(controls_.cmdSearch, &QPushButton::clicked, this, [this] { controller_.search(); });
    connect(controls_.cmdOk, &QPushButton::clicked, this, [this] {
        if (controller_.run()) {
            accept();
        }
    });
    controller_.onChange([this] { render(); });
    render();
}

void SsfExportWindow::prepare(const SsfExportRequest& request) {
    controller_.load(request);
    controls_.txtFolder->setFocus();
}

void SsfExportWindow::exportStyles(const SsfExportRequest& request) {
    prepare(request);
    exec();
}

void SsfExportWindow::done(int result) {
    if (controller_.controlsEnabled()) {
        controller_.close();
        QDialog::done(result);
    } else {
        controller_.job().requestCancel();
    }
}

void SsfExportWindow::render() {
    setWindowTitle(QString::fromStdString(controller_.caption()));
    showText(controls_.txtFolder, controller_.folder());
    const int chosen = static_cast<int>(controller_.choice());
    for (int i = 0; i < 2; ++i) {
        // Unchecking the checked one of a group takes leaving the group for a moment.
        QRadioButton* option = controls_.opStyle[static_cast<std::size_t>(i)];
        option->setAutoExclusive(false);
        option->setChecked(i == chosen);
        option->setAutoExclusive(true);
    }
    controls_.cmdOk->setEnabled(controller_.controlsEnabled());
    controls_.cmdCancel->setEnabled(controller_.controlsEnabled());
    controls_.job->render(controller_.progressVisible());
}

void SsfExportWindow::showLeftOut(const std::string& log) {
    LogWindow::showLog(this, "", QString::fromStdString(log));
}

}  // namespace orb
