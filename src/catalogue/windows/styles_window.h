#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <utility>
#include <vector>

#include "catalogue/bank_controller.h"
#include "catalogue/styles_controller.h"
#include "stylefiles/style_import.h"
#include "widgets/qt_print_service.h"

class QAction;
class QGroupBox;
class QLabel;
class QPushButton;
class QTableView;

namespace orb {

class BankPane;
class StyleListModel;

// The styles window: the catalogue grid with its header buttons and menus, and the current
// bank's pane.
class StylesWindow : public QDialog, private StylesViewHooks {
    Q_OBJECT
public:
    // The File menu's commands, which only this window has.
    enum class FileCommand { ImportFromFolder, ImportFromFile, Print, Exit };

    StylesWindow(AppState& state, UserDialogs& dialogs, QWidget* parent = nullptr);

    StylesController& controller() { return controller_; }
    BankController& bank() { return bank_; }

    // A file opened with ORB: the import window on that bank file, or the single style import
    // on that file, waiting for the person to start it.
    void importBankFile(const std::string& path);
    void importSingleStyleFile(const std::string& path);

    // Closing (Exit, Esc or the frame) asks first when the bank holds unsaved changes.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void styleListAboutToChange() override;
    void styleListChanged() override;
    void styleRowChanged(int row) override;

    void buildMenus(QWidget* menuHolder);
    void fileCommand(FileCommand command);
    void styleCommand(StyleCommand command);
    // Runs a bank command over the grid rows of the recorded selection, upper first.
    void bankCommand(BankCommand command);
    void dropOnBank(const std::vector<int>& rows);
    // Runs a command of the window; a database failure is reported instead of thrown.
    void command(const std::function<void()>& work);
    void recordSelection();
    void refresh();
    // "Import from Folder" and "Import from STY file": the import window for a folder or one file.
    void openImportWindow(ImportRequest::Source source, const std::string& path = {});
    void openFilterWindow();
    void openDiskIdentifyWindow();
    void openLookalikesWindow();
    // "Link Songs to selected Style": the songs linked to the current row's style.
    void openSongLinks();
    // The edit windows: the controller gives what they show and takes what they hand back.
    void openStyleEditWindow(int row);
    void openGroupEditWindow();
    // Opens the window a bank command asked for and hands its result back to the bank pane.
    void openBankWindow(const BankWindowRequest& request);
    // "Export to SSF" and "Import from SSF": the single style file export and import.
    void openSsfExportWindow();
    void openSsfImportWindow(const std::string& path = {});

    AppState& state_;
    UserDialogs& dialogs_;
    StylesController controller_;
    QtPrintService printer_;
    BankController bank_;
    BankPane* bankPane_;
    StyleListModel* model_;
    QTableView* grid_;
    QGroupBox* frStyle_;
    std::array<QPushButton*, 5> cbTitle_{};
    // The actions of the Styles and Banks menus with their commands, to enable them.
    std::vector<std::pair<QAction*, StyleCommand>> styleActions_;
    std::vector<std::pair<QAction*, BankCommand>> bankActions_;
};

}  // namespace orb
