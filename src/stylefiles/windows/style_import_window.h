#pragma once

#include <QDialog>
#include <functional>

#include "stylefiles/style_import.h"
#include "widgets/job_panel.h"

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QVBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orb {

// The style import window: a view over StyleImportController. It renders the controller's state
// when told that it changed and forwards what the person types and clicks.
class StyleImportWindow : public QDialog, private ImportWindows {
    Q_OBJECT
public:
    StyleImportWindow(AppState& state, UserDialogs& dialogs, QWidget* parent = nullptr);

    StyleImportController& controller() { return controller_; }

    // Readies the window for `source`; show or exec it next.
    void prepare(ImportRequest::Source source);
    // Shows the window modally for `source`; whether a run was started.
    ImportOutcome importStyles(ImportRequest::Source source);

    // Closing by the window frame counts as "Exit"; while a run is going on it cancels the run
    // instead.
    void reject() override;

    // Called after each run, so that the window behind shows what was stored at once.
    void setAfterRun(std::function<void()> afterRun) { afterRun_ = std::move(afterRun); }

private:
    QGroupBox* makeValuesFrame();
    QGroupBox* makeOptionsFrame();
    void makePathAndButtons(QVBoxLayout* layout);
    QGridLayout* makeStatusRows();
    void render();
    std::optional<StyleSelection> confirmStyles(StyleConfirmation& confirmation) override;
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
    JobPanel* job_ = nullptr;
    std::function<void()> afterRun_;
};

}  // namespace orb
