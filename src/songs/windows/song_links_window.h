#pragma once

#include <QDialog>

#include "songs/song_links.h"

class QLabel;
class QStandardItemModel;
class QTableView;

namespace orb {

// The linking windows, "Styles linked to song ..." and "Songs linked to style ...": a view over
// SongLinksController.
class SongLinksWindow : public QDialog {
    Q_OBJECT
public:
    SongLinksWindow(AppState& state, UserDialogs& dialogs, LinkSubject kind, std::int32_t subject,
                    const std::string& caption, QWidget* parent = nullptr);

    SongLinksController& controller() { return controller_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void render();
    // Runs a command; a database failure is reported instead of thrown.
    void command(const std::function<void()>& work);
    // Adds available rows; a style's window then asks each added song's values.
    void addAvailable(const std::vector<int>& rows);
    // The link edit window over a local row; its values go back to the controller.
    void openLinkEditWindow(const LinkEditRequest& request);
    std::vector<int> selectedAvailableRows() const;

    UserDialogs& dialogs_;
    SongLinksController controller_;
    QStandardItemModel* availableModel_;
    QStandardItemModel* localModel_;
    QTableView* grData1_;
    QTableView* grData2_;
};

}  // namespace orb
