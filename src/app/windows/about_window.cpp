#include "app/windows/about_window.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>
#include <array>

#include "widgets/orb_picture.h"

namespace orb {
namespace {

// The three notes, top to bottom: terms of use, acknowledgements, contact; then the closing line.
constexpr std::array<const char*, 3> kNotes = {
    "ORB keeps your Korg Pa60 and Pa80 styles in one catalogue and builds new banks from it. "
    "It is free to use and comes without any warranty: keep a backup of your catalogue "
    "(Backup / Restore) and of your original bank files.",
    "Korg, Pa60 and Pa80 are trademarks of Korg Inc. ORB is an independent program, neither "
    "made nor endorsed by Korg. Thanks to every musician who shares styles.",
    "Questions, ideas and bug reports are welcome through the project's issue tracker.",
};
constexpr const char* kClosingLine = "ORB 2.31 - a style librarian for arranger keyboards";

}  // namespace

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout");
    setWindowTitle("About ORB");
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    auto* picture = new OrbPicture(this);
    picture->setObjectName("Picture1");
    picture->setToolTip(kPictureToolTip);
    picture->setMinimumSize(360, 180);
    connect(picture, &OrbPicture::pressed, this, &QDialog::accept);
    layout->addWidget(picture);

    for (std::size_t i = 0; i < kNotes.size(); ++i) {
        auto* note = new QLabel(kNotes[i], this);
        note->setObjectName(QString("Label1%1").arg(i));
        note->setWordWrap(true);
        note->installEventFilter(this);
        layout->addWidget(note);
    }
    auto* closing = new QLabel(kClosingLine, this);
    closing->setObjectName("Label2");
    closing->setAlignment(Qt::AlignCenter);
    closing->installEventFilter(this);
    layout->addWidget(closing);
    setFixedWidth(480);
}

void AboutWindow::keyPressEvent(QKeyEvent* event) {
    // A key that types, Enter or Esc closes the box. A lone modifier does not, so Alt+F4 and
    // other shortcuts pressed over it never slip through to the main window.
    const int key = event->key();
    const bool closes = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape ||
                        (!event->text().isEmpty() && event->text().at(0).isPrint());
    event->accept();
    if (closes) {
        accept();
    }
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && qobject_cast<QLabel*>(watched) != nullptr) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace orb
