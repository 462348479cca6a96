#pragma once

#include <QDialog>

#include "songs/song_dialog.h"

class QLineEdit;

namespace orb {

// The song dialog: a view over SongDialogController; exec() is Accepted when the song was stored.
class SongDialogWindow : public QDialog {
    Q_OBJECT
public:
    SongDialogWindow(AppState& state, UserDialogs& dialogs, SongDialogRequest request,
                     QWidget* parent = nullptr);

private:
    SongDialogController controller_;
    QLineEdit* fields_[3];
};

}  // namespace orb
