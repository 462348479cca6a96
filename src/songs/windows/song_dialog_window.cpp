#include "songs/windows/song_dialog_window.h"
#include "widgets/dialog_buttons.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "db/column_sizes.h"

namespace orb {

SongDialogWindow::SongDialogWindow(AppState& state, UserDialogs& dialogs, SongDialogRequest request,
                                   QWidget* parent)
    : QDialog(parent), controller_(state, dialogs, std::move(request)) {
    setObjectName("frmSong");
    setWindowTitle("Song");
    setModal(true);
    auto* layout = new QGridLayout(this);
    const SongDialogRequest& values = controller_.fields();
    const char* labels[3] = {"Code ", "Title ", "Performer "};
    const std::string texts[3] = {std::to_string(values.SongCode), values.SongTitle,
                                  values.SongPerformer};
    for (int i = 0; i < 3; ++i) {
        layout->addWidget(new QLabel(labels[i], this), i, 0);
        fields_[i] = new QLineEdit(QString::fromStdString(texts[i]), this);
        fields_[i]->setObjectName(QString("txtField%1").arg(i));
        fields_[i]->setMinimumWidth(360);
        layout->addWidget(fields_[i], i, 1);
    }
    fields_[0]->setReadOnly(true);
    fields_[1]->setMaxLength(columnSize("KORFSongs", "SongTitle"));
    fields_[2]->setMaxLength(columnSize("KORFSongs", "SongPerformer"));
    connect(fields_[1], &QLineEdit::textChanged, this,
            [this](const QString& text) { controller_.setTitle(text.toStdString()); });
    connect(fields_[2], &QLineEdit::textChanged, this,
            [this](const QString& text) { controller_.setPerformer(text.toStdString()); });

    const auto [ok, exit, buttons] =
        makeOkExitButtons(this, QString::fromStdString(controller_.okCaption()));
    layout->addLayout(buttons, 3, 0, 1, 2);
    connect(ok, &QPushButton::clicked, this, [this] {
        if (controller_.ok()) {
            accept();
        }
    });
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    setTabOrder(fields_[1], fields_[2]);
    fields_[1]->setFocus();
}

}  // namespace orb
