#pragma once

#include <QDialog>
#include <functional>

#include "stylefiles/ssf_import.h"
#include "stylefiles/windows/ssf_window_layout.h"

namespace orb {

// The "Import from SSF" window: a view over SsfImportController. It renders the controller's
// state when told that it changed and forwards what the person types and clicks.
class SsfImportWindow : public QDialog {
    Q_OBJECT
public:
    SsfImportWindow(AppState& state, UserDialogs& dialogs, QWidget* parent = nullptr);

    SsfImportController& controller() { return controller_; }

    // Readies the window; show or exec it next.
    void prepare();
    // Shows the window modally; true when some style was stored while it was open.
    bool importStyles();

    // Closing while an import is going on cancels the import instead.
    void done(int result) override;

    // Called after each run, so that the window behind shows what was stored at once.
    void setAfterRun(std::function<void()> afterRun) { afterRun_ = std::move(afterRun); }

private:
    void render();

    SsfImportController controller_;
    SsfWindowControls controls_;
    std::function<void()> afterRun_;
};

}  // namespace orb
