#pragma once

#include <QDialog>
#include <array>

#include "songs/song_import_controller.h"
#include "widgets/job_panel.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orb {

// The song list import window: a view over SongImportController; closes after a completed
// import.
class SongImportWindow : public QDialog {
    Q_OBJECT
public:
    SongImportWindow(AppState& state, UserDialogs& dialogs, QWidget* parent = nullptr);

    SongImportController& controller() { return controller_; }

    // Exit, Esc or the frame while an import runs cancel it rather than closing.
    void reject() override;

private:
    void addFieldSelectors(QGridLayout* layout);
    void render();

    SongImportController controller_;
    JobPanel* job_ = nullptr;
    QLineEdit* txtFolder_;
    QLabel* lbFile_;
    QComboBox* separator_;
    std::array<QComboBox*, kSongFieldCount> fields_{};
    QPushButton* start_;
};

}  // namespace orb
