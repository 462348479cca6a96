#pragma once

#include <QDialog>
#include <optional>

#include "songs/song_links.h"

class QLineEdit;

namespace orb {

// frmSSEdit: the note, tempo and transposition of one link.
class LinkEditWindow : public QDialog {
    Q_OBJECT
public:
    LinkEditWindow(const std::string& caption, const LinkValues& values, QWidget* parent = nullptr);

    LinkValues values() const;

    // Shows the dialog modally: the edited values after "Ok", nothing after "Exit".
    static std::optional<LinkValues> edit(QWidget* parent, const std::string& caption,
                                          const LinkValues& values);

private:
    QLineEdit* fields_[3];
};

}  // namespace orb
