#pragma once

#include <QDialog>

#include "stylefiles/ssf_export.h"
#include "stylefiles/windows/ssf_window_layout.h"

namespace orb {

// The SSF export window: a view over SsfExportController. It renders the controller's state
// when told that it changed and forwards what the person types and clicks.
class SsfExportWindow : public QDialog, private SsfExportWindows {
    Q_OBJECT
public:
    SsfExportWindow(AppState& state, UserDialogs& dialogs, QWidget* parent = nullptr);

    SsfExportController& controller() { return controller_; }

    // Readies the window for `request`; show or exec it next.
    void prepare(const SsfExportRequest& request);
    // Shows the window modally for `request`.
    void exportStyles(const SsfExportRequest& request);

    // Every way of closing (Exit, Esc, the frame, the end of an export) remembers the folder;
    // while an export runs, closing cancels it instead.
    void done(int result) override;

private:
    void render();
    void showLeftOut(const std::string& log) override;

    SsfExportController controller_;
    SsfWindowControls controls_;
};

}  // namespace orb
