#pragma once

#include <QDialog>

#include "catalogue/disk_identify_controller.h"
#include "widgets/job_panel.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace orb {

// The "What is on this disk?" window: the view over DiskIdentifyController. Each bank file is
// a node with its bank number and the stored bank it equals; its styles are the nodes below.
class DiskIdentifyWindow : public QDialog, private ImportWindows {
    Q_OBJECT
public:
    DiskIdentifyWindow(AppState& state, UserDialogs& dialogs, QWidget* parent = nullptr);

    DiskIdentifyController& controller() { return controller_; }
    // Asks for the folder, then shows the window modally over what it holds; true when styles
    // were imported.
    bool run();

    // Esc or the frame during an import cancel the import rather than closing.
    void reject() override;

private:
    void render();
    std::optional<StyleSelection> confirmStyles(StyleConfirmation&) override { return {}; }
    void showLog(const std::string& log) override;

    DiskIdentifyController controller_;
    QTreeWidget* tree_;
    QLabel* summary_;
    QPushButton* cmdImportNew_;
    JobPanel* job_ = nullptr;
    DiskContents shownContents_;
};

}  // namespace orb
