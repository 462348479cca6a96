#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <optional>

#include "catalogue/setup_list.h"
#include "widgets/job_panel.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace orb {

// The set-ups grid's rows: name, description, then the twelve places.
class SetupListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumnCount = 2 + kSetupFloppyPlaces + kSetupHardDiskPlaces;

    explicit SetupListModel(const SetupListController& controller, QObject* parent = nullptr)
        : QAbstractTableModel(parent), controller_(controller) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void reset() {
        beginResetModel();
        endResetModel();
    }

private:
    const SetupListController& controller_;
};

// The set-ups window: the view over SetupListController.
class SetupListWindow : public QDialog {
    Q_OBJECT
public:
    // `loading`: opened from the bank dialog, whose queues take the set-up picked.
    SetupListWindow(AppState& state, UserDialogs& dialogs, bool loading, QWidget* parent = nullptr);

    // Shows the window modally; the set-up picked with "Load into the queues", if any.
    std::optional<KeyboardSetup> run();

    // Esc or the frame while a set-up is written cancel the writing rather than closing.
    void reject() override;

private:
    void render();

    SetupListController controller_;
    SetupListModel* model_;
    QTableView* grid_;
    QLabel* none_;
    QPushButton* cmdLoad_;
    QPushButton* cmdWrite_;
    QPushButton* cmdRename_;
    QPushButton* cmdDescribe_;
    QPushButton* cmdDelete_;
    QPlainTextEdit* txtPlan_;
    JobPanel* job_ = nullptr;
    std::optional<KeyboardSetup> picked_;
    std::vector<KeyboardSetup> shownSetups_;
};

}  // namespace orb
