#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <utility>
#include <vector>

#include "songs/songs_controller.h"

class QAction;
class QPushButton;
class QTableView;

namespace orb {

class SongGridModel;

// The songs window: the song grid with its header buttons and menus.
class SongsWindow : public QDialog {
    Q_OBJECT
public:
    SongsWindow(AppState& state, UserDialogs& dialogs, QWidget* parent = nullptr);

    SongsController& controller() { return controller_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    void songCommand(SongCommand command);
    // Runs a command; a database failure is reported instead of thrown.
    void command(const std::function<void()>& work);
    void render();
    int currentRow() const;
    // The other end of the selected block (the current row when one row is selected).
    int selectionEnd() const;
    void editSong();
    void openLinkWindow();
    void openImportWindow();
    void print();

    AppState& state_;
    UserDialogs& dialogs_;
    SongsController controller_;
    SongGridModel* model_;
    QTableView* grid_;
    std::array<QPushButton*, 6> headers_{};
    // The Songs menu's actions with their commands, to enable them.
    std::vector<std::pair<QAction*, SongCommand>> songActions_;
};

}  // namespace orb
