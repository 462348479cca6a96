#pragma once

#include <QDialog>

#include "stylefiles/style_import.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace orb {

// frmStyImport: a view over StyleImportController. AppState::ImportMode says, before the
// window is shown, whether it imports a folder (0) or one file; it carries the outcome back.
class StyleImportWindow : public QDialog, private ImportViewHooks {
    Q_OBJECT
public:
    StyleImportWindow(AppState& state, UserDialogs& dialogs, QWidget* parent = nullptr);

    StyleImportController& controller() { return controller_; }

    // Closing by the window frame counts as "Exit"; it is refused while a run is going on.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refresh() override;
    bool confirmStyles(StyleConfirmation& confirmation) override;
    void showLog(const std::string& log) override;

    StyleImportController controller_;
    QLineEdit* fields_[3];
    QLineEdit* txtFolder_;
    QLabel* label1_;
    QCheckBox* chkBank_;
    QCheckBox* chkErrors_;
    QCheckBox* chkSubFolders_;
    QRadioButton* opImport_[3];
    QPushButton* cmdSearch_;
    QPushButton* cmdOk_;
    QPushButton* cmdCancel_;
    QLabel* lbStato_[3];
    QProgressBar* progress_;
};

}  // namespace orb
